#include "core/move_plans.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <queue>
#include <utility>

namespace {

// The board with a ring of wall round it, so every neighbour of a cell a search stands on is a valid index
// and no search needs a bounds test.
constexpr int kPlanWidth = kBoardWidth + 2;
constexpr int kPlanHeight = kBoardHeight + 2;
constexpr int kPlanCells = kPlanWidth * kPlanHeight;
// Cell index steps in the order of Direction.
constexpr int kPlanStep[4] = {-kPlanWidth, kPlanWidth, -1, 1};
constexpr Direction kDirections[4] = {Direction::Up, Direction::Down, Direction::Left, Direction::Right};

int planCell(int x, int y) {
    return (x + 1) + (y + 1) * kPlanWidth;
}

// Walls, the ring round the board and every active box but `movingBox` (-1 for none): the cells the keeper
// cannot walk into and the moving box cannot be pushed into.
struct BlockedCells {
    std::uint8_t blocked[kPlanCells] = {};
};

void markBlocked(const Board& board, int movingBox, BlockedCells& cells) {
    for (int y = -1; y <= kBoardHeight; ++y) {
        for (int x = -1; x <= kBoardWidth; ++x) cells.blocked[planCell(x, y)] = isWall(board, x, y) ? 1 : 0;
    }
    for (int i = 0; i < kMaxBoxes; ++i) {
        const Box& box = board.boxes[i];
        if (box.active != 0 && i != movingBox && isInsideGrid(box.x, box.y))
            cells.blocked[planCell(box.x, box.y)] = 1;
    }
}

// Breadth-first walks of the keeper. A cell's distance is exact from the moment it is first reached, so a
// walk stops as soon as the cells it was asked for are reached. Stamps spare clearing the grid per walk,
// which the push search does once for every push it tries.
struct KeeperWalk {
    std::uint32_t reachedStamp[kPlanCells] = {};
    std::uint32_t stamp = 0;
    std::int16_t distance[kPlanCells] = {};  // moves from the walk's start; valid where reached
    std::int16_t queue[kPlanCells] = {};

