#include "render/glyph_layout.h"

#include <cassert>

GlyphCell glyphCell(int columns, int rows, int code) {
    assert(columns > 0 && rows > 0 && code >= 0 && code < columns * rows);
    const float column = static_cast<float>(code % columns);
    const float rowFromBottom = static_cast<float>(rows - 1 - code / columns);
    const float columnCount = static_cast<float>(columns);
    const float rowCount = static_cast<float>(rows);
    return GlyphCell{column / columnCount, (column + 1.0f) / columnCount, rowFromBottom / rowCount,
                     (rowFromBottom + 1.0f) / rowCount};
}
