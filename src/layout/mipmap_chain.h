#pragma once

#include "formats/tga_image.h"

// The smaller levels of a texture's mipmap chain, made on the CPU. No GL here: the texture loader uploads
// each level, and the tests check the sizes and averages without a context.

// The level below: each side halved and never below 1, each pixel the rounded average of the 2 x 2 block
// it covers (2 x 1 or 1 x 2 once a side is 1). An odd side's last row or column is dropped, as the
// halving of OpenGL's own mipmap generation does. Empty for an invalid image.
Image halvedImage(const Image& image);

// The number of levels from the full image down to 1 x 1, both included: a complete chain, which
// trilinear minification needs. 0 for an empty size.
int mipLevelCount(int width, int height);
