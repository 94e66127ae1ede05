#pragma once

#include <string>

#include "canvas.h"
#include "formats/tga_image.h"
#include "glyph_grid.h"

// Pictures for a person to look at while tuning the images: PNG files of the images themselves and of a
// few previews of how the game shows them. Not part of the game data.

bool savePng(const std::string& path, const Image& image);

// Text drawn the way the game draws it, one cell of the grid image per byte at a fixed advance, tinted
// with the colour, over whatever the canvas holds. (x, y) is the text's top-left corner, y downwards.
void drawGridText(Canvas& target, const Image& grid, const GlyphGridLayout& layout, const std::string& text,
                  int x, int y, const Colour& tint);

// An image scaled to a new size with bilinear filtering (the way a stretched texture is drawn).
Canvas resampled(const Canvas& source, int width, int height, bool wrap);

// Reads the 16 images back from the game directory with the game's own reader and writes them, and
// previews of the title, loading, fade, fog and mini-map screens, as PNG files into previewDirectory.
// Returns the number of images that could not be read back.
int writePreviews(const std::string& gameDirectory, const std::string& previewDirectory);
