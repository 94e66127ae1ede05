// Bitmap fonts without a context: which image cell each byte code draws, and where centred text starts.

#include <gtest/gtest.h>

#include "render/font.h"
#include "render/glyph_layout.h"

namespace {

WindowSettings windowOfWidth(std::uint32_t width) {
    WindowSettings window;
    window.width = width;
    return window;
}

// Code 0 is the top-left cell: with the image's lower-left corner at t = 0 it spans the top band of t.
TEST(GlyphCell, FirstCodeIsTheTopLeftCellOfTheImage) {
    const GlyphCell small = glyphCell(16, 16, 0);
    EXPECT_FLOAT_EQ(small.s0, 0.0f);
    EXPECT_FLOAT_EQ(small.s1, 1.0f / 16.0f);
    EXPECT_FLOAT_EQ(small.t0, 15.0f / 16.0f);
    EXPECT_FLOAT_EQ(small.t1, 1.0f);
    const GlyphCell large = glyphCell(16, 8, 0);
    EXPECT_FLOAT_EQ(large.t0, 7.0f / 8.0f);
    EXPECT_FLOAT_EQ(large.t1, 1.0f);
}

// Codes run left to right, then down a row: a swapped column and row, or rows counted from the bottom,
// would put 'A' (65: column 1, row 4) elsewhere.
TEST(GlyphCell, CodesRunAlongRowsFromTheTop) {
    const GlyphCell a = glyphCell(16, 8, 'A');
    EXPECT_FLOAT_EQ(a.s0, 1.0f / 16.0f);
    EXPECT_FLOAT_EQ(a.s1, 2.0f / 16.0f);
    EXPECT_FLOAT_EQ(a.t0, 3.0f / 8.0f);
    EXPECT_FLOAT_EQ(a.t1, 4.0f / 8.0f);
    const GlyphCell endOfRow = glyphCell(16, 16, 15);
    EXPECT_FLOAT_EQ(endOfRow.s1, 1.0f);
    EXPECT_FLOAT_EQ(endOfRow.t0, 15.0f / 16.0f);
}

// The last compiled code of each font is the bottom-right cell; largeFont compiles only 128 of its 256.
TEST(GlyphCell, LastCompiledCodeIsTheBottomRightCell) {
    EXPECT_EQ(compiledGlyphCount(kLargeFontLayout), 128);
    EXPECT_EQ(compiledGlyphCount(kSmallFontLayout), 256);
    const GlyphCell large = glyphCell(16, 8, compiledGlyphCount(kLargeFontLayout) - 1);
    EXPECT_FLOAT_EQ(large.s1, 1.0f);
    EXPECT_FLOAT_EQ(large.t0, 0.0f);
    EXPECT_FLOAT_EQ(large.t1, 1.0f / 8.0f);
    const GlyphCell small = glyphCell(16, 16, 255);
    EXPECT_FLOAT_EQ(small.s0, 15.0f / 16.0f);
    EXPECT_FLOAT_EQ(small.t0, 0.0f);
}

TEST(CentredTextX, MatchesTheKnownScreens) {
    const WindowSettings window = windowOfWidth(800);
    EXPECT_EQ(centredTextX("Initializing, Please Wait.", window, kSmallFontLayout.halfAdvance), 296.0f);
    EXPECT_EQ(centredTextX("DEMO", window, kLargeFontLayout.halfAdvance), 336.0f);
    EXPECT_EQ(centredTextX("", window, kLargeFontLayout.halfAdvance), 400.0f);
}

// An unsigned subtraction would wrap to about four billion instead of going below 0.
TEST(CentredTextX, TextWiderThanTheWindowGoesNegative) {
    const WindowSettings window = windowOfWidth(800);
    EXPECT_EQ(centredTextX("abcdefghijklmnopqrstuvwxyz1234", window, 16), -80.0f);
}

// Half of an odd width is rounded down before the text's half width is taken off.
TEST(CentredTextX, OddWidthRoundsTheMiddleDown) {
    EXPECT_EQ(centredTextX("ab", windowOfWidth(801), 16), 368.0f);
}

}  // namespace
