#pragma once

#include <cstdint>
#include <vector>

#include "formats/tga_image.h"

// The painting surface of the image generator: floating-point RGBA (0 to 1, straight alpha) with row 0 at
// the TOP, the way one thinks while painting; toImage turns it into the game's bottom-first Image.

struct Colour {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 1;
};

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;

    Canvas(int w, int h, Colour fill = Colour{0, 0, 0, 0});
    Colour& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Colour& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // Wraps x and y around the edges: tiling textures paint across their borders.
    Colour& wrapped(int x, int y);
};

// One float per pixel, row 0 at the top: heights for relief, coverage masks for lettering.
struct FloatGrid {
    int width;
    int height;
    std::vector<float> values;

    FloatGrid(int w, int h) : width(w), height(h), values(static_cast<std::size_t>(w) * h, 0.0f) {}
    float& at(int x, int y) { return values[static_cast<std::size_t>(y) * width + x]; }
    float at(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }
    // 0 outside the grid.
    float orZero(int x, int y) const;
    // Wraps x and y around the edges.
    float wrapped(int x, int y) const;
};

// Calls paint(x, y, u, v) for every pixel of a width x height image, row by row from the top; (u, v) is
// the pixel's centre in 0..1 across the image.
template <typename Paint>
void forEachPixel(int width, int height, Paint paint) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) paint(x, y, (x + 0.5f) / width, (y + 0.5f) / height);
    }
}

Image toImage(const Canvas& canvas);
Canvas fromImage(const Image& image);

float clamp01(float v);
float mix(float a, float b, float t);
Colour mix(const Colour& a, const Colour& b, float t);
Colour scaled(const Colour& c, float factor);  // RGB times factor, alpha kept
float smoothstep(float edge0, float edge1, float x);
Colour rgb(int hex, float alpha = 1.0f);  // 0xRRGGBB

// Deterministic hashing: the same seed gives the same image on every build.
std::uint32_t hash32(std::uint32_t x);
std::uint32_t hash2(int x, int y, std::uint32_t seed);
float hashUnit(int x, int y, std::uint32_t seed);  // 0 to 1

// Smooth value noise on a lattice of period cells in each direction (so it tiles after period units),
// sampled at (x, y) in lattice units. Result 0 to 1.
float tiledNoise(float x, float y, int period, std::uint32_t seed);
// Sum of octaves of tiledNoise, each at twice the frequency and period of the last, normalised to 0..1.
// (u, v) in 0..1 across one tile; basePeriod lattice cells across the tile for the first octave.
float tiledFbm(float u, float v, int basePeriod, int octaves, std::uint32_t seed, float persistence = 0.5f);

// Box blur with the given radii in pixels, one per direction (0 leaves that direction alone); the
// edges repeat their outermost values.
void blurGrid(FloatGrid& grid, int radiusX, int radiusY);

// Alpha-blends src over the pixel at (x, y) with extra opacity.
void blendOver(Colour& dst, const Colour& src, float opacity = 1.0f);
