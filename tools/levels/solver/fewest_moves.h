#pragma once

#include "levels/solver/solver.h"

// A solution with the fewest pushes and, among those, the fewest moves. The keeper's exact cell is part
// of every position here (the push solver only keeps the area it can walk in), so this search stores
// several times as many positions; it is for rating levels, not for generating them.
SolveResult solveFewestMoves(const SolverLevel& level, const SolveOptions& options = SolveOptions{});
