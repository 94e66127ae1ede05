#pragma once

#include "platform/frame_input.h"

// The rule both windowing backends sample a pad by, so the GLFW layer and the scripted stand-in cannot
// drift apart: the pad's state as it stands is read, and a sample adds its presses, the buttons down now
// that were up at the previous sample. A pad that is not there (never plugged in, or pulled out) reads as
// nothing held with the stick in the middle; one plugged in with a button down has that button pressed.

struct PadSampling {
    bool heldBefore[kPadButtonCount] = {};  // as of the previous sample
};

// `reading` gives whether a pad is there, its buttons held and its stick; its presses are not read. The
// stick is kept within -1..1.
PadState samplePad(PadSampling& sampling, const PadState& reading);
