#pragma once

#include <string>
#include <vector>

#include "levels/generator/random.h"
#include "levels/solver/solver_level.h"

// Rooms for the generator: a floor plan drawn at random (an outline of one of several families, wall
// pieces inside), goals placed on it, and the level rows written back out with an outline that
// follows the floor.

struct RoomShape {
    int minFloorPerBox, maxFloorPerBox;  // the room's size follows its boxes: floor cells per box
    int minWallPercent, maxWallPercent;  // wall pieces dropped inside, as a share of the floor
};

// The walls of a new level for boxes boxes: floor where the room is, walls everywhere else; no goals,
// boxes or keeper. Every floor cell has at least two floor neighbours and all the floor is connected.
SolverLevel drawRoom(Random& random, const RoomShape& shape, int boxes);

// count goal cells, gathered in one store area or scattered; empty when the floor is too small.
std::vector<int> placeGoals(Random& random, const SolverLevel& level, int count);

// Whether every floor cell reaches every other and none is a dead end (walls on three sides).
bool isOpenAndConnected(const SolverLevel& level);

// The level file rows of a level: walls that touch the floor (also diagonally) are written, the rest are
// spaces; one-cell notches in the outline are filled; rows are shifted to the top-left corner.
std::vector<std::string> levelRows(const SolverLevel& level);