    bool reached(int cell) const { return reachedStamp[cell] == stamp; }
};

// Walks from `from` over unblocked cells, never onto `obstacle` (the moving box's cell, or -1), until each of
// the `wantedCount` wanted cells is reached or the area is exhausted.
void walkFrom(KeeperWalk& walk, const BlockedCells& cells, int obstacle, int from, const int* wanted,
              int wantedCount) {
    walk.stamp += 1;
    if (walk.stamp == 0) {  // after 2^32 walks: the old stamps could be mistaken for this walk's
        std::fill(std::begin(walk.reachedStamp), std::end(walk.reachedStamp), 0);
        walk.stamp = 1;
    }
    int remaining = 0;
    for (int i = 0; i < wantedCount; ++i) {
        if (wanted[i] != from && wanted[i] != obstacle && cells.blocked[wanted[i]] == 0) remaining += 1;
    }
    walk.reachedStamp[from] = walk.stamp;
    walk.distance[from] = 0;
    int head = 0;
    int tail = 0;
    walk.queue[tail++] = static_cast<std::int16_t>(from);
    while (head < tail && remaining > 0) {
        const int cell = walk.queue[head++];
        for (const int step : kPlanStep) {
            const int next = cell + step;
            if (cells.blocked[next] != 0 || next == obstacle || walk.reached(next)) continue;
            walk.reachedStamp[next] = walk.stamp;
            walk.distance[next] = static_cast<std::int16_t>(walk.distance[cell] + 1);
            walk.queue[tail++] = static_cast<std::int16_t>(next);
            for (int i = 0; i < wantedCount; ++i) remaining -= wanted[i] == next ? 1 : 0;
        }
    }
}

// Appends the moves of the last walk from its start to `to` (a reached cell): back from `to`, each time to
// a neighbour one move nearer the start, then in walking order.
void appendWalk(const KeeperWalk& walk, int to, std::vector<Direction>& steps) {
    assert(walk.reached(to));
    const std::size_t first = steps.size();
    for (int cell = to; walk.distance[cell] > 0;) {
        for (int d = 0; d < 4; ++d) {
            const int previous = cell - kPlanStep[d];
            if (walk.reached(previous) && walk.distance[previous] == walk.distance[cell] - 1) {
                steps.push_back(kDirections[d]);
                cell = previous;
                break;
            }
        }
    }
    std::reverse(steps.begin() + static_cast<std::ptrdiff_t>(first), steps.end());
}

// ---- the push search ----
//
// A state is the box's cell and the side the keeper stands on, ready to push: state box * 4 + d has the
// keeper on box - kPlanStep[d], about to push in direction d. A push leads to (box + kPlanStep[d], d) at
// the cost of one push and one move; a walk round the box leads to (box, e) at the cost of the keeper's
// shortest walk between the two sides with the box in place.
//
// Why the search is exact: the cost of a plan is the pair (pushes, moves), compared pushes first. Pairs
// added component by component keep that order (a <= b gives a + c <= b + c), and no step costs less than
// (0, 0), so Dijkstra's search over the pairs settles every state at its least cost, as it does with
// numbers. The first state settled with the box on the target is therefore the plan with the fewest pushes
// and, among those, the fewest moves. (A breadth-first search by pushes alone would not do: the first time
// it meets a state need not be by the fewest moves.)
//
// Walks are only tried from states reached by a push. A state reached by a walk from side d needs no walks
// of its own: a walk from d to e followed by one from e to f is never shorter than the walk from d to f,
// which the search tried from d itself (the keeper's walk from its start cell reaches every side directly).
// A state reached at the same cost both ways may keep either: the walk's start made the direct walks.
// So the keeper's walks are searched at most four times per box cell, once per push into it.

using PlanCost = std::uint64_t;  // pushes in the high half, moves in the low: ordered pushes first
constexpr PlanCost kNoCost = std::numeric_limits<PlanCost>::max();
constexpr PlanCost kPushCost = (PlanCost{1} << 32) | 1;
constexpr int kPushStates = kPlanCells * 4;
static_assert(kPushStates <= std::numeric_limits<std::int16_t>::max(), "states are stored as 16-bit numbers");

struct PushSearch {
    BlockedCells cells;
    KeeperWalk walk;
    PlanCost cost[kPushStates] = {};
    // The state before, or -1 for one the keeper walks to from its start.
    std::int16_t parent[kPushStates] = {};
    std::uint8_t settled[kPushStates] = {};
    int startBox = 0;
    int startKeeper = 0;
};

int boxOf(int state) {
    return state / 4;
}
int sideOf(int state) {
    return state % 4;
}
int keeperOf(int state) {
    return boxOf(state) - kPlanStep[sideOf(state)];
}

// The four cells round a box, in the order of the push directions from them.
void sideCells(int box, int (&sides)[4]) {
    for (int d = 0; d < 4; ++d) sides[d] = box - kPlanStep[d];
}

// Settles states in order of cost until one with the box on `target` (its state returned), or all of them
// for a target of -1 (then -1 is returned, as for a target the box cannot reach).
int searchPushes(PushSearch& search, int target) {
    std::fill(std::begin(search.cost), std::end(search.cost), kNoCost);
    using OpenState = std::pair<PlanCost, int>;
    std::priority_queue<OpenState, std::vector<OpenState>, std::greater<OpenState>> open;
    const auto relax = [&](int state, PlanCost cost, int parent) {
        if (search.settled[state] != 0 || cost >= search.cost[state]) return;
        search.cost[state] = cost;
        search.parent[state] = static_cast<std::int16_t>(parent);
        open.push({cost, state});
    };

    int sides[4];
    sideCells(search.startBox, sides);
    walkFrom(search.walk, search.cells, search.startBox, search.startKeeper, sides, 4);
    for (int d = 0; d < 4; ++d) {
        if (search.walk.reached(sides[d])) relax(search.startBox * 4 + d, search.walk.distance[sides[d]], -1);
    }

    while (!open.empty()) {
        const auto [cost, state] = open.top();
        open.pop();
        if (search.settled[state] != 0) continue;  // an older, dearer entry of a state settled since
        search.settled[state] = 1;
        const int box = boxOf(state);
        const int side = sideOf(state);
        if (box == target) return state;

        const int pushedTo = box + kPlanStep[side];
        if (search.cells.blocked[pushedTo] == 0) relax(pushedTo * 4 + side, cost + kPushCost, state);

        const int parent = search.parent[state];
        if (parent < 0 || boxOf(parent) == box) continue;  // reached by a walk: see above
        sideCells(box, sides);
        walkFrom(search.walk, search.cells, box, keeperOf(state), sides, 4);
        for (int d = 0; d < 4; ++d) {
            if (d != side && search.walk.reached(sides[d]))
                relax(box * 4 + d, cost + static_cast<PlanCost>(search.walk.distance[sides[d]]), state);
        }
    }
    return -1;
}

// Prepares a search for one box. False for an inactive box or an index out of range.
bool startPushSearch(const Board& board, const Player& player, int boxIndex, PushSearch& search) {
    if (boxIndex < 0 || boxIndex >= kMaxBoxes) return false;
    const Box& box = board.boxes[boxIndex];
    if (box.active == 0 || !isInsideGrid(box.x, box.y) || !isInsideGrid(player.x, player.y)) return false;
    markBlocked(board, boxIndex, search.cells);
    search.startBox = planCell(box.x, box.y);
    search.startKeeper = planCell(player.x, player.y);
    return true;
}

// The moves from the start to `goal`, a settled state: the states back to the start, then forwards, each
// walk found again (the same walk the search measured, so the moves add up to its cost).
MovePlan planTo(PushSearch& search, int goal) {
    std::vector<int> states;
    for (int state = goal; state >= 0; state = search.parent[state]) states.push_back(state);
    MovePlan plan;
    plan.found = true;
    int box = search.startBox;
    int keeper = search.startKeeper;
    for (auto it = states.rbegin(); it != states.rend(); ++it) {
        if (boxOf(*it) != box) {
            plan.steps.push_back(kDirections[sideOf(*it)]);
            plan.pushes += 1;
        } else {
            const int side = keeperOf(*it);
            walkFrom(search.walk, search.cells, box, keeper, &side, 1);
            appendWalk(search.walk, side, plan.steps);
        }
        box = boxOf(*it);
        keeper = keeperOf(*it);
    }
    return plan;
}

}  // namespace

