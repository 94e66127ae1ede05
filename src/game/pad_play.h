#pragma once

#include <limits>
#include <optional>

#include "core/moves.h"
#include "platform/frame_input.h"

// What a pad does in play, beside the keys: the d-pad and the left stick walk as the arrow keys do, B takes
// a move back and Y makes it again (held, both go on at the pace of moves, as U and Y do), the shoulders
// zoom as Left Ctrl with Up or Down does, and Back pressed twice within a second restarts the level as
// Enter does. (Start opens the menu: the step reads it with Escape.)

// The stick walks once pushed past the middle of its travel along either axis, and stops once back within
// the smaller reach: the gap between the two keeps a thumb resting at the edge from stepping on and off.
constexpr float kStickPushed = 0.5f;
constexpr float kStickReleased = 0.3f;
constexpr double kDoubleBackSeconds = 1.0;  // the most from one press of Back to the next that restarts

// What the pad's reading keeps from one frame of play to the next: plain values, so a copy of the game's
// state stays a snapshot.
struct PadPlay {
    bool stickPushed = false;
    // Seconds on the input's clock of a press of Back waiting for its second; minus infinity for none.
    double firstBackAt = -std::numeric_limits<double>::infinity();
    bool restartHeld = false;  // Back's second press, still down: it stands for a held Enter
};

// What the pad asks of this frame of play.
struct PadRequest {
    std::optional<Direction> direction;  // the d-pad's, else the stick's: a held arrow key's request
    bool undo = false;
    bool redo = false;
    bool zoomNearer = false;
    bool zoomFarther = false;
    bool stopsWalk = false;  // a button went down or the stick was pushed: a walk a click asked for ends
};

PadRequest readPadInPlay(PadPlay& pad, const PadState& state);

// The frame's Back presses: true while the second of two within kDoubleBackSeconds is held. The level end
// reads it as Enter; the caller clears restartHeld once the level end has taken it, so Back held on does
// not restart the next level too.
bool padRestartDown(PadPlay& pad, const PadState& state, double now);
