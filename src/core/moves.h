#pragma once

#include "core/board.h"

// The rule book of play: walking, pushing and the glide from cell to cell.

enum class Direction : int { Up = 0, Down = 1, Left = 2, Right = 3 };

struct CellStep {
    int dx = 0;
    int dy = 0;
};

CellStep directionStep(Direction direction);
// The keeper's facing in degrees for a move request: down 0, right 90, up 180, left 270.
int directionFacing(Direction direction);

// Cells outside the grid count as walls, so no move or push can leave it.
bool isWall(const Board& board, int x, int y);
// Lowest index of an active box on the cell, or -1.
int findBox(const Board& board, int x, int y);

struct MoveResult {
    bool moved = false;  // the keeper walked or pushed: a step was counted
    int pushedBox = -1;  // the box pushed, or -1 for a walk
};

// One move request. Ignored while the keeper glides; a move into a wall, or a push of a box into a wall or
// another box, is refused. A successful walk or push counts one step and starts a glide of the keeper
// (and of the pushed box, in lockstep).
MoveResult tryMove(Board& board, Player& player, Direction direction);

bool isPlayerGliding(const Player& player);

// One tick of glide decay: each offset moves 0.1 towards 0 and snaps to 0 below 0.1, so a step from 1.0
// glides for exactly 9 ticks in single precision.
void settlePlayer(Player& player);
void settleBoxes(Board& board);

bool isBoxGliding(const Box& box);
bool isAnyBoxGliding(const Board& board);
// The active gliding box with the highest index, or null: the one the slide sound follows.
const Box* lastGlidingBox(const Board& board);
