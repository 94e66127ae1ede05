#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/board.h"
#include "core/moves.h"

// Every move made since the level was loaded, so that moves can be taken back one at a time and then made
// again. A level can take thousands of moves: each is kept in one byte, the oldest forgotten once the ring
// is full.

constexpr int kMoveHistoryCapacity = 1 << 16;  // moves

struct MoveHistory {
    // Oldest first from `first`, wrapping: the direction in bits 0-1, a push in bit 2, the box pushed in
    // bits 3-7.
    std::uint8_t moves[kMoveHistoryCapacity] = {};
    std::int32_t first = 0;
    std::int32_t count = 0;     // moves made and not taken back
    std::int32_t redoable = 0;  // moves taken back that can be made again: kept after the first `count`
    std::int32_t pushes = 0;    // pushes among the moves made and not taken back, forgotten ones included
    bool forgotOldest = false;  // the ring was full: the moves no longer start at the level's start
};

// At every level load: nothing to take back or make again.
void clearMoveHistory(MoveHistory& history);

// After a move tryMove made (a refused or ignored request is not a move). A new move forgets the moves
// that could have been made again.
void recordMove(MoveHistory& history, Direction direction, const MoveResult& move);

// Takes the last move back: the keeper steps back to the cell he came from, a box he pushed goes back with
// him, both gliding as a move does, and the step count drops by one. Ignored while the keeper glides, and
// with nothing left to take back. Returns the direction of the move taken back (the keeper keeps facing it).
std::optional<Direction> undoMove(MoveHistory& history, Board& board, Player& player);

// Makes the last move taken back again, through the move rule, as the player made it: it counts, glides
// and can be taken back once more. Ignored while the keeper glides, and with nothing taken back. Returns
// the direction of the move.
std::optional<Direction> redoMove(MoveHistory& history, Board& board, Player& player);

// The moves made since the level's start as the genre writes them: "l", "r", "u", "d" for walks, upper case
// for pushes. Empty when the oldest moves were forgotten: the text would not start at the level's start.
std::string solutionText(const MoveHistory& history);
