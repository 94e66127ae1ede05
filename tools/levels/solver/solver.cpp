#include "levels/solver/solver.h"

#include <cstdint>
#include <vector>

#include "levels/solver/deadlock.h"
#include "levels/solver/push_search.h"

namespace {

// Fewest pushes. The keeper's position is reduced to the area it can walk in (its lowest cell), so
// positions that differ only by a walk are one; among equal estimates the deeper position goes first, as
// it is nearer a solution.
class FewestPushes {
public:
    struct Cost {
        std::int32_t pushes = 0;
    };
    static bool cheaper(Cost a, Cost b) { return a.pushes < b.pushes; }
    static int tie(Cost cost) { return -cost.pushes; }
    static Cost afterPush(Cost cost, int) { return {cost.pushes + 1}; }
    static int pushesOf(Cost cost) { return cost.pushes; }

    FewestPushes(const SolverLevel& level, const SolveOptions& options)
        : level_(level), options_(options), tables_(buildDeadlockTables(level)) {}

    int startBound(const std::vector<int>& boxes) const {
        if (boxes.size() > tables_.goals.size()) return -1;
        return estimate(boxes);
    }
    int storedKeeper(const std::vector<std::uint8_t>& boxAt, int keeper) {
        return reach_.fill(level_, boxAt, keeper);
    }
    void standAt(const std::vector<std::uint8_t>& boxAt, int keeper) { here_.fill(level_, boxAt, keeper); }
    int walkTo(int cell) const { return here_.reached(cell) ? 0 : -1; }
    bool deadSquare(int cell) const { return options_.pruneDeadlocks && tables_.deadSquare[cell] != 0; }
    int bound(const std::vector<int>& boxes, const std::vector<std::uint8_t>& boxAt, int movedCell) const {
        if (options_.pruneDeadlocks && isFreezeDeadlock(level_, tables_, boxAt, movedCell)) return -1;
        return estimate(boxes);
    }

private:
    // Without the goal-matching bound the search goes push by push, breadth first.
    int estimate(const std::vector<int>& boxes) const {
        return options_.useHeuristic ? goalMatchingBound(tables_, boxes) : 0;
    }

    const SolverLevel& level_;
    const SolveOptions& options_;
    const DeadlockTables tables_;
    KeeperReach reach_;  // refilled for every new position, to reduce its keeper cell
    KeeperReach here_;   // the position being expanded: where the keeper can push from
};

}  // namespace

SolveResult solveLevel(const SolverLevel& level, const SolveOptions& options) {
    return searchByPushes<FewestPushes>(level, options);
}

SolutionFigures measureSolution(const SolverLevel& level, const std::string& solution) {
    SolutionFigures figures;
    if (level.keeper == kNoCell) return figures;
    std::vector<std::uint8_t> boxAt = boxOccupancy(level.boxes);
    int keeper = level.keeper;
    int lastBoxCell = kNoCell;  // where the box pushed last now stands
    int lastDirection = -1;
    for (const char letter : solution) {
        const int direction = solutionLetterDirection(letter);
        if (direction < 0) return figures;
        const int next = keeper + kCellStep[direction];
        if (level.wall[next] != 0) return figures;
        const bool push = boxAt[next] != 0;
        if (push != (letter >= 'A' && letter <= 'Z')) return figures;
        if (push) {
            const int beyond = next + kCellStep[direction];
            if (level.wall[beyond] != 0 || boxAt[beyond] != 0) return figures;
            boxAt[next] = 0;
            boxAt[beyond] = 1;
            ++figures.pushes;
            if (next != lastBoxCell) {
                ++figures.boxLines;
                if (lastBoxCell != kNoCell) ++figures.boxChanges;
            } else if (direction != lastDirection) {
                ++figures.boxLines;
            }
            lastBoxCell = beyond;
            lastDirection = direction;
        }
        keeper = next;
        ++figures.moves;
    }
    figures.valid = true;
    figures.solved = true;
    for (int cell = 0; cell < kSolverCellCount; ++cell) {
        if (boxAt[cell] != 0 && level.goal[cell] == 0) figures.solved = false;
    }
    return figures;
}
