#pragma once

#include <vector>

#include "core/board.h"
#include "core/moves.h"

// Plans for play by pointing: the keeper's walk to a cell, and the pushes that bring one chosen box to a
// cell. A plan is a list of single move requests for tryMove, played one after another at the pace of
// moves, so each step counts, glides and can be undone like a key press. Planning reads the board and the
// keeper's cell only; nothing here changes them.

struct MovePlan {
    bool found = false;            // false: the target cannot be reached, and steps is empty
    std::vector<Direction> steps;  // walks and pushes in order; found with no steps: already there
    int pushes = 0;                // how many of the steps push the box
};

// The cells a box can be brought to, indexed [x][y] like Board::cells. The box's own cell is never one.
struct PushTargets {
    bool cells[kBoardWidth][kBoardHeight] = {};
    int count = 0;
};

// The shortest walk of the keeper to a cell, around walls and every box (a walk never pushes). Not found
// for a wall, a box or a cell outside the grid, or a cell the keeper cannot walk to; found and empty for
// the keeper's own cell.
MovePlan walkPath(const Board& board, const Player& player, int targetX, int targetY);

// Every cell the box (an index into Board::boxes) can be pushed to by pushes of that box alone, the keeper
// walking round it as needed and every other box standing still in the way. Empty for an inactive box or
// an index out of range.
PushTargets pushTargets(const Board& board, const Player& player, int boxIndex);

// The walks and pushes that bring the box to the cell with the fewest pushes and, among those, the fewest
// moves in all (walks and pushes). Only that box moves. Not found where pushTargets does not hold the
// cell; found and empty for the box's own cell.
MovePlan pushPath(const Board& board, const Player& player, int boxIndex, int targetX, int targetY);
