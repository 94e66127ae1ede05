#pragma once

#include "platform/window.h"

// The input of one moment as the loops hand it to the game: the keys, the pointer, the pad and the clock,
// sampled from the windowing layer in one call. The game's rules read only this value, never a device, so
// every device works the same in tests and a new one touches one place.

constexpr int MOUSE_BUTTON_LEFT = 0;
constexpr int MOUSE_BUTTON_RIGHT = 1;
constexpr int MOUSE_BUTTON_MIDDLE = 2;
constexpr int kMouseButtonCount = 3;

// A pad's buttons by their place on the standard layout: of the four face buttons A is the lowest, B the
// right, X the left and Y the top one; Back and Start stand between the sticks; LB and RB are the shoulders.
constexpr int PAD_A = 0;
constexpr int PAD_B = 1;
constexpr int PAD_X = 2;
constexpr int PAD_Y = 3;
constexpr int PAD_BACK = 4;
constexpr int PAD_START = 5;
constexpr int PAD_LB = 6;
constexpr int PAD_RB = 7;
constexpr int PAD_UP = 8;  // the d-pad
constexpr int PAD_DOWN = 9;
constexpr int PAD_LEFT = 10;
constexpr int PAD_RIGHT = 11;
constexpr int kPadButtonCount = 12;

// The first pad the windowing library knows a standard mapping for. With none plugged in, nothing is down
// and the stick stands in the middle.
struct PadState {
    bool connected = false;
    bool held[kPadButtonCount] = {};
    // Down now and up at the previous sample: the libraries report a pad's state, not its presses, so a
    // press and release between two samples is not seen.
    bool pressed[kPadButtonCount] = {};
    float stickX = 0.0f;  // the left stick, -1 (left) to 1 (right)
    float stickY = 0.0f;  // -1 (up) to 1 (down)
};

struct FrameInput {
    bool held[KEY_LAST + 1] = {};     // down as of the last event poll
    bool pressed[KEY_LAST + 1] = {};  // went down since the previous sample, a tap between two polls too
    // The character typed and not yet taken (32 to 122), 0 for none: filled in by the loop, which owns it.
    int typedChar = 0;
    double cursorX = 0.0;  // the pointer in window pixels from the top-left corner, as of the last poll
    double cursorY = 0.0;
    bool buttonHeld[kMouseButtonCount] = {};
    bool buttonPressed[kMouseButtonCount] = {};  // went down since the previous sample
    PadState pad;
    // Enter went down with Alt since the previous sample: the full-screen switch (Enter itself reads as up).
    bool altEnterPressed = false;
    double time = 0.0;  // seconds since platformInit, at the sample
};

// Fills everything but typedChar, and starts counting presses afresh for the next sample.
void platformSampleInput(FrameInput& input);

// The pad's button (PAD_A ...) is down as the pad stands now: what a release wait asks between polls.
bool platformPadButtonDown(int button);
