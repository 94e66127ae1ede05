#pragma once

#include <string>
#include <vector>

#include "levels/solver/solver_level.h"

// The shape of a level's floor: how much of it play uses, how ragged its outline is, how much of it is
// corridor one cell wide, and how alike two floors are.

// Cells the keeper could walk on with every box taken away, as solver cells (ascending).
std::vector<int> floorCells(const SolverLevel& level);

// Floor-to-wall cell sides over 4 sqrt(floor cells): 1.0 for a square room, more for every notch, pillar
// and arm.
double outlineRaggedness(const SolverLevel& level);

// Share of the floor in corridors one cell wide: walls on both sides along a row or along a column.
double corridorShare(const SolverLevel& level);

// Share of the floor that neither the keeper nor a box touches while the solution is played; 1.0 when
// the solution does not replay.
double unusedFloorShare(const SolverLevel& level, const std::string& solution);

// The longest run of walking letters in a solution.
int longestWalk(const std::string& solution);

// How far two floors cover each other: the most cells they share, over every shift and every one of the
// eight turns and mirror images of the second, divided by the larger floor.
double floorOverlap(const SolverLevel& first, const SolverLevel& second);
