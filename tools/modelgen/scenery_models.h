#pragma once

#include "core/board.h"
#include "formats/model.h"

// The four scenery models. The scene draws a cell's models translated to (column, 0, row), so each is
// centred on its origin in x and z within -0.5..0.5 and stands on the floor plane y = 0.

// Texture slots the models name (the game's texture table).
constexpr int kSlotFloor = 2;
constexpr int kSlotWallTop = 3;
constexpr int kSlotWallSide = 4;
constexpr int kSlotCrateSide = 6;
constexpr int kSlotCrateTop = 7;
constexpr int kSlotLegs = 8;
constexpr int kSlotBody = 9;
constexpr int kSlotHead = 10;

// Two triangles filling the cell at y = 0. Open: a floor tile is a surface, and its shadow falls below
// the floor where nothing can see it.
Model buildFloorTile();

// A 1 x 1 x 1 block on the floor: brick sides, a capstone top, the bottom shadow-only.
Model buildWallBlock();

// A bevelled 0.86 crate on the floor: plank sides with the bevels on the texture's border, a separate top
// material, the bottom shadow-only.
Model buildCrate();

// A flat decal at y = 0.005 covering the whole cell (drawn blended over the floor tile, or alone when the
// lamp is on): floor-textured ground with an inlaid capstone frame and diamond. The frame's outer band
// stays visible around a crate standing on the goal.
Model buildGoalTile();