MovePlan walkPath(const Board& board, const Player& player, int targetX, int targetY) {
    if (!isInsideGrid(targetX, targetY) || !isInsideGrid(player.x, player.y)) return {};
    const auto cells = std::make_unique<BlockedCells>();
    markBlocked(board, -1, *cells);
    const int target = planCell(targetX, targetY);
    if (cells->blocked[target] != 0) return {};
    const auto walk = std::make_unique<KeeperWalk>();
    walkFrom(*walk, *cells, -1, planCell(player.x, player.y), &target, 1);
    if (!walk->reached(target)) return {};
    MovePlan plan;
    plan.found = true;
    appendWalk(*walk, target, plan.steps);
    return plan;
}

PushTargets pushTargets(const Board& board, const Player& player, int boxIndex) {
    PushTargets targets;
    const auto search = std::make_unique<PushSearch>();
    if (!startPushSearch(board, player, boxIndex, *search)) return targets;
    searchPushes(*search, -1);
    for (int y = 0; y < kBoardHeight; ++y) {
        for (int x = 0; x < kBoardWidth; ++x) {
            const int cell = planCell(x, y);
            if (cell == search->startBox) continue;
            for (int d = 0; d < 4; ++d) {
                if (search->settled[cell * 4 + d] == 0) continue;
                targets.cells[x][y] = true;
                targets.count += 1;
                break;
            }
        }
    }
    return targets;
}

MovePlan pushPath(const Board& board, const Player& player, int boxIndex, int targetX, int targetY) {
    if (!isInsideGrid(targetX, targetY)) return {};
    const auto search = std::make_unique<PushSearch>();
    if (!startPushSearch(board, player, boxIndex, *search)) return {};
    const int target = planCell(targetX, targetY);
    if (target == search->startBox) {
        MovePlan plan;
        plan.found = true;
        return plan;
    }
    if (search->cells.blocked[target] != 0) return {};
    const int goal = searchPushes(*search, target);
    return goal < 0 ? MovePlan{} : planTo(*search, goal);
}
