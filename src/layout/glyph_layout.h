#pragma once

#include "layout/window_settings.h"

// Where the glyphs of the two bitmap fonts lie in their images. No GL here: the font builder compiles
// these cells into display lists, and the tests check them without a context.

// A font image is a grid of square cells; the glyph of byte code c is in column c mod columns and in
// row c div columns counted from the TOP of the image. The pen advances one cell per glyph.
struct FontLayout {
    int columns;
    int rows;
    int glyphSize;             // pixels on screen; also the pen's advance
    unsigned int halfAdvance;  // pixels; half the glyph size, for centring
};

constexpr FontLayout kSmallFontLayout{16, 16, 8, 4};   // TEX_TEXT: every byte code has a glyph
constexpr FontLayout kLargeFontLayout{16, 8, 32, 16};  // TEX_SWORDS: codes 0 to 127 only
constexpr int kFontListCount = 256;                    // display lists reserved per font: one per byte

// The codes that get a compiled glyph list: the grid's cell count. Lists past it stay empty, so such a
// byte draws nothing and does not move the pen.
constexpr int compiledGlyphCount(const FontLayout& layout) {
    return layout.columns * layout.rows;
}
static_assert(compiledGlyphCount(kSmallFontLayout) == kFontListCount);
static_assert(compiledGlyphCount(kLargeFontLayout) == 128);

// The texture rectangle of one glyph. The image's lower-left corner is texture coordinate (0, 0), so the
// top image row has the largest t.
struct GlyphCell {
    float s0;  // left edge
    float s1;  // right edge
    float t0;  // bottom edge
    float t1;  // top edge
};

// The cell of a code from 0 to columns * rows - 1; the caller keeps the code in that range.
GlyphCell glyphCell(int columns, int rows, int code);

// The x that centres text on the window: width / 2 (rounded down) minus the text's length times the
// font's half advance. Negative for a text wider than the window.
float centredTextX(const char* text, const WindowSettings& window, unsigned int halfAdvance);
