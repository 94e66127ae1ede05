#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/board.h"
#include "core/moves.h"

// Watching a kept solution: the level loaded afresh, the keeper making the solution's moves by himself at
// the pace of moves, "REPLAY" on the HUD. Nothing is recorded or saved meanwhile: solving the level starts
// no level end. Space, Escape or the end of the solution (after a moment to see the level solved) ends it,
// and the loop puts back the game as it was before.

constexpr int kMaxReplayMoves = 30000;          // the longest solution kept
constexpr float kReplayEndPauseSeconds = 1.5f;  // beside the solved level before the watching ends

struct SolutionReplay {
    bool active = false;
    std::uint8_t moves[kMaxReplayMoves] = {};  // Direction values
    std::int32_t count = 0;
    std::int32_t done = 0;
    float endPauseSeconds = 0.0f;  // counted down by the ticks once every move is made
};

// Starts watching the solution (letters as the genre writes them); false, with nothing started, for a
// solution with anything but move letters or longer than kMaxReplayMoves.
bool startSolutionReplay(SolutionReplay& replay, std::string_view solution);

// The next move, when the keeper stands ready for it.
std::optional<Direction> nextReplayMove(const SolutionReplay& replay, const Player& player);
void replayMoveMade(SolutionReplay& replay, bool moved);

// Once per tick; true when the watching has run its course.
bool tickSolutionReplay(SolutionReplay& replay, const Player& player, float seconds);
