// Placement of text and HUD without a context, at the edges the end-to-end pictures never reach: windows too
// small for the text, bad numbers to round, counts too long for their line.

#include <gtest/gtest.h>

#include <cmath>

#include "formats/asset_files.h"
#include "layout/hud_layout.h"
#include "render/font.h"

namespace {

// Unsigned arithmetic would wrap to about four billion instead of going below 0.
TEST(TextPlacement, TextOrLinesThatDoNotFitGoNegative) {
    WindowSettings window;
    window.width = 800;
    EXPECT_EQ(centredTextX("abcdefghijklmnopqrstuvwxyz1234", window, 16), -80.0f);
    window.width = 801;  // half of an odd width is rounded down before the text's half width is taken off
    EXPECT_EQ(centredTextX("ab", window, 16), 368.0f);
    EXPECT_EQ(hudLineY(50, 2), -22);
    EXPECT_EQ(demoMarkPosition(101, 51).x, -14);
}

TEST(HudText, CountsFollowTheLabelUnpaddedAndLongLinesAreCutShort) {
    char line[32];
    formatHudLine(line, sizeof line, "Steps taken ", 128);
    EXPECT_STREQ(line, "Steps taken 128");
    char tiny[8];
    formatHudLine(tiny, sizeof tiny, "Steps taken ", 2147483647);
    EXPECT_STREQ(tiny, "Steps t");
}

// Map markers round the drawn position halves to even; a broken position must not become a huge index.
TEST(MiniMap, RoundingTakesHalvesToEvenAndSurvivesBadNumbers) {
    EXPECT_EQ(roundHalfToEven(0.5f), 0);
    EXPECT_EQ(roundHalfToEven(1.5f), 2);
    EXPECT_EQ(roundHalfToEven(2.5f), 2);
    EXPECT_EQ(roundHalfToEven(-0.5f), 0);
    EXPECT_EQ(roundHalfToEven(2.6f), 3);
    EXPECT_EQ(roundHalfToEven(std::nanf("")), 0);
    EXPECT_EQ(roundHalfToEven(1.0e30f), 1000000);
    EXPECT_EQ(miniMapIcon(static_cast<Cell>(7)), ICON_EMPTY);  // a cell code no level holds
}

}  // namespace
