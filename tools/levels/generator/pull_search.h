#pragma once

#include <cstddef>
#include <vector>

#include "levels/generator/random.h"
#include "levels/solver/solver_level.h"

// Start positions found backwards: a breadth-first search from every solved position that pulls boxes
// instead of pushing them, layer by layer. Every pull undoes one push, so the last layers hold positions
// far from solved. In larger rooms a layer is cut down to a random sample of beamWidth positions, which
// lets the search go deep for a bounded price; a position's layer is then only an upper bound on the
// pushes it needs, and the forward solver has the last word.

struct PulledStart {
    std::vector<int> boxes;  // ascending
    int keeper = kNoCell;    // a cell of the keeper's area
    int depth = 0;           // the layer it was found in
    int boxesOnGoals = 0;
    int bound = 0;  // the goal-matching bound: it needs at least this many pushes
};

// The positions of the last layers reached, those up to slack layers short of the deepest, when beamWidth
// is 0 and the search keeps every position. With a beam, the positions of every layer whose boxes lie
// farthest from the goals by the matching bound (which no solution can beat), the farthest first. The
// search stops after the layer in which it has seen maxStates positions.
std::vector<PulledStart> deepestStarts(const SolverLevel& level, const std::vector<int>& goals,
                                       Random& random, std::size_t beamWidth, std::size_t maxStates,
                                       int slack = 0);
