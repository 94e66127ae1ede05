#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// TGA images in memory, as the renderer uploads them and the image generator writes them. No GL here: the
// texture loader turns an Image into a texture, and tools and tests use the same record without a context.

// 8-bit RGBA pixels, rows ordered bottom row first: pixel (0, 0) is the image's lower-left corner, which is
// where OpenGL puts texture coordinate (0, 0) when the rows are uploaded in this order.
struct Image {
    int width = 0;                     // pixels; 0 for the empty image
    int height = 0;                    // pixels; 0 for the empty image
    std::vector<std::uint8_t> pixels;  // width * height * 4 bytes
};

// Larger sides are refused as corrupt: no image of ours comes near this, and a hostile header could
// otherwise ask for gigabytes.
constexpr int kMaxImageSide = 4096;

// True for a non-empty image whose pixel buffer matches its size.
bool isImageValid(const Image& image);

// An image of the given size with every pixel set to the given colour; empty for a size out of range.
Image makeImage(int width, int height, std::uint8_t r = 0, std::uint8_t g = 0, std::uint8_t b = 0,
                std::uint8_t a = 0);

// The four bytes of pixel (x, y), x rightwards and y upwards from the lower-left corner. The caller
// keeps x and y inside the image.
std::uint8_t* pixelAt(Image& image, int x, int y);
const std::uint8_t* pixelAt(const Image& image, int x, int y);

// Decodes TGA bytes of any common kind (true-colour, grey or colour-mapped, 15 to 32 bits, plain or
// run-length encoded, either origin). Anything that is not such an image, claims a side above
// kMaxImageSide or is too short for its own pixel data gives the empty image.
Image decodeTgaImage(const std::uint8_t* data, std::size_t size);

// Reads and decodes a TGA file. A missing, unreadable or malformed file gives the empty image; nothing is
// printed (the texture loader writes the game's own failure line).
Image loadTgaImage(const std::string& path);

// The image as an uncompressed 32-bit TGA with a lower-left origin; empty for an invalid image.
std::vector<std::uint8_t> encodeTgaImage(const Image& image);

// Writes encodeTgaImage's bytes to a file (replacing it). False when the image is invalid or the file
// cannot be written completely.
bool saveTgaImage(const std::string& path, const Image& image);
