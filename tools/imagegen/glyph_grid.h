#pragma once

#include <string>

#include "font_face.h"
#include "formats/tga_image.h"

// Font images for the game's bitmap fonts: a grid of square cells, the glyph of byte code c in column
// c mod columns and row c div columns counted from the TOP of the image. Glyphs are white, cut out by
// alpha (alpha 0 around them), and sit on one baseline so that cells laid side by side at a fixed advance
// of one cell read as text.

struct GlyphGridLayout {
    int cellSize;  // pixels, square
    int columns;
    int rows;
};

constexpr GlyphGridLayout kSmallFontGrid{8, 16, 16};  // "Textures/Text.tga", 128 x 128
constexpr GlyphGridLayout kLargeFontGrid{32, 16, 8};  // "Textures/Swords.tga", 512 x 256

struct GlyphGridStyle {
    GlyphRendering rendering;
    // A pixel font drawn for this cell size keeps its own size, baseline and spacing; any other font is
    // sized to the cell and each glyph centred in it.
    bool pixelFont;
    int marginX;       // pixels kept free at each side of a scaled glyph
    int marginTop;     // pixels kept free above the tallest letters of a scaled font
    int marginBottom;  // pixels kept free below the deepest descenders of a scaled font
    float widen;       // horizontal scale of a scaled font's glyphs (1 keeps the design's proportions)
};

// The Unicode code point drawn for a byte code: printable ASCII and Latin-1 letters and signs (160 to
// 255); 0 for the control codes, DEL and 128 to 159, whose cells stay empty.
unsigned long codePointOfByte(int code);

// The grid image; empty when the font file cannot be opened. Codes past the grid's last cell have no
// place and are not drawn.
Image makeGlyphGrid(const std::string& fontPath, const GlyphGridLayout& layout, const GlyphGridStyle& style);

// Where the cell of a code lies in a grid image whose rows run bottom first: left column and bottom row
// in pixels.
int glyphCellLeft(const GlyphGridLayout& layout, int code);
int glyphCellBottom(const GlyphGridLayout& layout, int code);
