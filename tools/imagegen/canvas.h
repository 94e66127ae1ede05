#pragma once

#include <cstdint>
#include <vector>

#include "render/tga_image.h"

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

// Box blur of the alpha (or every channel) with wrap-around or clamped edges; radii in pixels, one per
// direction (0 leaves that direction alone).
void blurChannels(Canvas& canvas, int radiusX, int radiusY, bool wrap, bool alphaOnly);

// Alpha-blends src over the pixel at (x, y) with extra opacity.
void blendOver(Colour& dst, const Colour& src, float opacity = 1.0f);
