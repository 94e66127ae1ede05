#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "levels/solver/solver_level.h"

// What the wrong pushes along a solution lead to. At every position of the solution each push the keeper
// could make instead of the solution's is played and judged: still solvable, dead in a way the solver's
// quick tests see at once (a box on a dead square, boxes frozen off their goals, boxes that cannot all be
// matched with goals), or dead where those tests see nothing. The last are traps: the player can make
// them and play on for a while before finding out.

enum class PushVerdict {
    Solvable,
    Corner,          // a box pushed into a corner off the goals
    WallLine,        // a box pushed against a wall along which it can never reach a goal
    DeadCorridor,    // a box pushed into a corridor one cell wide that leads it to no goal
    Freeze,          // boxes that hold each other still, one of them off its goal
    Unmatched,       // the boxes can no longer each reach a goal of their own
    CorridorBlock,   // a trap: the box stands in a corridor one cell wide and cannot be fetched back
    FillingOrder,    // a trap: the box stands on a goal and fills it too early
    HiddenDeadlock,  // a trap of any other shape
    Unknown,         // the search for a proof ran out of its budget
};
constexpr int kPushVerdictCount = 10;

struct TrapSurvey {
    bool valid = false;                           // the solution replays and solves the level
    int pushes = 0;                               // pushes of the solution
    std::array<int, kPushVerdictCount> counts{};  // wrong pushes by verdict
    int traps() const;
    double trapsPerPush() const { return pushes > 0 ? static_cast<double>(traps()) / pushes : 0.0; }
};

bool isTrap(PushVerdict verdict);

// budget: positions searched to prove one wrong push solvable or dead.
TrapSurvey surveyTraps(const SolverLevel& level, const std::string& solution, std::size_t budget = 150000);

// The verdict on one position that a push of the box now on movedCell in direction led to.
PushVerdict judgePush(const SolverLevel& level, const std::vector<int>& boxes, int keeper, int movedCell,
                      int direction, std::size_t budget = 150000);
