#include "levels/generator.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "levels/solver.h"
#include "levels/solver_level.h"
#include "levels/state_store.h"

// Sections: random numbers; rooms; goals; the pull search; candidates; the set.

namespace {

// ---- random numbers: SplitMix64, so the set is the same with every compiler and library ----

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint64_t state_;
};

// ---- rooms: a rectangle of floor with its corners cut and a few wall pieces inside ----

// Interior cells of a room, row by row; the ring of wall around them is implied. Interior cell (x, y)
// is level cell (x + 1, y + 1).
struct Room {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> floor;
    bool isFloor(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height && floor[y * width + x] != 0;
    }
};

int floorCount(const Room& room) {
    return static_cast<int>(std::count(room.floor.begin(), room.floor.end(), 1));
}

bool isConnected(const Room& room) {
    const int total = floorCount(room);
    if (total == 0) return false;
    const int start =
        static_cast<int>(std::find(room.floor.begin(), room.floor.end(), 1) - room.floor.begin());
    std::vector<std::uint8_t> seen(room.floor.size(), 0);
    std::vector<int> queue{start};
    seen[start] = 1;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int x = queue[head] % room.width;
        const int y = queue[head] / room.width;
        const int next[4][2] = {{x, y - 1}, {x, y + 1}, {x - 1, y}, {x + 1, y}};
        for (const auto& cell : next) {
            if (!room.isFloor(cell[0], cell[1]) || seen[cell[1] * room.width + cell[0]] != 0) continue;
            seen[cell[1] * room.width + cell[0]] = 1;
            queue.push_back(cell[1] * room.width + cell[0]);
        }
    }
    return static_cast<int>(queue.size()) == total;
}

// Dead ends (floor with walls on three sides) only make pockets the keeper walks into for nothing.
bool hasDeadEnd(const Room& room) {
    for (int y = 0; y < room.height; ++y) {
        for (int x = 0; x < room.width; ++x) {
            if (!room.isFloor(x, y)) continue;
            const int open = room.isFloor(x, y - 1) + room.isFloor(x, y + 1) + room.isFloor(x - 1, y) +
                             room.isFloor(x + 1, y);
            if (open <= 1) return true;
        }
    }
    return false;
}

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

Room drawRoom(Random& random, int width, int height, int wallPercent) {
    Room room;
    room.width = width;
    room.height = height;
    room.floor.assign(static_cast<std::size_t>(width * height), 1);
    // Cut the corners, so rooms are not all plain rectangles.
    for (int corner = 0; corner < 4; ++corner) {
        if (!random.chance(55)) continue;
        const int cutWidth = random.between(1, std::max(1, width / 3));
        const int cutHeight = random.between(1, std::max(1, height / 3));
        for (int y = 0; y < cutHeight; ++y) {
            for (int x = 0; x < cutWidth; ++x) {
                const int cellX = (corner & 1) != 0 ? width - 1 - x : x;
                const int cellY = (corner & 2) != 0 ? height - 1 - y : y;
                room.floor[cellY * width + cellX] = 0;
            }
        }
    }
    const int wallsWanted = floorCount(room) * wallPercent / 100;
    int walls = 0;
    for (int attempt = 0; attempt < 200 && walls < wallsWanted; ++attempt) {
        const Piece& piece = kPieces[random.below(static_cast<int>(std::size(kPieces)))];
        const int x = random.below(width);
        const int y = random.below(height);
        Room trial = room;
        bool fits = true;
        for (int i = 0; i < piece.cells && fits; ++i) {
            const int cellX = x + piece.offsets[i][0];
            const int cellY = y + piece.offsets[i][1];
            fits = trial.isFloor(cellX, cellY);
            if (fits) trial.floor[cellY * width + cellX] = 0;
        }
        if (!fits || !isConnected(trial) || hasDeadEnd(trial)) continue;
        room = trial;
        walls += piece.cells;
    }
    return room;
}

// ---- goals: scattered over the room or gathered in one store area ----

