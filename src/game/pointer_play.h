#pragma once

#include <cstdint>
#include <optional>

#include "core/board.h"
#include "core/moves.h"
#include "game/input.h"
#include "game/scene_state.h"

// Play by pointing. A left click on a floor cell the keeper can reach walks him there by the shortest way;
// a left click on a crate chooses it and shows where it can be pushed, and a left click on one of those
// cells brings it there with the fewest pushes, then the fewest moves. Either way the plan is made one
// normal move after another at the pace of moves, so every step counts, glides and can be undone. A click
// while he walks replaces the rest of the plan; any key pressed stops it. A click elsewhere, the right
// button or Escape lets the chosen crate go. What cannot be reached moves nothing and puts a short note on
// the HUD.

constexpr int kMaxPlannedMoves = 8192;       // a plan longer than this is refused as out of reach
constexpr float kPointerNoteSeconds = 2.0f;  // how long the note stays

struct PointerPlay {
    std::uint8_t plan[kMaxPlannedMoves] = {};  // Direction values, made one after another
    std::int32_t planLength = 0;
    std::int32_t planDone = 0;
    std::int32_t chosenBox = -1;    // the crate chosen by a click; -1 for none
    std::int32_t chosenAtStep = 0;  // the keeper's step count when it was chosen: any move since lets it go
    bool targets[kBoardWidth][kBoardHeight] = {};  // where the chosen crate can be pushed
    float noteSeconds = 0.0f;  // the HUD shows its note of a click out of reach while this is above 0
};

// The walk or the pushes a click asked for end here; a chosen crate stays chosen. (A pad's press.)
void stopPlan(PointerPlay& pointer);

// Nothing planned, nothing chosen, no note: after every level load.
void resetPointerPlay(PointerPlay& pointer);

// The frame's clicks, with the ray through the pointer as the last picture was drawn (none when the pointer
// is outside the window). Also stops the plan when any key went down.
void handlePointer(PointerPlay& pointer, const Board& board, const Player& player, const SceneState& scene,
                   const InputFeed& feed);

// Escape lets a chosen crate go before it opens the menu: true when it did.
bool dropChosenBox(PointerPlay& pointer);

// The plan's next move, when the keeper stands ready for it (a move requested during a glide is ignored);
// the caller hands it to tryMove and reports what came of it with planMoveMade.
std::optional<Direction> nextPlannedMove(const PointerPlay& pointer, const Player& player);
void planMoveMade(PointerPlay& pointer, bool moved);

// Once per tick: the note fades.
void tickPointerNote(PointerPlay& pointer, float seconds);
