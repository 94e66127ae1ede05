#include "font_face.h"

#include <cmath>

FontFace::FontFace(const std::string& path) {
    if (FT_Init_FreeType(&library_) != 0) {
        library_ = nullptr;
        return;
    }
    if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0) face_ = nullptr;
}

FontFace::~FontFace() {
    if (face_ != nullptr) FT_Done_Face(face_);
    if (library_ != nullptr) FT_Done_FreeType(library_);
}

GlyphBitmap renderGlyph(const FontFace& font, unsigned long codePoint, GlyphRendering rendering) {
    GlyphBitmap glyph;
    FT_Face face = font.face();
    if (face == nullptr) return glyph;
    const FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (index == 0) return glyph;
    const bool mono = rendering == GlyphRendering::monochrome;
    const FT_Int32 flags = FT_LOAD_RENDER | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT);
    if (FT_Load_Glyph(face, index, flags) != 0) return glyph;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.present = true;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = static_cast<int>(std::lround(slot->advance.x / 64.0));
    glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
    for (int y = 0; y < glyph.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < glyph.width; ++x) {
            float value = 0.0f;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                value = ((row[x >> 3] >> (7 - (x & 7))) & 1) != 0 ? 1.0f : 0.0f;
            else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
                value = row[x] / static_cast<float>(bitmap.num_grays - 1);
            glyph.coverage[static_cast<std::size_t>(y) * glyph.width + x] = value;
        }
    }
    return glyph;
}
