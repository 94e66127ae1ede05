#include "layout/mipmap_chain.h"

#include <algorithm>
#include <cstddef>

Image halvedImage(const Image& image) {
    if (!isImageValid(image)) return Image{};
    const int width = std::max(1, image.width / 2);
    const int height = std::max(1, image.height / 2);
    // Offsets of the second source column and row; 0 where that side is already 1 pixel.
    const int dx = image.width > 1 ? 1 : 0;
    const int dy = image.height > 1 ? 1 : 0;
    Image half = makeImage(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int sx = x * 2;
            const int sy = y * 2;
            const std::uint8_t* a = pixelAt(image, sx, sy);
            const std::uint8_t* b = pixelAt(image, sx + dx, sy);
            const std::uint8_t* c = pixelAt(image, sx, sy + dy);
            const std::uint8_t* d = pixelAt(image, sx + dx, sy + dy);
            std::uint8_t* out = pixelAt(half, x, y);
            for (std::size_t channel = 0; channel < 4; ++channel) {
                const int sum = a[channel] + b[channel] + c[channel] + d[channel];
                out[channel] = static_cast<std::uint8_t>((sum + 2) / 4);
            }
        }
    }
    return half;
}

int mipLevelCount(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    int levels = 1;
    for (int side = std::max(width, height); side > 1; side /= 2) ++levels;
    return levels;
}
