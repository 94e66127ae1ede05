#pragma once

#include <vector>

#include "canvas.h"

// Surface relief for the material textures: a height field (one value per pixel, row 0 at the top) lit
// by a light from the upper left, so joints, bevels and grain read as depth under the game's own light.
struct HeightField {
    int width;
    int height;
    std::vector<float> values;

    HeightField(int w, int h) : width(w), height(h), values(static_cast<std::size_t>(w) * h, 0.0f) {}
    float& at(int x, int y) { return values[static_cast<std::size_t>(y) * width + x]; }
    float at(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }
    float wrapped(int x, int y) const;
};

// Multiplies each albedo pixel by the light falling on the relief: 1 on flat ground, brighter on slopes
// facing the light, darker on slopes turned away. strength scales the slopes (height units per pixel).
// wrap makes the slopes at the borders see the opposite border, for tiling textures.
void applyRelief(Canvas& albedo, const HeightField& heights, float strength, bool wrap);
