// HUD placement and the logo fade without a context: line positions, map squares, marker rounding.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "render/asset_files.h"
#include "render/hud_layout.h"

namespace {

TEST(HudPlacement, LinesAndDemoOnTheStandardWindow) {
    EXPECT_EQ(hudLineY(600, 0), 576);
    EXPECT_EQ(hudLineY(600, 1), 552);
    EXPECT_EQ(hudLineY(600, 2), 528);
    const PixelPoint demo = demoMarkPosition(800, 600);
    EXPECT_EQ(demo.x, 336);
    EXPECT_EQ(demo.y, 300);
}

// A window shorter than the lines puts them below the bottom edge instead of wrapping to huge values.
TEST(HudPlacement, LowWindowGivesNegativeLines) {
    EXPECT_EQ(hudLineY(50, 2), -22);
    EXPECT_EQ(demoMarkPosition(101, 51).x, -14);
}

TEST(HudPlacement, AllLevelsSolvedStraddlesTheMiddle) {
    EXPECT_EQ(allLevelsSolvedY(600), 284);
    EXPECT_EQ(std::strlen(kAllLevelsSolvedText) * 32, 576u);  // fits an 800-pixel window
}

TEST(HudText, CountsFollowTheLabelUnpadded) {
    char line[32];
    formatHudLine(line, sizeof line, "Steps taken ", 128);
    EXPECT_STREQ(line, "Steps taken 128");
    formatHudLine(line, sizeof line, "Level ", 0);
    EXPECT_STREQ(line, "Level 0");
    char tiny[8];
    formatHudLine(tiny, sizeof tiny, "Steps taken ", 2147483647);
    EXPECT_STREQ(tiny, "Steps t");  // cut short, still terminated
}

// Row 0 of the level is the map's top row; the map stands on the window's bottom edge.
TEST(MiniMap, RowZeroIsOnTopAndTheMapSitsInTheCorner) {
    const PixelPoint top = miniMapCellOrigin(0, 0, 10);
    EXPECT_EQ(top.x, 0);
    EXPECT_EQ(top.y, 100);
    const PixelPoint bottomRight = miniMapCellOrigin(19, 10, 10);
    EXPECT_EQ(bottomRight.x, 190);
    EXPECT_EQ(bottomRight.y, 0);
    const PixelPoint size = miniMapSize(19, 10);
    EXPECT_EQ(size.x, 200);
    EXPECT_EQ(size.y, 110);
}

// A wall never shows the goal icon; anything but wall and goal shows the empty icon.
TEST(MiniMap, IconsFollowTheCellCode) {
    EXPECT_EQ(miniMapIcon(0), ICON_EMPTY);
    EXPECT_EQ(miniMapIcon(1), ICON_WALL);
    EXPECT_EQ(miniMapIcon(2), ICON_TARGET);
    EXPECT_EQ(miniMapIcon(7), ICON_EMPTY);
}

TEST(MiniMap, RoundingTakesHalvesToEven) {
    EXPECT_EQ(roundHalfToEven(0.5f), 0);
    EXPECT_EQ(roundHalfToEven(1.5f), 2);
    EXPECT_EQ(roundHalfToEven(2.5f), 2);
    EXPECT_EQ(roundHalfToEven(-0.5f), 0);
    EXPECT_EQ(roundHalfToEven(2.6f), 3);
    EXPECT_EQ(roundHalfToEven(std::nanf("")), 0);
    EXPECT_EQ(roundHalfToEven(1.0e30f), 1000000);
}

// A box half-way through a slide is shown in the cell its position rounds to, from the matrix's x and z
// translation (elements 12 and 14), never from y (element 13).
TEST(MiniMap, MarkersUseTheXAndZTranslation) {
    Mat4 box = translationMatrix(3.5f, -1.0f, 4.4f);
    PixelPoint cell = miniMapMarkerCell(box);
    EXPECT_EQ(cell.x, 4);
    EXPECT_EQ(cell.y, 4);
    box = translationMatrix(4.5f, 7.0f, 2.5f);
    cell = miniMapMarkerCell(box);
    EXPECT_EQ(cell.x, 4);
    EXPECT_EQ(cell.y, 2);
}

// The HUD lowers the opacity one step per frame, but not while the fade-in before a reload runs.
TEST(LogoFade, StepsDownOnlyWhileNoFadeInRuns) {
    float fade = 0.5f;
    LogoFadeFrame frame = stepLogoFade(fade, true);
    EXPECT_TRUE(frame.draw);
    EXPECT_EQ(fade, 0.5f);
    EXPECT_EQ(frame.opacity, 0.5f);
    fade = 1.0f;
    frame = stepLogoFade(fade, false);
    EXPECT_TRUE(frame.draw);
    EXPECT_FLOAT_EQ(fade, 0.95f);
    EXPECT_FLOAT_EQ(frame.opacity, 0.95f);
    int frames = 1;
    while (stepLogoFade(fade, false).draw) ++frames;
    EXPECT_EQ(frames, 20);  // from full opacity the fade-out takes 20 frames
}

// At or below 0 nothing is drawn and the value is left alone.
TEST(LogoFade, SpentFadeDrawsNothingAndStays) {
    float fade = 0.0f;
    EXPECT_FALSE(stepLogoFade(fade, false).draw);
    EXPECT_EQ(fade, 0.0f);
    fade = -0.01f;
    EXPECT_FALSE(stepLogoFade(fade, true).draw);
    EXPECT_EQ(fade, -0.01f);
}

}  // namespace
