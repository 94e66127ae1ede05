#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <queue>
#include <string>
#include <vector>

#include "levels/solver/solver.h"
#include "levels/solver/state_store.h"

// The search both solvers run: best first over positions in which one step is one push, each position
// stored once (its sorted box cells, then a keeper cell) with the cheapest route to it found so far. The
// store, the open list, the options' limits and known solvable positions, and the spelling of the solution
// are here; what the solvers differ in is their Rules, a plain type with these members:
//
//   Cost                                  a route's cost; a value-initialised Cost is the start's
//   static bool cheaper(Cost a, Cost b)   a beats b: a position reached more cheaply takes the new route
//   static int tie(Cost)                  among open positions with one estimate, the lowest is taken first
//   static Cost afterPush(Cost, int walk) a route one push longer, walk moves to the pushing cell
//   static int pushesOf(Cost)
//   Rules(const SolverLevel&, const SolveOptions&)
//   int startBound(boxes)                 pushes the start needs at least, -1 when it cannot be solved
//   int storedKeeper(boxAt, keeper)       the keeper cell a position is stored with
//   void standAt(boxAt, keeper)           the keeper of the position about to be expanded, for walkTo
//   int walkTo(cell)                      moves the keeper needs to reach cell, -1 when it cannot
//   bool deadSquare(cell)                 a box pushed on to cell is lost
//   int bound(boxes, boxAt, movedCell)    after a push to movedCell: pushes left at least, -1 when dead
//
// An estimate never drops by more than one a push, so the first solved position taken is a cheapest.

// One push of a solution: the cell the box left, where the keeper then stands, and its direction.
struct PushStep {
    int from;
    int direction;
};

// The letters of a solution: each push, with the keeper's shortest walk to it before.
std::string spellPushes(const SolverLevel& level, const std::vector<PushStep>& pushes);

// Fills result.moves and result.pushes from result.solution.
void countSolutionLetters(SolveResult& result);

template <class Rules>
SolveResult searchByPushes(const SolverLevel& level, const SolveOptions& options) {
    using Cost = typename Rules::Cost;
    // One stored position; its boxes and keeper cell live in the store under the same index.
    struct Node {
        std::int32_t parent = -1;
        Cost cost{};
        std::uint16_t keeper = 0;  // where the keeper stands: the cell the last pushed box left
        std::uint8_t direction = 0;
        bool expanded = false;
    };
    // Lowest estimate first, then the rules' tie, then the older entry, so that the search order never
    // depends on anything but the level.
    struct Entry {
        std::int32_t estimate;
        Cost cost;
        std::uint32_t order;
        std::int32_t node;
        bool operator<(const Entry& other) const {
            if (estimate != other.estimate) return estimate > other.estimate;
            const int mine = Rules::tie(cost);
            const int theirs = Rules::tie(other.cost);
            if (mine != theirs) return mine > theirs;
            return order > other.order;
        }
    };

    SolveResult result;
    if (level.keeper == kNoCell || level.wall[level.keeper] != 0) {
        result.status = SolveStatus::NoKeeper;
        return result;
    }
    const auto started = std::chrono::steady_clock::now();
    Rules rules(level, options);
    const int boxCount = static_cast<int>(level.boxes.size());
    StateStore store(boxCount);
    std::vector<Node> nodes;
    std::priority_queue<Entry> open;
    std::uint32_t order = 0;
    std::vector<std::uint8_t> boxAt(kSolverCellCount, 0);
    std::vector<int> boxes(level.boxes);
    std::vector<std::uint16_t> state(static_cast<std::size_t>(boxCount) + 1);

    // boxes and boxAt hold the position the route leads to.
    auto offer = [&](std::int32_t parent, int keeper, Cost cost, int direction, int bound) {
        for (int i = 0; i < boxCount; ++i) state[i] = static_cast<std::uint16_t>(boxes[i]);
        std::sort(state.begin(), state.begin() + boxCount);
        state[boxCount] = static_cast<std::uint16_t>(rules.storedKeeper(boxAt, keeper));
        bool added = false;
        const std::int32_t index = store.findOrAdd(state.data(), added);
        if (added) nodes.emplace_back();
        Node& node = nodes[index];
        if (!added && (node.expanded || !Rules::cheaper(cost, node.cost))) return;
        node = Node{parent, cost, static_cast<std::uint16_t>(keeper), static_cast<std::uint8_t>(direction),
                    false};
        open.push(Entry{Rules::pushesOf(cost) + bound, cost, order++, index});
    };

    const int startBound = rules.startBound(boxes);
    if (startBound < 0) return result;
    for (const int cell : boxes) boxAt[cell] = 1;
    offer(-1, level.keeper, Cost{}, 0, startBound);
    for (const int cell : boxes) boxAt[cell] = 0;

    while (!open.empty()) {
        const Entry entry = open.top();
        open.pop();
        Node& node = nodes[entry.node];
        // A cheaper route to the position came after this entry, or it has been expanded already.
        if (node.expanded || Rules::cheaper(node.cost, entry.cost)) continue;
        node.expanded = true;
        ++result.statesExpanded;
        const std::uint16_t* current = store.state(entry.node);
        bool solved = true;
        for (int i = 0; i < boxCount && solved; ++i) solved = level.goal[current[i]] != 0;
        if (solved || (options.knownSolvable != nullptr && options.knownSolvable->find(current) >= 0)) {
            std::vector<PushStep> pushes;
            for (std::int32_t at = entry.node; nodes[at].parent >= 0; at = nodes[at].parent)
                pushes.push_back({nodes[at].keeper, nodes[at].direction});
            std::reverse(pushes.begin(), pushes.end());
            result.status = SolveStatus::Solved;
            result.solution = spellPushes(level, pushes);
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

        // Offers add nodes and store words: node and current are not used past here.
        const Cost cost = node.cost;
        const int keeper = node.keeper;
        boxes.assign(current, current + boxCount);
        for (const int cell : boxes) boxAt[cell] = 1;
        rules.standAt(boxAt, keeper);
        for (int i = 0; i < boxCount; ++i) {
            const int from = boxes[i];
            for (int direction = 0; direction < 4; ++direction) {
                const int to = from + kCellStep[direction];
                const int walk = rules.walkTo(from - kCellStep[direction]);
                if (walk < 0 || level.wall[to] != 0 || boxAt[to] != 0) continue;
                if (rules.deadSquare(to)) continue;
                boxAt[from] = 0;
                boxAt[to] = 1;
                boxes[i] = to;
                const int bound = rules.bound(boxes, boxAt, to);
                if (bound >= 0) offer(entry.node, from, Rules::afterPush(cost, walk), direction, bound);
                boxes[i] = from;
                boxAt[to] = 0;
                boxAt[from] = 1;
            }
        }
        for (const int cell : boxes) boxAt[cell] = 0;
    }
    result.statesStored = store.size();
    countSolutionLetters(result);
    return result;
}
