#include "levels/solver/deadlock.h"

#include <algorithm>
#include <cstdint>

namespace {

// Pulls a box backwards from the goal: the box reaches cell q from p = q - step when p is free and the
// keeper has a free cell behind p to push from.
std::vector<std::uint16_t> pushDistancesTo(const SolverLevel& level, int goal) {
    std::vector<std::uint16_t> distance(kSolverCellCount, kUnreachable);
    std::vector<int> queue{goal};
    distance[goal] = 0;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int cell = queue[head];
        for (const int step : kCellStep) {
            const int from = cell - step;
            if (level.wall[from] != 0 || level.wall[from - step] != 0) continue;
            if (distance[from] != kUnreachable) continue;
            distance[from] = static_cast<std::uint16_t>(distance[cell] + 1);
            queue.push_back(from);
        }
    }
    return distance;
}

// Proves boxes immobile. A box is blocked along an axis when a wall stands on either side, when both
// sides are dead squares, or when a box on either side is itself immobile. The boxes on the current
// chain of the proof count as walls; that is sound because a set of boxes in which each holds the others
// has no first box that could move. A proof that fails drops what it had gathered.
class FreezeProof {
public:
    FreezeProof(const SolverLevel& level, const DeadlockTables& tables,
                const std::vector<std::uint8_t>& boxAt)
        : level_(level), tables_(tables), boxAt_(boxAt) {}

    bool isImmobile(int cell) {
        if (--budget_ < 0) return false;  // a huge cluster: give up rather than prove
        chain_.push_back(cell);
        const std::size_t mark = immobile_.size();
        const bool result = axisBlocked(cell, 1) && axisBlocked(cell, kSolverGridWidth);
        chain_.pop_back();
        if (result) {
            immobile_.push_back(cell);
        } else {
            immobile_.resize(mark);
        }
        return result;
    }

    const std::vector<int>& immobileBoxes() const { return immobile_; }

private:
    bool onChain(int cell) const {
        for (const int chained : chain_) {
            if (chained == cell) return true;
        }
        return false;
    }

    bool axisBlocked(int cell, int step) {
        const int before = cell - step;
        const int after = cell + step;
        if (level_.wall[before] != 0 || level_.wall[after] != 0) return true;
        if (tables_.deadSquare[before] != 0 && tables_.deadSquare[after] != 0) return true;
        if (onChain(before) || onChain(after)) return true;
        if (boxAt_[before] != 0 && isImmobile(before)) return true;
        return boxAt_[after] != 0 && isImmobile(after);
    }

    const SolverLevel& level_;
    const DeadlockTables& tables_;
    const std::vector<std::uint8_t>& boxAt_;
    std::vector<int> chain_;
    std::vector<int> immobile_;
    int budget_ = 4096;
};

}  // namespace

DeadlockTables buildDeadlockTables(const SolverLevel& level) {
    DeadlockTables tables;
    for (int cell = 0; cell < kSolverCellCount; ++cell) {
        if (level.goal[cell] != 0 && level.wall[cell] == 0) tables.goals.push_back(cell);
    }
    for (const int goal : tables.goals) tables.pushDistance.push_back(pushDistancesTo(level, goal));
    tables.deadSquare.assign(kSolverCellCount, 0);
    for (int cell = 0; cell < kSolverCellCount; ++cell) {
        if (level.wall[cell] != 0) continue;
        bool reachesGoal = false;
        for (const auto& distance : tables.pushDistance)
            reachesGoal = reachesGoal || distance[cell] != kUnreachable;
        tables.deadSquare[cell] = reachesGoal ? 0 : 1;
    }
    return tables;
}

bool isFreezeDeadlock(const SolverLevel& level, const DeadlockTables& tables,
                      const std::vector<std::uint8_t>& boxAt, int cell) {
    FreezeProof proof(level, tables, boxAt);
    if (!proof.isImmobile(cell)) return false;
    for (const int box : proof.immobileBoxes()) {
        if (level.goal[box] == 0) return true;
    }
    return false;
}

int goalMatchingBound(const DeadlockTables& tables, const std::vector<int>& boxes) {
    // Hungarian method over boxes (rows) and goals (columns), rows <= columns. A missing route costs
    // kFar, more than any sum of real distances, so a cost of kFar or more means no assignment exists.
    constexpr std::int64_t kFar = std::int64_t{1} << 24;
    constexpr std::int64_t kInfinity = std::int64_t{1} << 50;
    const int rows = static_cast<int>(boxes.size());
    const int columns = static_cast<int>(tables.goals.size());
    if (rows == 0) return 0;
    if (rows > columns) return kNoMatching;
    auto cost = [&](int row, int column) -> std::int64_t {
        const std::uint16_t distance = tables.pushDistance[column - 1][boxes[row - 1]];
        return distance == kUnreachable ? kFar : distance;
    };
    // Fixed tables on the stack: the search calls this for every position it makes. A level with more
    // goals than the board holds boxes gets no bound at all, which is still a lower bound.
    constexpr int kMost = kMaxBoxes + 1;
    if (columns >= kMost) return 0;
    std::int64_t rowPotential[kMost] = {}, columnPotential[kMost] = {}, slack[kMost];
    int rowOfColumn[kMost] = {}, previousColumn[kMost] = {};
    char used[kMost];
    for (int row = 1; row <= rows; ++row) {
        rowOfColumn[0] = row;
        int column = 0;
        std::fill(slack, slack + columns + 1, kInfinity);
        std::fill(used, used + columns + 1, 0);
        do {
            used[column] = 1;
            const int currentRow = rowOfColumn[column];
            std::int64_t delta = kInfinity;
            int nextColumn = 0;
            for (int j = 1; j <= columns; ++j) {
                if (used[j] != 0) continue;
                const std::int64_t reduced =
                    cost(currentRow, j) - rowPotential[currentRow] - columnPotential[j];
                if (reduced < slack[j]) {
                    slack[j] = reduced;
                    previousColumn[j] = column;
                }
                if (slack[j] < delta) {
                    delta = slack[j];
                    nextColumn = j;
                }
            }
            for (int j = 0; j <= columns; ++j) {
                if (used[j] != 0) {
                    rowPotential[rowOfColumn[j]] += delta;
                    columnPotential[j] -= delta;
                } else {
                    slack[j] -= delta;
                }
            }
            column = nextColumn;
        } while (rowOfColumn[column] != 0);
        do {
            const int previous = previousColumn[column];
            rowOfColumn[column] = rowOfColumn[previous];
            column = previous;
        } while (column != 0);
    }
    std::int64_t total = 0;
    for (int j = 1; j <= columns; ++j) {
        if (rowOfColumn[j] != 0) total += cost(rowOfColumn[j], j);
    }
    return total >= kFar ? kNoMatching : static_cast<int>(total);
}

bool isDeadlockAfterPush(const SolverLevel& level, const DeadlockTables& tables,
                         const std::vector<std::uint8_t>& boxAt, const std::vector<int>& boxes,
                         int movedCell) {
    if (tables.deadSquare[movedCell] != 0) return true;
    if (isFreezeDeadlock(level, tables, boxAt, movedCell)) return true;
    return goalMatchingBound(tables, boxes) == kNoMatching;
}
