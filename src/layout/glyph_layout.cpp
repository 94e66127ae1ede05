#include "layout/glyph_layout.h"

#include <cassert>
#include <cstring>

GlyphCell glyphCell(int columns, int rows, int code) {
    assert(columns > 0 && rows > 0 && code >= 0 && code < columns * rows);
    const float column = static_cast<float>(code % columns);
    const float rowFromBottom = static_cast<float>(rows - 1 - code / columns);
    const float columnCount = static_cast<float>(columns);
    const float rowCount = static_cast<float>(rows);
    return GlyphCell{column / columnCount, (column + 1.0f) / columnCount, rowFromBottom / rowCount,
                     (rowFromBottom + 1.0f) / rowCount};
}

float centredTextX(const char* text, const WindowSettings& window, unsigned int halfAdvance) {
    const long long length = text == nullptr ? 0 : static_cast<long long>(std::strlen(text));
    const long long x =
        static_cast<long long>(window.width / 2) - length * static_cast<long long>(halfAdvance);
    return static_cast<float>(x);
}
