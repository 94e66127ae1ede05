#pragma once

#include <cstddef>
#include <string>

#include "levels/solver/solver_level.h"

class StateStore;

// The level solver: a search over box positions in which one step is one push, the keeper's position
// reduced to the area it can walk in. With the goal-matching bound it is an A* search and finds a
// solution with the fewest pushes; without it, a breadth-first search with the same result.

struct SolveOptions {
    std::size_t maxStates = 1000000;  // distinct positions stored before the search gives up
    double maxSeconds = 20.0;         // wall-clock limit; 0 for none
    bool pruneDeadlocks = true;       // drop positions with a box on a dead square or frozen off a goal
    bool useHeuristic = true;         // guide by the goal-matching bound (which also drops unmatched sets)
    // Positions (sorted box cells, then the reduced keeper cell) already known to be solvable: reaching
    // one ends the search as solved, with only the pushes up to it in the solution. For yes-or-no
    // questions, where a full solution is not wanted.
    const StateStore* knownSolvable = nullptr;
};

enum class SolveStatus {
    Solved,
    NoSolution,    // every position reachable was searched
    LimitReached,  // maxStates or maxSeconds ran out first
    NoKeeper,
};

struct SolveResult {
    SolveStatus status = SolveStatus::NoSolution;
    std::string solution;  // walks in lower case, pushes in upper case: u d l r
    int moves = 0;         // letters in solution
    int pushes = 0;        // upper-case letters
    std::size_t statesStored = 0;
    std::size_t statesExpanded = 0;
};

SolveResult solveLevel(const SolverLevel& level, const SolveOptions& options = SolveOptions{});

// Figures of a solution played from the level's start. boxLines counts runs of pushes of one box in one
// direction; boxChanges counts pushes of a different box than the push before. valid is false when a
// letter walks into a wall or pushes a box that cannot move; solved when every box ends on a goal.
struct SolutionFigures {
    bool valid = false;
    bool solved = false;
    int moves = 0;
    int pushes = 0;
    int boxLines = 0;
    int boxChanges = 0;
};

SolutionFigures measureSolution(const SolverLevel& level, const std::string& solution);