std::vector<int> placeGoals(Random& random, const Room& room, int count) {
    std::vector<int> floorCells;
    for (int y = 0; y < room.height; ++y) {
        for (int x = 0; x < room.width; ++x) {
            if (room.isFloor(x, y)) floorCells.push_back(solverCell(x + 1, y + 1));
        }
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
                const bool isRoomFloor = room.isFloor(solverCellX(next) - 1, solverCellY(next) - 1);
                if (isRoomFloor && std::find(goals.begin(), goals.end(), next) == goals.end()) {
                    frontier.push_back(next);
                }
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

SolverLevel levelOfRoom(const Room& room, const std::vector<int>& goals) {
    SolverLevel level;
    for (int y = 0; y < room.height; ++y) {
        for (int x = 0; x < room.width; ++x) {
            if (room.isFloor(x, y)) level.wall[solverCell(x + 1, y + 1)] = 0;
        }
    }
    for (const int goal : goals) level.goal[goal] = 1;
    return level;
}

// ---- the pull search: breadth first from every solved position, pulling boxes instead of pushing ----

// A start position found by pulling: the boxes, a cell of the keeper's area, and the fewest pushes that
// solve it (exact, because every pull undoes one push and the search is breadth first).
struct PulledStart {
    std::vector<int> boxes;
    int keeper = kNoCell;
    int pushes = 0;
};

std::vector<PulledStart> farthestStarts(const SolverLevel& level, const std::vector<int>& goals,
                                        std::size_t maxStates) {
    const int boxCount = static_cast<int>(goals.size());
    StateStore store(boxCount);
    std::vector<std::uint16_t> depth;
    KeeperReach reach;
    std::vector<std::uint16_t> state(static_cast<std::size_t>(boxCount) + 1);
    std::vector<std::uint8_t> boxAt(kSolverCellCount, 0);
    std::vector<int> boxes(goals);

    auto add = [&](int keeper, int pushes) {
        const int reduced = reach.fill(level, boxAt, keeper);
        for (int i = 0; i < boxCount; ++i) state[i] = static_cast<std::uint16_t>(boxes[i]);
        std::sort(state.begin(), state.begin() + boxCount);
        state[boxCount] = static_cast<std::uint16_t>(reduced);
        bool added = false;
        store.findOrAdd(state.data(), added);
        if (added) depth.push_back(static_cast<std::uint16_t>(pushes));
    };

    for (const int cell : boxes) boxAt[cell] = 1;
    for (int cell = 0; cell < kSolverCellCount; ++cell) {
        if (level.wall[cell] == 0 && boxAt[cell] == 0) add(cell, 0);
    }
    for (const int cell : boxes) boxAt[cell] = 0;

    KeeperReach here;
    for (std::size_t index = 0; index < store.size() && store.size() < maxStates; ++index) {
        const std::uint16_t* current = store.state(static_cast<std::int32_t>(index));
        boxes.assign(current, current + boxCount);
        const int keeper = current[boxCount];
        const int pushes = depth[index] + 1;
        for (const int cell : boxes) boxAt[cell] = 1;
        here.fill(level, boxAt, keeper);
        for (int i = 0; i < boxCount; ++i) {
            const int box = boxes[i];
            for (const int step : kCellStep) {
                const int stand = box + step;   // the keeper, next to the box
                const int back = stand + step;  // where the keeper steps back to
                if (!here.reached(stand) || level.wall[back] != 0 || boxAt[back] != 0) continue;
                boxAt[box] = 0;
                boxAt[stand] = 1;
                boxes[i] = stand;
                add(back, pushes);
                boxes[i] = box;
                boxAt[stand] = 0;
                boxAt[box] = 1;
            }
        }
        for (const int cell : boxes) boxAt[cell] = 0;
    }

    // The deepest positions, those with the fewest boxes already on a goal first.
    const int deepest = depth.empty() ? 0 : *std::max_element(depth.begin(), depth.end());
    std::vector<PulledStart> starts;
    for (int onGoals = 0; onGoals <= boxCount && starts.empty(); ++onGoals) {
        for (std::size_t index = 0; index < store.size(); ++index) {
            if (depth[index] != deepest) continue;
            const std::uint16_t* current = store.state(static_cast<std::int32_t>(index));
            int placed = 0;
            for (int i = 0; i < boxCount; ++i) placed += level.goal[current[i]];
            if (placed != onGoals) continue;
            starts.push_back({std::vector<int>(current, current + boxCount), current[boxCount], deepest});
        }
    }
    return starts;
}

}  // namespace

namespace {

// ---- candidates: a room, its goals and the farthest start, solved forwards and scored ----

// One band of the set: how many levels it gives, with how many boxes, in rooms of which inner size
// (in cells, without the surrounding wall), and how many rooms are drawn to choose them from.
struct Tier {
    int levels;
    int boxes;
    int minWidth, maxWidth;
    int minHeight, maxHeight;
    int minWallPercent, maxWallPercent;
    int rooms;
    std::size_t pullStates;  // cap of the pull search
    bool gentle;             // take the easier candidates (the first levels) rather than the hardest
};

constexpr Tier kTiers[] = {
    {2, 1, 4, 6, 3, 5, 5, 15, 30, 20000, true},      {4, 2, 4, 7, 4, 5, 5, 20, 60, 60000, true},
    {6, 2, 5, 8, 4, 6, 10, 25, 80, 80000, false},    {9, 3, 5, 9, 4, 7, 10, 25, 90, 150000, false},
    {10, 4, 6, 10, 5, 7, 12, 28, 80, 250000, false}, {9, 5, 7, 11, 5, 8, 15, 30, 70, 300000, false},
    {6, 6, 7, 12, 6, 8, 18, 32, 60, 300000, false},  {4, 7, 8, 12, 6, 8, 18, 32, 50, 300000, false},
};

struct Candidate {
    Room room;
    SolverLevel level;
    SolutionFigures figures;
    std::size_t effort = 0;  // positions the solver expanded
    double score = 0.0;
};

// Solves the candidate and scores it; false when it cannot be solved within the generator's budget.
bool scoreCandidate(Candidate& candidate) {
    SolveOptions options;
    options.maxStates = 400000;
    options.maxSeconds = 0.0;  // a clock would make the set depend on the machine
    const SolveResult result = solveLevel(candidate.level, options);
    if (result.status != SolveStatus::Solved) return false;
    candidate.figures = measureSolution(candidate.level, result.solution);
    candidate.effort = result.statesExpanded;
    candidate.score = candidate.figures.boxChanges * 2.0 + candidate.figures.boxLines +
                      4.0 * std::log2(1.0 + static_cast<double>(candidate.effort));
    return true;
}

bool makeCandidate(Random& random, const Tier& tier, Candidate& candidate) {
    const int width = random.between(tier.minWidth, tier.maxWidth);
    const int height = random.between(tier.minHeight, tier.maxHeight);
    candidate.room =
        drawRoom(random, width, height, random.between(tier.minWallPercent, tier.maxWallPercent));
    if (floorCount(candidate.room) < tier.boxes * 3 + 4) return false;
    const std::vector<int> goals = placeGoals(random, candidate.room, tier.boxes);
    if (goals.empty()) return false;
    candidate.level = levelOfRoom(candidate.room, goals);
    const std::vector<PulledStart> starts = farthestStarts(candidate.level, goals, tier.pullStates);
    if (starts.empty() || starts.front().pushes < 2 * tier.boxes) return false;
    const PulledStart& start = starts[random.below(static_cast<int>(starts.size()))];

    // The keeper starts anywhere in its area.
    KeeperReach reach;
    reach.fill(candidate.level, boxOccupancy(start.boxes), start.keeper);
    std::vector<int> area;
    for (int cell = 0; cell < kSolverCellCount; ++cell) {
        if (reach.reached(cell)) area.push_back(cell);
    }
    candidate.level.boxes = start.boxes;
    candidate.level.keeper = area[random.below(static_cast<int>(area.size()))];

    return scoreCandidate(candidate);
}

// Walls up floor cells one at a time, in random order, wherever the level stays solvable, until no cell
// can go: this takes away the short cuts around the route the pull search found and leaves compact rooms.
void tighten(Random& random, Candidate& candidate) {
    std::vector<int> order;
    for (int index = 0; index < static_cast<int>(candidate.room.floor.size()); ++index)
        order.push_back(index);
    for (int i = static_cast<int>(order.size()) - 1; i > 0; --i)
        std::swap(order[i], order[random.below(i + 1)]);
    for (bool changed = true; changed;) {
        changed = false;
        for (const int index : order) {
            if (candidate.room.floor[index] == 0) continue;
            const int cell = solverCell(index % candidate.room.width + 1, index / candidate.room.width + 1);
            const SolverLevel& level = candidate.level;
            if (level.goal[cell] != 0 || cell == level.keeper) continue;
            if (std::find(level.boxes.begin(), level.boxes.end(), cell) != level.boxes.end()) continue;
            Candidate trial = candidate;
            trial.room.floor[index] = 0;
            trial.level.wall[cell] = 1;
            if (!isConnected(trial.room) || hasDeadEnd(trial.room) || !scoreCandidate(trial)) continue;
            candidate = std::move(trial);
            changed = true;
        }
    }
}

// The rows of a level file. Wall cells reachable from outside the room through other wall cells are
// left out (spaces) unless they touch the floor, so the outline follows the room; wall cells inside the
// room stay solid.
std::vector<std::string> levelRows(const Candidate& candidate) {
    const Room& room = candidate.room;
    const SolverLevel& level = candidate.level;
    const int width = room.width + 2;
    const int height = room.height + 2;
    auto touchesFloor = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (room.isFloor(x - 1 + dx, y - 1 + dy)) return true;
            }
        }
        return false;
    };
    // Outside: flood from the border through wall cells that touch no floor.
    std::vector<std::uint8_t> outside(static_cast<std::size_t>(width * height), 0);
    std::vector<int> queue;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            if (border && !touchesFloor(x, y)) {
                outside[y * width + x] = 1;
                queue.push_back(y * width + x);
            }
        }
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int x = queue[head] % width;
        const int y = queue[head] / width;
        const int next[4][2] = {{x, y - 1}, {x, y + 1}, {x - 1, y}, {x + 1, y}};
        for (const auto& cell : next) {
            if (cell[0] < 0 || cell[1] < 0 || cell[0] >= width || cell[1] >= height) continue;
            const int index = cell[1] * width + cell[0];
            if (outside[index] != 0 || touchesFloor(cell[0], cell[1])) continue;
            outside[index] = 1;
            queue.push_back(index);
        }
    }
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const int cell = solverCell(x, y);
            const bool box = std::find(level.boxes.begin(), level.boxes.end(), cell) != level.boxes.end();
            const bool goal = level.goal[cell] != 0;
            if (level.wall[cell] != 0) {
                row += outside[y * width + x] != 0 ? ' ' : '#';
            } else if (cell == level.keeper) {
                row += goal ? '+' : '@';
            } else if (box) {
                row += goal ? '*' : '$';
            } else {
                row += goal ? '.' : ' ';
            }
        }
        rows.push_back(row);
    }
    // Fill notches one cell wide between two wall cells: seen from the camera they look like gaps in
    // the wall.
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
    // Rows and left-hand columns of nothing but spaces (where tightening walled up a whole side), and
    // trailing spaces. A row of spaces would read as the blank line that ends the level.
    auto isEmpty = [](const std::string& row) { return row.find_first_not_of(' ') == std::string::npos; };
    while (!rows.empty() && isEmpty(rows.back())) rows.pop_back();
    while (!rows.empty() && isEmpty(rows.front())) rows.erase(rows.begin());
    std::size_t indent = std::string::npos;
    for (const std::string& row : rows) indent = std::min(indent, row.find_first_not_of(' '));
    for (std::string& row : rows) {
        row.erase(0, indent);
        row.erase(row.find_last_not_of(' ') + 1);
    }
    return rows;
}

}  // namespace

