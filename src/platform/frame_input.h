#pragma once

#include "platform/window.h"

// The input of one moment as the loops hand it to the game: the keys, the pointer and the clock, sampled
// from the windowing layer in one call. The game's rules read only this value, never a device, so every
// device works the same in tests and a new one touches one place.

constexpr int MOUSE_BUTTON_LEFT = 0;
constexpr int MOUSE_BUTTON_RIGHT = 1;
constexpr int MOUSE_BUTTON_MIDDLE = 2;
constexpr int kMouseButtonCount = 3;

struct FrameInput {
    bool held[KEY_LAST + 1] = {};     // down as of the last event poll
    bool pressed[KEY_LAST + 1] = {};  // went down since the previous sample, a tap between two polls too
    // The character typed and not yet taken (32 to 122), 0 for none: filled in by the loop, which owns it.
    int typedChar = 0;
    double cursorX = 0.0;  // the pointer in window pixels from the top-left corner, as of the last poll
    double cursorY = 0.0;
    bool buttonHeld[kMouseButtonCount] = {};
    bool buttonPressed[kMouseButtonCount] = {};  // went down since the previous sample
    double time = 0.0;                           // seconds since platformInit, at the sample
};

// Fills everything but typedChar, and starts counting presses afresh for the next sample.
void platformSampleInput(FrameInput& input);
