#pragma once

#include "formats/asset_files.h"
#include "math/vec.h"

// The GL-free arithmetic of model drawing.

inline bool isTextureSlot(int slot) {
    return slot >= 1 && slot <= kTextureSlotCount;
}

// The lamp's grey level at a vertex: 1 at the light, 0 at a distance of 2 pi, negative beyond (passed on
// unchanged). The object's turn takes no part: offset is only its translation.
float lampGreyLevel(Vec4 light, Vec3 position, Vec3 offset);

// Floor texture coordinates in cells / 8: the floor image repeats every 8 cells and runs on across tiles.
struct PlanarCoord {
    float u;
    float v;
};
PlanarCoord planarTexCoord(int column, int row, Vec3 position);

// A tile's model-space vertex moved to its cell: (column, 0, row) added.
Vec3 cellPosition(int column, int row, Vec3 position);