// ---- the set ----

std::string generateLevelSet(std::uint64_t seed, std::FILE* progress) {
    Random random(seed);
    // The gentle bands open the set in their own order; every other level is then placed by its score,
    // whatever its band, so the difficulty climbs evenly.
    std::vector<Candidate> opening;
    std::vector<Candidate> rest;
    for (const Tier& tier : kTiers) {
        std::vector<Candidate> candidates;
        for (int room = 0; room < tier.rooms; ++room) {
            Candidate candidate;
            if (makeCandidate(random, tier, candidate)) candidates.push_back(std::move(candidate));
        }
        // Stable sorts keep equal scores in the order they were made, so the result is reproducible.
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const Candidate& a, const Candidate& b) { return a.score > b.score; });
        if (tier.gentle) {
            // The middle of the field: not trivial, not yet hard.
            const std::size_t skip = candidates.size() / 2;
            candidates.erase(candidates.begin(), candidates.begin() + std::min(skip, candidates.size()));
        }
        if (static_cast<int>(candidates.size()) > tier.levels) candidates.resize(tier.levels);
        if (!tier.gentle) {
            for (Candidate& candidate : candidates) tighten(random, candidate);
        }
        if (tier.gentle) {
            // Easiest first; among equals the longer walk, which also makes the better demo for level 1.
            std::stable_sort(
                candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
                    return a.score != b.score ? a.score < b.score : a.figures.moves > b.figures.moves;
                });
        }
        std::vector<Candidate>& into = tier.gentle ? opening : rest;
        for (Candidate& candidate : candidates) into.push_back(std::move(candidate));
    }
    std::stable_sort(rest.begin(), rest.end(),
                     [](const Candidate& a, const Candidate& b) { return a.score < b.score; });
    for (Candidate& candidate : rest) opening.push_back(std::move(candidate));

    std::string text =
        "Classic\nLevels made for TARMELO 3D by its level generator (tarmelo-levels generate --seed " +
        std::to_string(seed) + "), easiest first.\n";
    int number = 0;
    for (const Candidate& candidate : opening) {
        ++number;
        text += "\n; " + std::to_string(number) + "\n";
        for (const std::string& row : levelRows(candidate)) text += row + "\n";
        if (progress != nullptr) {
            std::fprintf(
                progress,
                "level %d: boxes %zu, %d moves, %d pushes, %d lines, %d changes, %zu expanded, score %.1f\n",
                number, candidate.level.boxes.size(), candidate.figures.moves, candidate.figures.pushes,
                candidate.figures.boxLines, candidate.figures.boxChanges, candidate.effort, candidate.score);
        }
    }
    return text;
}
