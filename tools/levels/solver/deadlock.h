#pragma once

#include <cstdint>
#include <vector>

#include "levels/solver/solver_level.h"

// Positions from which the level can no longer be solved, found without searching: boxes on cells from
// which no push leads to a goal, groups of boxes that lock each other in place off the goals, and box
// sets that cannot be matched one to one with goals. Every test here is conservative: it may miss a
// deadlock, but it never calls a solvable position dead.

constexpr std::uint16_t kUnreachable = 0xFFFF;

// Per-level tables, computed once before a search.
struct DeadlockTables {
    std::vector<int> goals;  // goal cells, ascending
    // pushDistance[g][cell]: fewest pushes that bring a box from cell to goal g on a board without other
    // boxes, kUnreachable when none do. The keeper's access is only checked locally (a free cell behind
    // the box), so this never overestimates.
    std::vector<std::vector<std::uint16_t>> pushDistance;
    std::vector<std::uint8_t> deadSquare;  // 1 for a floor cell from which no goal can be reached
};

DeadlockTables buildDeadlockTables(const SolverLevel& level);

// Whether the box on cell can never move again, together with the boxes that hold it, while one of
// them stands off a goal. boxAt marks every box of the position.
bool isFreezeDeadlock(const SolverLevel& level, const DeadlockTables& tables,
                      const std::vector<std::uint8_t>& boxAt, int cell);

// Lower bound on the pushes still needed: the cheapest one-to-one assignment of boxes to goals under
// pushDistance. kNoMatching when some box can reach no free goal in any assignment.
constexpr int kNoMatching = -1;
int goalMatchingBound(const DeadlockTables& tables, const std::vector<int>& boxes);

// The three tests after a push that left a box on movedCell.
bool isDeadlockAfterPush(const SolverLevel& level, const DeadlockTables& tables,
                         const std::vector<std::uint8_t>& boxAt, const std::vector<int>& boxes,
                         int movedCell);
