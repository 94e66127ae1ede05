#include "levels/demo/demo_tour.h"

#include <algorithm>
#include <array>
#include <deque>

#include "core/moves.h"

namespace {

constexpr Direction kDirections[4] = {Direction::Up, Direction::Down, Direction::Left, Direction::Right};
constexpr char kWalkLetters[4] = {'u', 'd', 'l', 'r'};

struct TourCell {
    int x = 0;
    int y = 0;
};

bool operator==(TourCell a, TourCell b) {
    return a.x == b.x && a.y == b.y;
}

TourCell stepFrom(TourCell cell, Direction direction) {
    const CellStep step = directionStep(direction);
    return {cell.x + step.dx, cell.y + step.dy};
}

bool isOpen(const Board& board, TourCell cell) {
    return !isWall(board, cell.x, cell.y) && findBox(board, cell.x, cell.y) < 0;
}

// A number per cell of the grid.
using CellGrid = std::array<std::array<int, kBoardHeight>, kBoardWidth>;

CellGrid filledGrid(int value) {
    CellGrid grid;
    for (auto& column : grid) column.fill(value);
    return grid;
}

// Steps from every cell to `to` over open cells; -1 where there is no way.
CellGrid stepsTo(const Board& board, TourCell to) {
    CellGrid steps = filledGrid(-1);
    if (!isOpen(board, to)) return steps;
    steps[to.x][to.y] = 0;
    std::deque<TourCell> queue{to};
    while (!queue.empty()) {
        const TourCell cell = queue.front();
        queue.pop_front();
        for (const Direction direction : kDirections) {
            const TourCell next = stepFrom(cell, direction);
            if (!isOpen(board, next) || steps[next.x][next.y] >= 0) continue;
            steps[next.x][next.y] = steps[cell.x][cell.y] + 1;
            queue.push_back(next);
        }
    }
    return steps;
}

struct Walker {
    TourCell at;
    int heading = -1;                     // the last step's direction (index into kDirections)
    CellGrid lastStood = filledGrid(-1);  // the step after which the keeper stood on the cell; -1: never
    std::string letters;
};

bool isBehind(const Walker& walker, TourCell cell) {
    return walker.heading >= 0 && stepFrom(cell, kDirections[walker.heading]) == walker.at;
}

void stepOn(Walker& walker, int direction) {
    walker.at = stepFrom(walker.at, kDirections[direction]);
    walker.heading = direction;
    walker.letters += kWalkLetters[direction];
    walker.lastStood[walker.at.x][walker.at.y] = static_cast<int>(walker.letters.size());
}

// The step to the neighbour stood on least lately, then straight on, then up, down, left, right; of those
// that `allowed` lets through. False when there is none.
template <typename Allowed>
bool stepLeastLately(Walker& walker, Allowed allowed) {
    int best = -1;
    int bestStood = 0;
    for (int direction = 0; direction < 4; ++direction) {
        const TourCell next = stepFrom(walker.at, kDirections[direction]);
        if (!allowed(next)) continue;
        const int stood = walker.lastStood[next.x][next.y];
        if (best < 0 || stood < bestStood || (stood == bestStood && direction == walker.heading)) {
            best = direction;
            bestStood = stood;
        }
    }
    if (best < 0) return false;
    stepOn(walker, best);
    return true;
}

}  // namespace

std::optional<std::string> demoTour(const Board& board, const Player& player, int minSteps, int endX,
                                    int endY) {
    const TourCell start{player.x, player.y};
    const TourCell end{endX, endY};
    const CellGrid toEnd = stepsTo(board, end);
    if (!isInsideGrid(start.x, start.y) || toEnd[start.x][start.y] < 0) return std::nullopt;

    Walker walker;
    walker.at = start;
    walker.lastStood[start.x][start.y] = 0;
    const auto open = [&](TourCell cell) { return isOpen(board, cell); };
    const auto closer = [&](TourCell cell) {
        return isInsideGrid(cell.x, cell.y) && toEnd[cell.x][cell.y] == toEnd[walker.at.x][walker.at.y] - 1;
    };
    const auto closerAhead = [&] {
        for (const Direction direction : kDirections) {
            const TourCell next = stepFrom(walker.at, direction);
            if (closer(next) && !isBehind(walker, next)) return true;
        }
        return false;
    };
    // Looking round: a walk on to the cell left longest ago visits every cell it can reach and turns back
    // only where nothing else is open. It heads for the end once the way there makes up the length and
    // does not start with a turn back (a shortest way has none later); the bound is only a guard.
    const std::size_t bound =
        static_cast<std::size_t>(std::max(0, minSteps)) + 4 * kBoardWidth * kBoardHeight;
    while (walker.letters.size() < bound) {
        const int left = toEnd[walker.at.x][walker.at.y];
        if (static_cast<int>(walker.letters.size()) + left >= minSteps && (left == 0 || closerAhead())) break;
        if (!stepLeastLately(walker, open)) break;
    }
    // Of the closer cells, the one behind was stood on last: it is taken only when it is the only one.
    while (!(walker.at == end))
        if (!stepLeastLately(walker, closer)) break;
    return walker.letters;
}
