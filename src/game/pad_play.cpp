#include "game/pad_play.h"

#include <algorithm>
#include <cmath>

#include "game/input.h"

namespace {

// The stronger of the stick's two axes decides, the vertical one on a tie.
std::optional<Direction> stickDirection(PadPlay& pad, float x, float y) {
    const float reach = std::max(std::fabs(x), std::fabs(y));
    pad.stickPushed = reach >= (pad.stickPushed ? kStickReleased : kStickPushed);
    if (!pad.stickPushed) return std::nullopt;
    if (std::fabs(y) >= std::fabs(x)) return y < 0.0f ? Direction::Up : Direction::Down;
    return x < 0.0f ? Direction::Left : Direction::Right;
}

}  // namespace

PadRequest readPadInPlay(PadPlay& pad, const PadState& state) {
    PadRequest request;
    const bool stickWasPushed = pad.stickPushed;
    const std::optional<Direction> stick = stickDirection(pad, state.stickX, state.stickY);
    request.direction =
        heldDirection(state.held[PAD_UP], state.held[PAD_DOWN], state.held[PAD_LEFT], state.held[PAD_RIGHT]);
    if (!request.direction) request.direction = stick;
    request.undo = state.held[PAD_B];
    request.redo = state.held[PAD_Y];
    request.zoomNearer = state.held[PAD_LB];
    request.zoomFarther = state.held[PAD_RB];
    request.stopsWalk = pad.stickPushed && !stickWasPushed;
    for (const bool pressed : state.pressed) request.stopsWalk = request.stopsWalk || pressed;
    return request;
}

bool padRestartDown(PadPlay& pad, const PadState& state, double now) {
    if (state.pressed[PAD_BACK]) {
        if (now - pad.firstBackAt <= kDoubleBackSeconds) {
            pad.restartHeld = true;
            pad.firstBackAt = -std::numeric_limits<double>::infinity();
        } else {
            pad.firstBackAt = now;
        }
    }
    if (!state.held[PAD_BACK]) pad.restartHeld = false;
    return pad.restartHeld;
}
