#include "glyph_grid.h"

#include <algorithm>
#include <cctype>

#include "canvas.h"

namespace {

// The letters and digits that decide how large a scaled font may be: their ink must fit the cell with
// the margins. Punctuation that reaches further (brackets, bars) is moved inside its cell instead.
bool decidesSize(int code) {
    return std::isalnum(code) != 0;
}

struct Fit {
    int pixelSize = 0;
    int baseline = 0;  // pixels from the cell's top edge
};

bool setScaledSize(const FontFace& font, int pixelSize, float widen) {
    const auto height = static_cast<FT_F26Dot6>(pixelSize * 64);
    const auto width = static_cast<FT_F26Dot6>(pixelSize * 64 * widen);
    return FT_Set_Char_Size(font.face(), width, height, 72, 72) == 0;  // at 72 dpi a point is a pixel
}

// The largest size at which every glyph's width and every letter's and digit's height fit the cell inside
// the margins, with the baseline placed to centre the letters' joint extent between the margins.
Fit fitToCell(const FontFace& font, const GlyphGridLayout& layout, const GlyphGridStyle& style) {
    const int cell = layout.cellSize;
    const int room = cell - style.marginTop - style.marginBottom;
    Fit fit;
    for (int size = cell * 2; size >= 4; --size) {
        if (!setScaledSize(font, size, style.widen)) continue;
        int above = 0;
        int below = 0;
        int widest = 0;
        for (int code = 33; code < 127; ++code) {
            const GlyphBitmap glyph = renderGlyph(font, codePointOfByte(code), style.rendering);
            if (!glyph.present) continue;
            widest = std::max(widest, glyph.width);
            if (!decidesSize(code)) continue;
            above = std::max(above, glyph.top);
            below = std::max(below, glyph.rows - glyph.top);
        }
        if (widest + 2 * style.marginX <= cell && above + below <= room) {
            fit.pixelSize = size;
            fit.baseline = style.marginTop + above + (room - above - below) / 2;
            return fit;
        }
    }
    return fit;
}

}  // namespace

unsigned long codePointOfByte(int code) {
    if (code >= 32 && code < 127) return static_cast<unsigned long>(code);
    if (code >= 160 && code <= 255) return static_cast<unsigned long>(code);
    return 0;
}

int glyphCellLeft(const GlyphGridLayout& layout, int code) {
    return (code % layout.columns) * layout.cellSize;
}

int glyphCellBottom(const GlyphGridLayout& layout, int code) {
    return (layout.rows - 1 - code / layout.columns) * layout.cellSize;
}

Image makeGlyphGrid(const std::string& fontPath, const GlyphGridLayout& layout, const GlyphGridStyle& style) {
    const FontFace font(fontPath);
    if (!font.valid()) return Image{};
    const int cell = layout.cellSize;

    Fit fit;
    if (style.pixelFont) {
        fit.pixelSize = cell;
        if (FT_Set_Pixel_Sizes(font.face(), 0, static_cast<FT_UInt>(cell)) != 0) return Image{};
        fit.baseline = static_cast<int>(font.face()->size->metrics.ascender / 64);
    } else {
        fit = fitToCell(font, layout, style);
        if (fit.pixelSize == 0) return Image{};
        setScaledSize(font, fit.pixelSize, style.widen);
    }

    // White everywhere, so that filtering at a glyph's edge blends towards white and never darkens it.
    Canvas canvas(layout.columns * cell, layout.rows * cell, Colour{1, 1, 1, 0});
    const int codes = layout.columns * layout.rows;
    for (int code = 0; code < codes; ++code) {
        const unsigned long codePoint = codePointOfByte(code);
        if (codePoint == 0 || codePoint == ' ') continue;
        const GlyphBitmap glyph = renderGlyph(font, codePoint, style.rendering);
        if (!glyph.present || glyph.width == 0 || glyph.rows == 0) continue;

        int left = style.pixelFont ? (cell - glyph.advance) / 2 + glyph.left : (cell - glyph.width) / 2;
        int top = fit.baseline - glyph.top;
        // A glyph reaching past the margins (brackets, bars) is moved inside them, or inside the cell if
        // it is taller than the space between them; one larger than the cell is cut.
        const bool fitsBand = glyph.rows <= cell - style.marginTop - style.marginBottom;
        const int bandTop = fitsBand ? style.marginTop : 0;
        const int bandBottom = fitsBand ? cell - style.marginBottom : cell;
        left = std::clamp(left, 0, std::max(0, cell - glyph.width));
        top = std::clamp(top, bandTop, std::max(bandTop, bandBottom - glyph.rows));

        const int cellX = (code % layout.columns) * cell;
        const int cellY = (code / layout.columns) * cell;  // from the top
        for (int y = 0; y < glyph.rows && top + y < cell; ++y) {
            for (int x = 0; x < glyph.width && left + x < cell; ++x) {
                canvas.at(cellX + left + x, cellY + top + y).a = glyph.at(x, y);
            }
        }
    }
    return toImage(canvas);
}
