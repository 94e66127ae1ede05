#pragma once

#include <cstdint>
#include <vector>

#include "core/board.h"
#include "layout/floor_footprint.h"
#include "layout/shadow_geometry.h"
#include "math/mat4.h"

// The shadow volume sides of what does not move (the floor and goal tiles and the wall blocks) for one
// light, kept from frame to frame in the GL resources. They depend on the level's drawn cells, their
// matrices and the light, and are built again only when one of those changes: once per level while the
// light hangs over the level, and again whenever the lamp moves with the keeper.

// One cell's casters: its tile (floor or goal), then the wall block on it, if any.
struct CellVolume {
    int first = 0;      // index of its first side in StaticVolumes::quads
    int tileSides = 0;  // the tile's sides, then
    int wallSides = 0;  // the wall's
    int tileAbove = 0;  // of each, how many (coming first) hang from an edge above the floor
    int wallAbove = 0;
    Box3 tileBounds;  // the casters' world-space boxes
    Box3 wallBounds;
};

struct StaticVolumes {
    bool built = false;
    // What they were built from.
    Vec4 light;
    int extentX = -1;
    int extentY = -1;
    Cell cells[kBoardWidth][kBoardHeight] = {};
    Mat4 cellMatrices[kBoardWidth][kBoardHeight];
    // The sides, cell by cell in drawing order, each in its cell's own space.
    std::vector<ShadowQuad> quads;
    CellVolume volumes[kBoardWidth][kBoardHeight];
    Box3 bounds;  // around everything drawn of the cells: floor tiles, goal tiles and walls (world space)
};
