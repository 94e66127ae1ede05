#include "levels/generator/room.h"

#include <algorithm>

#include "levels/generator/room_outline.h"

namespace {

// Wall pieces dropped inside a room, as cell offsets.
struct Piece {
    int cells;
    int offsets[4][2];
};
constexpr Piece kPieces[] = {
    {1, {{0, 0}}},                          // pillar
    {2, {{0, 0}, {1, 0}}},                  // bar across
    {2, {{0, 0}, {0, 1}}},                  // bar down
    {3, {{0, 0}, {1, 0}, {2, 0}}},          // long bar across
    {3, {{0, 0}, {0, 1}, {0, 2}}},          // long bar down
    {3, {{0, 0}, {1, 0}, {0, 1}}},          // corner
    {3, {{0, 0}, {1, 0}, {1, 1}}},          // corner
    {4, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},  // block
};

// Rooms are drawn with their top-left inner cell at level cell (1, 1).
int roomCell(int x, int y) {
    return solverCell(x + 1, y + 1);
}

int floorCount(const SolverLevel& level) {
    return static_cast<int>(std::count(level.wall.begin(), level.wall.end(), 0));
}

}  // namespace

bool isOpenAndConnected(const SolverLevel& level) {
    int start = kNoCell;
    int total = 0;
    for (int cell = 0; cell < kSolverCellCount; ++cell) {
        if (level.wall[cell] != 0) continue;
        ++total;
        if (start == kNoCell) start = cell;
        int open = 0;
        for (const int step : kCellStep) open += level.wall[cell + step] == 0 ? 1 : 0;
        if (open <= 1) return false;
    }
    if (start == kNoCell) return false;
    KeeperReach reach;
    reach.fill(level, std::vector<std::uint8_t>(kSolverCellCount, 0), start);
    int reached = 0;
    for (int cell = 0; cell < kSolverCellCount; ++cell) reached += reach.reached(cell) ? 1 : 0;
    return reached == total;
}

SolverLevel drawRoom(Random& random, const RoomShape& shape, int boxes) {
    SolverLevel level;
    const int wallPercent = random.between(shape.minWallPercent, shape.maxWallPercent);
    const double floorWanted = boxes * random.between(shape.minFloorPerBox, shape.maxFloorPerBox);
    const RoomOutline outline =
        drawOutline(random, floorWanted, wallPercent, std::min(kBoardWidth, kBoardHeight) - 2);
    const int width = outline.width;
    const int height = outline.height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (outline.isOpen(x, y)) level.wall[roomCell(x, y)] = 0;
        }
    }
    const int wallsWanted = floorCount(level) * outline.wallPercent / 100;
    int walls = 0;
    for (int attempt = 0; attempt < 200 && walls < wallsWanted; ++attempt) {
        const Piece& piece = kPieces[random.below(static_cast<int>(std::size(kPieces)))];
        const int x = random.below(width);
        const int y = random.below(height);
        SolverLevel trial = level;
        bool fits = true;
        for (int i = 0; i < piece.cells && fits; ++i) {
            const int cellX = x + piece.offsets[i][0];
            const int cellY = y + piece.offsets[i][1];
            fits = cellX < width && cellY < height && trial.wall[roomCell(cellX, cellY)] == 0;
            if (fits) trial.wall[roomCell(cellX, cellY)] = 1;
        }
        if (!fits || !isOpenAndConnected(trial)) continue;
        level = std::move(trial);
        walls += piece.cells;
    }
    if (!isOpenAndConnected(level)) return SolverLevel{};
    return level;
}

