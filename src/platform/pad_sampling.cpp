#include "platform/pad_sampling.h"

#include <algorithm>

PadState samplePad(PadSampling& sampling, const PadState& reading) {
    PadState sample;
    sample.connected = reading.connected;
    if (reading.connected) {
        sample.stickX = std::clamp(reading.stickX, -1.0f, 1.0f);
        sample.stickY = std::clamp(reading.stickY, -1.0f, 1.0f);
    }
    for (int button = 0; button < kPadButtonCount; ++button) {
        sample.held[button] = reading.connected && reading.held[button];
        sample.pressed[button] = sample.held[button] && !sampling.heldBefore[button];
        sampling.heldBefore[button] = sample.held[button];
    }
    return sample;
}
