#pragma once

#include "canvas.h"

// Surface relief for the material textures: a height field (one value per pixel, row 0 at the top) lit
// by a light from the upper left, so joints, bevels and grain read as depth under the game's own light.
using HeightField = FloatGrid;

// Multiplies each albedo pixel by the light falling on the relief: 1 on flat ground, brighter on slopes
// facing the light, darker on slopes turned away. strength scales the slopes (height units per pixel).
// wrap makes the slopes at the borders see the opposite border, for tiling textures.
void applyRelief(Canvas& albedo, const HeightField& heights, float strength, bool wrap);