std::vector<int> placeGoals(Random& random, const SolverLevel& level, int count) {
    std::vector<int> floorCells;
    for (int cell = 0; cell < kSolverCellCount; ++cell) {
        if (level.wall[cell] == 0) floorCells.push_back(cell);
    }
    std::vector<int> goals;
    if (static_cast<int>(floorCells.size()) < count + 4) return goals;
    if (random.chance(50)) {
        // A store area: grow from one cell, taking a random frontier cell each time.
        std::vector<int> frontier{floorCells[random.below(static_cast<int>(floorCells.size()))]};
        while (static_cast<int>(goals.size()) < count && !frontier.empty()) {
            const int pick = random.below(static_cast<int>(frontier.size()));
            const int cell = frontier[pick];
            frontier.erase(frontier.begin() + pick);
            if (std::find(goals.begin(), goals.end(), cell) != goals.end()) continue;
            goals.push_back(cell);
            for (const int step : kCellStep) {
                const int next = cell + step;
                if (level.wall[next] == 0 && std::find(goals.begin(), goals.end(), next) == goals.end())
                    frontier.push_back(next);
            }
        }
    } else {
        while (static_cast<int>(goals.size()) < count) {
            const int cell = floorCells[random.below(static_cast<int>(floorCells.size()))];
            if (std::find(goals.begin(), goals.end(), cell) == goals.end()) goals.push_back(cell);
        }
    }
    if (static_cast<int>(goals.size()) < count) goals.clear();
    std::sort(goals.begin(), goals.end());
    return goals;
}

std::vector<std::string> levelRows(const SolverLevel& level) {
    std::vector<std::uint8_t> floor(kSolverCellCount, 0);
    int left = kSolverGridWidth, top = kSolverGridHeight, right = -1, bottom = -1;
    for (int cell = 0; cell < kSolverCellCount; ++cell) {
        if (level.wall[cell] != 0) continue;
        floor[cell] = 1;
        left = std::min(left, solverCellX(cell));
        right = std::max(right, solverCellX(cell));
        top = std::min(top, solverCellY(cell));
        bottom = std::max(bottom, solverCellY(cell));
    }
    if (right < 0) return {};
    // One ring of wall around the floor's box; a wall cell is written when it touches the floor.
    --left, --top, ++right, ++bottom;
    const int width = right - left + 1;
    const int height = bottom - top + 1;
    auto at = [&](int x, int y) { return solverCell(left + x, top + y); };
    auto touchesFloor = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if (nx >= 0 && ny >= 0 && nx < width && ny < height && floor[at(nx, ny)] != 0) return true;
            }
        }
        return false;
    };
    // Outside: flooded from the border through cells that touch no floor. Walls inside the outline stay
    // solid even where they touch no floor.
    std::vector<std::uint8_t> outside(static_cast<std::size_t>(width * height), 0);
    std::vector<std::pair<int, int>> queue;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            if (border && !touchesFloor(x, y)) {
                outside[y * width + x] = 1;
                queue.push_back({x, y});
            }
        }
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const auto [x, y] = queue[head];
        const int next[4][2] = {{x, y - 1}, {x, y + 1}, {x - 1, y}, {x + 1, y}};
        for (const auto& [nx, ny] : next) {
            if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
            if (outside[ny * width + nx] != 0 || touchesFloor(nx, ny)) continue;
            outside[ny * width + nx] = 1;
            queue.push_back({nx, ny});
        }
    }
    std::vector<std::string> rows(static_cast<std::size_t>(height),
                                  std::string(static_cast<std::size_t>(width), ' '));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int cell = at(x, y);
            const bool goal = level.goal[cell] != 0;
            const bool box = std::find(level.boxes.begin(), level.boxes.end(), cell) != level.boxes.end();
            char& out = rows[y][x];
            if (floor[cell] == 0) {
                out = outside[y * width + x] != 0 ? ' ' : '#';
            } else if (cell == level.keeper) {
                out = goal ? '+' : '@';
            } else if (box) {
                out = goal ? '*' : '$';
            } else {
                out = goal ? '.' : ' ';
            }
        }
    }
    // Fill notches one cell wide between two wall cells outside the floor: seen from the camera they look
    // like gaps in the wall.
    auto isWallAt = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height && rows[y][x] == '#';
    };
    for (bool filled = true; filled;) {
        filled = false;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (outside[y * width + x] == 0 || rows[y][x] == '#') continue;
                if ((isWallAt(x - 1, y) && isWallAt(x + 1, y)) ||
                    (isWallAt(x, y - 1) && isWallAt(x, y + 1))) {
                    rows[y][x] = '#';
                    filled = true;
                }
            }
        }
    }
    for (std::string& row : rows) row.erase(row.find_last_not_of(' ') + 1);
    return rows;
}
