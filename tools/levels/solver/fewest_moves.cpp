#include "levels/solver/fewest_moves.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "levels/solver/deadlock.h"
#include "levels/solver/push_search.h"

namespace {

constexpr int kNoDistance = -1;

// Fewest pushes, then fewest moves: positions keep the keeper's exact cell, a route's cost counts the
// walks as well, and among equal push estimates the fewer moves go first. With the goal-matching bound
// (which a push changes by at most one) the first solved position taken has the fewest pushes and, among
// them, the fewest moves.
class FewestPushesThenMoves {
public:
    struct Cost {
        std::int32_t pushes = 0;
        std::int32_t moves = 0;
    };
    static bool cheaper(Cost a, Cost b) {
        return a.pushes < b.pushes || (a.pushes == b.pushes && a.moves < b.moves);
    }
    static int tie(Cost cost) { return cost.moves; }
    static Cost afterPush(Cost cost, int walk) { return {cost.pushes + 1, cost.moves + walk + 1}; }
    static int pushesOf(Cost cost) { return cost.pushes; }

    FewestPushesThenMoves(const SolverLevel& level, const SolveOptions&)
        : level_(level),
          tables_(buildDeadlockTables(level)),
          boxSets_(static_cast<int>(level.boxes.size()), 0),
          boxSet_(level.boxes.size()) {}

    int startBound(const std::vector<int>& boxes) const { return goalMatchingBound(tables_, boxes); }
    int storedKeeper(const std::vector<std::uint8_t>&, int keeper) const { return keeper; }
    // Walking distance of the keeper to every cell, around walls and boxes.
    void standAt(const std::vector<std::uint8_t>& boxAt, int keeper) {
        std::fill(distance_.begin(), distance_.end(), kNoDistance);
        queue_.assign(1, keeper);
        distance_[keeper] = 0;
        for (std::size_t head = 0; head < queue_.size(); ++head) {
            const int cell = queue_[head];
            for (const int step : kCellStep) {
                const int next = cell + step;
                if (distance_[next] != kNoDistance || level_.wall[next] != 0 || boxAt[next] != 0) continue;
                distance_[next] = distance_[cell] + 1;
                queue_.push_back(next);
            }
        }
    }
    int walkTo(int cell) const { return distance_[cell]; }
    bool deadSquare(int cell) const { return tables_.deadSquare[cell] != 0; }
    // The same boxes come back with the keeper on every side of them: their bound (or -1 for a dead set)
    // is worked out once.
    int bound(const std::vector<int>& boxes, const std::vector<std::uint8_t>& boxAt, int movedCell) {
        for (std::size_t i = 0; i < boxes.size(); ++i) boxSet_[i] = static_cast<std::uint16_t>(boxes[i]);
        std::sort(boxSet_.begin(), boxSet_.end());
        bool added = false;
        const std::int32_t index = boxSets_.findOrAdd(boxSet_.data(), added);
        if (added) {
            boxSetBound_.push_back(
                isFreezeDeadlock(level_, tables_, boxAt, movedCell) ? -1 : goalMatchingBound(tables_, boxes));
        }
        return boxSetBound_[index];
    }

private:
    const SolverLevel& level_;
    const DeadlockTables tables_;
    std::vector<int> distance_ = std::vector<int>(kSolverCellCount);
    std::vector<int> queue_;
    StateStore boxSets_;
    std::vector<std::uint16_t> boxSet_;
    std::vector<int> boxSetBound_;
};

}  // namespace

SolveResult solveFewestMoves(const SolverLevel& level, const SolveOptions& options) {
    // Positions known solvable are stored with the keeper's area, not its cell: they mean nothing here.
    SolveOptions limits = options;
    limits.knownSolvable = nullptr;
    return searchByPushes<FewestPushesThenMoves>(level, limits);
}
