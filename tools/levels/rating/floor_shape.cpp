#include "levels/rating/floor_shape.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

bool isFloorOf(const std::vector<std::uint8_t>& floor, int cell) {
    return floor[cell] != 0;
}

std::vector<std::uint8_t> floorMask(const SolverLevel& level) {
    std::vector<std::uint8_t> mask(kSolverCellCount, 0);
    for (const int cell : floorCells(level)) mask[cell] = 1;
    return mask;
}

// A floor as rows of bits, shifted to its top-left corner.
struct FloorBits {
    int width = 0;
    int height = 0;
    int cells = 0;
    std::vector<std::uint64_t> rows;
};

// The floor turned by the symmetry number (bit 0: mirror, bits 1-2: quarter turns).
FloorBits floorBits(const std::vector<int>& cells, int symmetry) {
    std::vector<std::pair<int, int>> points;
    for (const int cell : cells) {
        int x = solverCellX(cell);
        int y = solverCellY(cell);
        if ((symmetry & 1) != 0) x = -x;
        for (int turn = 0; turn < symmetry >> 1; ++turn) {
            const int turned = -y;
            y = x;
            x = turned;
        }
        points.push_back({x, y});
    }
    FloorBits bits;
    if (points.empty()) return bits;
    int left = points[0].first, top = points[0].second, right = left, bottom = top;
    for (const auto& [x, y] : points) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    bits.width = right - left + 1;
    bits.height = bottom - top + 1;
    bits.cells = static_cast<int>(points.size());
    bits.rows.assign(static_cast<std::size_t>(bits.height), 0);
    for (const auto& [x, y] : points) bits.rows[y - top] |= std::uint64_t{1} << (x - left);
    return bits;
}

}  // namespace

std::vector<int> floorCells(const SolverLevel& level) {
    std::vector<int> cells;
    if (level.keeper == kNoCell || level.wall[level.keeper] != 0) return cells;
    KeeperReach reach;
    reach.fill(level, std::vector<std::uint8_t>(kSolverCellCount, 0), level.keeper);
    for (int cell = 0; cell < kSolverCellCount; ++cell) {
        if (reach.reached(cell)) cells.push_back(cell);
    }
    return cells;
}

double outlineRaggedness(const SolverLevel& level) {
    const std::vector<int> cells = floorCells(level);
    if (cells.empty()) return 0.0;
    const std::vector<std::uint8_t> floor = floorMask(level);
    int sides = 0;
    for (const int cell : cells) {
        for (const int step : kCellStep) sides += isFloorOf(floor, cell + step) ? 0 : 1;
    }
    return sides / (4.0 * std::sqrt(static_cast<double>(cells.size())));
}

double corridorShare(const SolverLevel& level) {
    const std::vector<int> cells = floorCells(level);
    if (cells.empty()) return 0.0;
    const std::vector<std::uint8_t> floor = floorMask(level);
    int corridor = 0;
    for (const int cell : cells) {
        const bool betweenColumns = !isFloorOf(floor, cell - 1) && !isFloorOf(floor, cell + 1);
        const bool betweenRows =
            !isFloorOf(floor, cell - kSolverGridWidth) && !isFloorOf(floor, cell + kSolverGridWidth);
        if (betweenColumns || betweenRows) ++corridor;
    }
    return static_cast<double>(corridor) / static_cast<double>(cells.size());
}

double unusedFloorShare(const SolverLevel& level, const std::string& solution) {
    const std::vector<int> cells = floorCells(level);
    if (cells.empty()) return 1.0;
    std::vector<std::uint8_t> touched(kSolverCellCount, 0);
    std::vector<std::uint8_t> boxAt = boxOccupancy(level.boxes);
    for (const int cell : level.boxes) touched[cell] = 1;
    int keeper = level.keeper;
    touched[keeper] = 1;
    for (const char letter : solution) {
        const int direction = solutionLetterDirection(letter);
        if (direction < 0) return 1.0;
        const int next = keeper + kCellStep[direction];
        if (level.wall[next] != 0) return 1.0;
        if (boxAt[next] != 0) {
            const int beyond = next + kCellStep[direction];
            if (level.wall[beyond] != 0 || boxAt[beyond] != 0) return 1.0;
            boxAt[next] = 0;
            boxAt[beyond] = 1;
            touched[beyond] = 1;
        }
        keeper = next;
        touched[keeper] = 1;
    }
    int unused = 0;
    for (const int cell : cells) unused += touched[cell] != 0 ? 0 : 1;
    return static_cast<double>(unused) / static_cast<double>(cells.size());
}

int longestWalk(const std::string& solution) {
    int longest = 0;
    int run = 0;
    for (const char letter : solution) {
        run = letter >= 'a' && letter <= 'z' ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

double floorOverlap(const SolverLevel& first, const SolverLevel& second) {
    const FloorBits a = floorBits(floorCells(first), 0);
    const std::vector<int> secondCells = floorCells(second);
    const int larger = std::max(a.cells, static_cast<int>(secondCells.size()));
    if (larger == 0) return 0.0;
    int best = 0;
    for (int symmetry = 0; symmetry < 8; ++symmetry) {
        const FloorBits b = floorBits(secondCells, symmetry);
        // b shifted by (dx, dy) against a; rows of at most 32 cells, so 64-bit shifts stay in range.
        for (int dy = -(b.height - 1); dy < a.height; ++dy) {
            for (int dx = -(b.width - 1); dx < a.width; ++dx) {
                int shared = 0;
                for (int row = std::max(0, dy); row < std::min(a.height, dy + b.height); ++row) {
                    const std::uint64_t shifted = dx >= 0 ? b.rows[row - dy] << dx : b.rows[row - dy] >> -dx;
                    shared += __builtin_popcountll(a.rows[row] & shifted);
                }
                best = std::max(best, shared);
            }
        }
    }
    return static_cast<double>(best) / larger;
}
