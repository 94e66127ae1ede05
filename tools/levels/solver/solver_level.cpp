#include "levels/solver/solver_level.h"

#include <algorithm>

int solutionLetterDirection(char letter) {
    for (int direction = 0; direction < 4; ++direction) {
        if (letter == kMoveLetter[direction] || letter == kPushLetter[direction]) return direction;
    }
    return -1;
}

SolverLevel solverLevelFromBoard(const Board& board, const Player& player) {
    SolverLevel level;
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) {
            const int cell = solverCell(x, y);
            level.wall[cell] = board.cells[x][y] == Cell::Wall ? 1 : 0;
            level.goal[cell] = board.cells[x][y] == Cell::Goal ? 1 : 0;
        }
    }
    for (const Box& box : board.boxes) {
        if (box.active != 0 && isInsideGrid(box.x, box.y)) level.boxes.push_back(solverCell(box.x, box.y));
    }
    std::sort(level.boxes.begin(), level.boxes.end());
    if (isInsideGrid(player.x, player.y)) level.keeper = solverCell(player.x, player.y);
    return level;
}

std::vector<std::uint8_t> boxOccupancy(const std::vector<int>& boxes) {
    std::vector<std::uint8_t> boxAt(kSolverCellCount, 0);
    for (const int cell : boxes) boxAt[cell] = 1;
    return boxAt;
}

int KeeperReach::fill(const SolverLevel& level, const std::vector<std::uint8_t>& boxAt, int keeper) {
    if (++current_ == 0) {  // the stamp wrapped: start the marks afresh
        std::fill(stamp_.begin(), stamp_.end(), 0);
        current_ = 1;
    }
    queue_.clear();
    queue_.push_back(keeper);
    stamp_[keeper] = current_;
    int lowest = keeper;
    for (std::size_t head = 0; head < queue_.size(); ++head) {
        const int cell = queue_[head];
        for (const int step : kCellStep) {
            const int next = cell + step;
            if (stamp_[next] == current_ || level.wall[next] != 0 || boxAt[next] != 0) continue;
            stamp_[next] = current_;
            queue_.push_back(next);
            lowest = std::min(lowest, next);
        }
    }
    return lowest;
}

bool keeperWalk(const SolverLevel& level, const std::vector<std::uint8_t>& boxAt, int from, int to,
                std::string& letters) {
    std::vector<int> cameBy(kSolverCellCount, -1);  // direction of the step into each reached cell
    std::vector<int> queue{from};
    cameBy[from] = 4;
    for (std::size_t head = 0; head < queue.size() && cameBy[to] < 0; ++head) {
        const int cell = queue[head];
        for (int direction = 0; direction < 4; ++direction) {
            const int next = cell + kCellStep[direction];
            if (cameBy[next] >= 0 || level.wall[next] != 0 || boxAt[next] != 0) continue;
            cameBy[next] = direction;
            queue.push_back(next);
        }
    }
    if (cameBy[to] < 0) return false;
    std::string walk;
    for (int cell = to; cell != from; cell -= kCellStep[cameBy[cell]]) walk += kMoveLetter[cameBy[cell]];
    letters.append(walk.rbegin(), walk.rend());
    return true;
}
