#include "levels/solver/fewest_moves.h"

#include <algorithm>
#include <cstdint>
#include <queue>
#include <vector>

#include "levels/solver/deadlock.h"
#include "levels/solver/state_store.h"

namespace {

constexpr std::uint8_t kNoPush = 0xFF;
constexpr int kNoDistance = -1;

struct MoveNode {
    std::int32_t parent = -1;
    std::int32_t pushes = 0;
    std::int32_t moves = 0;
    std::uint16_t pushedFrom = 0;  // the cell the last pushed box left: the keeper's cell now
    std::uint8_t direction = kNoPush;
    bool expanded = false;
};

// Ordered by the push estimate, then the moves so far: with the goal-matching bound (which a push changes
// by at most one) the first solved position taken has the fewest pushes and, among them, the fewest moves.
struct MoveEntry {
    std::int32_t estimate;
    std::int32_t pushes;
    std::int32_t moves;
    std::uint32_t order;
    std::int32_t node;
    bool operator<(const MoveEntry& other) const {
        if (estimate != other.estimate) return estimate > other.estimate;
        if (moves != other.moves) return moves > other.moves;
        return order > other.order;
    }
};

// Walking distance of the keeper from keeper to every cell, around walls and boxes.
void walkDistances(const SolverLevel& level, const std::vector<std::uint8_t>& boxAt, int keeper,
                   std::vector<int>& distance, std::vector<int>& queue) {
    std::fill(distance.begin(), distance.end(), kNoDistance);
    queue.assign(1, keeper);
    distance[keeper] = 0;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int cell = queue[head];
        for (const int step : kCellStep) {
            const int next = cell + step;
            if (distance[next] != kNoDistance || level.wall[next] != 0 || boxAt[next] != 0) continue;
            distance[next] = distance[cell] + 1;
            queue.push_back(next);
        }
    }
}

std::string spellMoves(const SolverLevel& level, const std::vector<MoveNode>& nodes, std::int32_t node) {
    std::vector<const MoveNode*> pushes;
    for (std::int32_t at = node; nodes[at].parent >= 0; at = nodes[at].parent) pushes.push_back(&nodes[at]);
    std::reverse(pushes.begin(), pushes.end());
    std::vector<std::uint8_t> boxAt = boxOccupancy(level.boxes);
    int keeper = level.keeper;
    std::string letters;
    for (const MoveNode* push : pushes) {
        const int from = push->pushedFrom;
        keeperWalk(level, boxAt, keeper, from - kCellStep[push->direction], letters);
        letters += kPushLetter[push->direction];
        boxAt[from] = 0;
        boxAt[from + kCellStep[push->direction]] = 1;
        keeper = from;
    }
    return letters;
}

}  // namespace

SolveResult solveFewestMoves(const SolverLevel& level, const SolveOptions& options) {
    SolveResult result;
    if (level.keeper == kNoCell || level.wall[level.keeper] != 0) {
        result.status = SolveStatus::NoKeeper;
        return result;
    }
    const DeadlockTables tables = buildDeadlockTables(level);
    const int boxCount = static_cast<int>(level.boxes.size());
    StateStore store(boxCount);
    std::vector<MoveNode> nodes;
    std::priority_queue<MoveEntry> open;
    std::uint32_t order = 0;
    std::vector<std::uint8_t> boxAt(kSolverCellCount, 0);
    std::vector<int> boxes(level.boxes);
    std::vector<std::uint16_t> state(static_cast<std::size_t>(boxCount) + 1);
    std::vector<int> distance(kSolverCellCount);
    std::vector<int> queue;
    // The same boxes come back with the keeper on every side of them: their bound (or -1 for a dead
    // set) is worked out once.
    StateStore boxSets(boxCount, 0);
    std::vector<int> boxSetBound;
    auto boundOf = [&](int movedCell) {
        for (int i = 0; i < boxCount; ++i) state[i] = static_cast<std::uint16_t>(boxes[i]);
        std::sort(state.begin(), state.begin() + boxCount);
        bool added = false;
        const std::int32_t index = boxSets.findOrAdd(state.data(), added);
        if (added) {
            boxSetBound.push_back(
                isFreezeDeadlock(level, tables, boxAt, movedCell) ? -1 : goalMatchingBound(tables, boxes));
        }
        return boxSetBound[index];
    };

    auto offer = [&](std::int32_t parent, int keeper, int pushes, int moves, int direction, int bound) {
        for (int i = 0; i < boxCount; ++i) state[i] = static_cast<std::uint16_t>(boxes[i]);
        std::sort(state.begin(), state.begin() + boxCount);
        state[boxCount] = static_cast<std::uint16_t>(keeper);
        bool added = false;
        const std::int32_t index = store.findOrAdd(state.data(), added);
        if (added) nodes.emplace_back();
        MoveNode& node = nodes[index];
        if (!added &&
            (node.expanded || node.pushes < pushes || (node.pushes == pushes && node.moves <= moves)))
            return;
        node = MoveNode{
            parent, pushes, moves, static_cast<std::uint16_t>(keeper), static_cast<std::uint8_t>(direction),
            false};
        open.push(MoveEntry{pushes + bound, pushes, moves, order++, index});
    };

    const int startBound = goalMatchingBound(tables, boxes);
    result.status = SolveStatus::NoSolution;
    if (startBound < 0) return result;
    offer(-1, level.keeper, 0, 0, kNoPush, startBound);

    while (!open.empty()) {
        const MoveEntry entry = open.top();
        open.pop();
        MoveNode& node = nodes[entry.node];
        if (node.expanded || node.pushes != entry.pushes || node.moves != entry.moves) continue;
        node.expanded = true;
        ++result.statesExpanded;
        const std::uint16_t* current = store.state(entry.node);
        bool solved = true;
        for (int i = 0; i < boxCount; ++i) solved = solved && level.goal[current[i]] != 0;
        if (solved) {
            result.status = SolveStatus::Solved;
            result.solution = spellMoves(level, nodes, entry.node);
            break;
        }
        if (store.size() >= options.maxStates) {
            result.status = SolveStatus::LimitReached;
            break;
        }
        const int pushes = node.pushes + 1;
        const int moves = node.moves;
        boxes.assign(current, current + boxCount);
        for (const int cell : boxes) boxAt[cell] = 1;
        walkDistances(level, boxAt, current[boxCount], distance, queue);
        for (int i = 0; i < boxCount; ++i) {
            const int from = boxes[i];
            for (int direction = 0; direction < 4; ++direction) {
                const int to = from + kCellStep[direction];
                const int walk = distance[from - kCellStep[direction]];
                if (walk == kNoDistance || level.wall[to] != 0 || boxAt[to] != 0) continue;
                if (tables.deadSquare[to] != 0) continue;
                boxAt[from] = 0;
                boxAt[to] = 1;
                boxes[i] = to;
                const int bound = boundOf(to);
                if (bound >= 0) offer(entry.node, from, pushes, moves + walk + 1, direction, bound);
                boxes[i] = from;
                boxAt[to] = 0;
                boxAt[from] = 1;
            }
        }
        for (const int cell : boxes) boxAt[cell] = 0;
    }
    result.statesStored = store.size();
    result.moves = static_cast<int>(result.solution.size());
    result.pushes = static_cast<int>(std::count_if(result.solution.begin(), result.solution.end(),
                                                   [](char c) { return c >= 'A' && c <= 'Z'; }));
    return result;
}
