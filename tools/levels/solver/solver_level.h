#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/board.h"

// The solver's view of a level. Cells are numbered over the board grid with one extra ring of wall around
// it, so that every neighbour of a cell that is not a wall is a valid index and no search ever needs a
// bounds test.

constexpr int kSolverGridWidth = kBoardWidth + 2;
constexpr int kSolverGridHeight = kBoardHeight + 2;
constexpr int kSolverCellCount = kSolverGridWidth * kSolverGridHeight;
constexpr int kNoCell = -1;

// Cell index steps in the order of Direction: up, down, left, right.
constexpr int kCellStep[4] = {-kSolverGridWidth, kSolverGridWidth, -1, 1};
// Solution letters in the same order: lower case for a walk, upper case for a push.
constexpr char kMoveLetter[4] = {'u', 'd', 'l', 'r'};
constexpr char kPushLetter[4] = {'U', 'D', 'L', 'R'};

inline int solverCell(int x, int y) {
    return (x + 1) + (y + 1) * kSolverGridWidth;
}
inline int solverCellX(int cell) {
    return cell % kSolverGridWidth - 1;
}
inline int solverCellY(int cell) {
    return cell / kSolverGridWidth - 1;
}

// Direction index (0..3) of a solution letter of either case, or -1.
int solutionLetterDirection(char letter);

struct SolverLevel {
    std::vector<std::uint8_t> wall = std::vector<std::uint8_t>(kSolverCellCount, 1);
    std::vector<std::uint8_t> goal = std::vector<std::uint8_t>(kSolverCellCount, 0);
    std::vector<int> boxes;  // cells of the boxes at the start, ascending
    int keeper = kNoCell;    // the keeper's start cell
};

// Takes the static grid, the active boxes and the keeper of a loaded level. A keeper outside the grid
// gives kNoCell.
SolverLevel solverLevelFromBoard(const Board& board, const Player& player);

// Per-cell box occupancy for a box list.
std::vector<std::uint8_t> boxOccupancy(const std::vector<int>& boxes);

// Flood fill of the keeper over cells holding neither a wall nor a box. Stamps avoid clearing the whole
// grid between fills, which the search does once per state.
class KeeperReach {
public:
    // Returns the lowest reached cell: the keeper's position up to walking, the same for every cell of
    // the area it can walk in.
    int fill(const SolverLevel& level, const std::vector<std::uint8_t>& boxAt, int keeper);
    bool reached(int cell) const { return stamp_[cell] == current_; }

private:
    std::vector<std::uint32_t> stamp_ = std::vector<std::uint32_t>(kSolverCellCount, 0);
    std::vector<int> queue_;
    std::uint32_t current_ = 0;
};

// Shortest walk of the keeper between two cells around walls and boxes, as lower-case letters; false
// when the target cannot be reached.
bool keeperWalk(const SolverLevel& level, const std::vector<std::uint8_t>& boxAt, int from, int to,
                std::string& letters);
