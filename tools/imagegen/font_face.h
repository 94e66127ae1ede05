#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <vector>

// A font file opened with FreeType for the life of the object.
class FontFace {
public:
    explicit FontFace(const std::string& path);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    bool valid() const { return face_ != nullptr; }
    FT_Face face() const { return face_; }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

// One rendered glyph: coverage 0 to 1 per pixel, row 0 at the top, placed relative to the pen on the
// baseline (left pixels right of it, top pixels above it).
struct GlyphBitmap {
    bool present = false;  // the font has a glyph for the code point
    int width = 0;
    int rows = 0;
    int left = 0;
    int top = 0;
    int advance = 0;  // pixels
    std::vector<float> coverage;

    float at(int x, int y) const { return coverage[static_cast<std::size_t>(y) * width + x]; }
};

enum class GlyphRendering {
    monochrome,  // hinted for one-bit output: crisp at tiny sizes
    light,       // light hinting, anti-aliased
};

// Renders the code point at the face's current size; absent when the font has no glyph for it.
GlyphBitmap renderGlyph(const FontFace& font, unsigned long codePoint, GlyphRendering rendering);
