#include "levels/solver/solver.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <queue>
#include <vector>

#include "levels/solver/deadlock.h"
#include "levels/solver/state_store.h"

namespace {

constexpr std::uint8_t kNoPush = 0xFF;

// One stored position. The boxes and the reduced keeper cell live in StateStore; these are the search's
// own fields.
struct SearchNode {
    std::int32_t parent = -1;
    std::int32_t pushes = 0;       // pushes from the start along the best route known
    std::uint16_t keeper = 0;      // where the keeper actually stands (the reduced cell is in the store)
    std::uint16_t pushedFrom = 0;  // cell the last pushed box left, where the keeper now stands
    std::uint8_t direction = kNoPush;
    bool expanded = false;
};

// Open-list entry: lowest estimate first, then the deeper position (it is nearer a solution), then the
// older entry, so the search order never depends on anything but the level.
struct OpenEntry {
    std::int32_t estimate;
    std::int32_t pushes;
    std::uint32_t order;
    std::int32_t node;
    bool operator<(const OpenEntry& other) const {
        if (estimate != other.estimate) return estimate > other.estimate;
        if (pushes != other.pushes) return pushes < other.pushes;
        return order > other.order;
    }
};

bool allOnGoals(const SolverLevel& level, const std::uint16_t* boxes, int count) {
    for (int i = 0; i < count; ++i) {
        if (level.goal[boxes[i]] == 0) return false;
    }
    return true;
}

bool isKnownSolvable(const SolveOptions& options, const std::uint16_t* state) {
    return options.knownSolvable != nullptr && options.knownSolvable->find(state) >= 0;
}

// Rebuilds the letters of a solution from the chain of pushes that ends at node.
std::string spellSolution(const SolverLevel& level, const std::vector<SearchNode>& nodes, std::int32_t node) {
    std::vector<const SearchNode*> pushes;
    for (std::int32_t at = node; nodes[at].parent >= 0; at = nodes[at].parent) pushes.push_back(&nodes[at]);
    std::reverse(pushes.begin(), pushes.end());
    std::vector<std::uint8_t> boxAt = boxOccupancy(level.boxes);
    int keeper = level.keeper;
    std::string letters;
    for (const SearchNode* push : pushes) {
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

SolveResult solveLevel(const SolverLevel& level, const SolveOptions& options) {
    SolveResult result;
    if (level.keeper == kNoCell || level.wall[level.keeper] != 0) {
        result.status = SolveStatus::NoKeeper;
        return result;
    }
    const auto started = std::chrono::steady_clock::now();
    const DeadlockTables tables = buildDeadlockTables(level);
    const int boxCount = static_cast<int>(level.boxes.size());
    const std::size_t stride = static_cast<std::size_t>(boxCount) + 1;

    StateStore store(boxCount);
    std::vector<SearchNode> nodes;
    std::priority_queue<OpenEntry> open;
    std::uint32_t order = 0;
    KeeperReach reach;  // refilled for every new position, to reduce its keeper cell
    KeeperReach here;   // the position being expanded: where the keeper can push from
    std::vector<std::uint8_t> boxAt(kSolverCellCount, 0);
    std::vector<int> boxes(level.boxes);
    std::vector<std::uint16_t> state(stride);

    // Estimate of the pushes left, or -1 for a position that cannot be solved.
    auto estimate = [&](const std::vector<int>& boxList) {
        if (!options.useHeuristic) return 0;
        return goalMatchingBound(tables, boxList);
    };
    auto offer = [&](std::int32_t parent, int keeper, int pushes, int pushedFrom, int direction, int bound) {
        const int reduced = reach.fill(level, boxAt, keeper);
        for (int i = 0; i < boxCount; ++i) state[i] = static_cast<std::uint16_t>(boxes[i]);
        std::sort(state.begin(), state.begin() + boxCount);
        state[boxCount] = static_cast<std::uint16_t>(reduced);
        bool added = false;
        const std::int32_t index = store.findOrAdd(state.data(), added);
        if (added) nodes.emplace_back();
        SearchNode& node = nodes[index];
        if (!added && (node.expanded || node.pushes <= pushes)) return;
        node.parent = parent;
        node.pushes = pushes;
        node.keeper = static_cast<std::uint16_t>(keeper);
        node.pushedFrom = static_cast<std::uint16_t>(pushedFrom);
        node.direction = static_cast<std::uint8_t>(direction);
        open.push(OpenEntry{pushes + bound, pushes, order++, index});
    };

    const int startBound = estimate(boxes);
    if (startBound < 0 || boxCount > static_cast<int>(tables.goals.size())) {
        result.status = SolveStatus::NoSolution;
        return result;
    }
    for (const int cell : boxes) boxAt[cell] = 1;
    offer(-1, level.keeper, 0, 0, kNoPush, startBound);
    for (const int cell : boxes) boxAt[cell] = 0;

    result.status = SolveStatus::NoSolution;
    while (!open.empty()) {
        const OpenEntry entry = open.top();
        open.pop();
        if (nodes[entry.node].expanded || nodes[entry.node].pushes != entry.pushes) continue;
        nodes[entry.node].expanded = true;
        ++result.statesExpanded;
        const std::uint16_t* current = store.state(entry.node);
        if (allOnGoals(level, current, boxCount) || isKnownSolvable(options, current)) {
            result.status = SolveStatus::Solved;
            result.solution = spellSolution(level, nodes, entry.node);
            break;
        }
        if (store.size() >= options.maxStates) {
            result.status = SolveStatus::LimitReached;
            break;
        }
        if (options.maxSeconds > 0.0 && (result.statesExpanded & 255) == 0) {
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
            if (elapsed.count() > options.maxSeconds) {
                result.status = SolveStatus::LimitReached;
                break;
            }
        }

        const int keeper = nodes[entry.node].keeper;
        const int pushes = nodes[entry.node].pushes + 1;
        boxes.assign(current, current + boxCount);
        for (const int cell : boxes) boxAt[cell] = 1;
        here.fill(level, boxAt, keeper);
        for (int i = 0; i < boxCount; ++i) {
            const int from = boxes[i];
            for (int direction = 0; direction < 4; ++direction) {
                const int to = from + kCellStep[direction];
                if (!here.reached(from - kCellStep[direction])) continue;
                if (level.wall[to] != 0 || boxAt[to] != 0) continue;
                if (options.pruneDeadlocks && tables.deadSquare[to] != 0) continue;
                boxAt[from] = 0;
                boxAt[to] = 1;
                boxes[i] = to;
                bool dead = options.pruneDeadlocks && isFreezeDeadlock(level, tables, boxAt, to);
                const int bound = dead ? -1 : estimate(boxes);
                dead = dead || bound < 0;
                if (!dead) offer(entry.node, from, pushes, from, direction, bound);
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
