#pragma once

#include <optional>

#include "core/moves.h"
#include "math/ray.h"
#include "platform/frame_input.h"

// The input as the game's rules read it. They never read a device: the loop samples the frame's input, and
// where a key or a pad's button must act once per press, the rules ask the loop to wait for its release.
// The loop's wait sleeps and polls events until the key or button is up, nothing drawn meanwhile (the ticks
// catch up afterwards), and samples the input again, so everything read after a wait is as it stands after
// the wait.

constexpr double kReleaseWaitSeconds = 0.03;
constexpr double kShortReleaseWaitSeconds = 0.001;  // after L, S and the Enter of the level end

struct InputFeed;

// What only the loop can do with the devices. Any of them may be missing (a test's feed): the input then
// stays as it is.
struct InputActions {
    void (*waitForRelease)(InputFeed& feed, int key, double intervalSeconds) = nullptr;
    void (*pollAgain)(InputFeed& feed) = nullptr;      // read the events once more and sample again
    void (*takeTypedChar)(InputFeed& feed) = nullptr;  // the typed character is used up
    void (*waitForPadRelease)(InputFeed& feed, int button, double intervalSeconds) = nullptr;
};

struct InputFeed {
    FrameInput now;
    const InputActions* actions = nullptr;
    // The ray through the pointer into the picture as last drawn, filled in by the loop, which knows the
    // window; none while the pointer is outside the window.
    std::optional<Ray> pointerRay;
};

void waitForRelease(InputFeed& feed, int key, double intervalSeconds);
void waitForPadRelease(InputFeed& feed, int button, double intervalSeconds);
void pollAgain(InputFeed& feed);
// The character typed and not yet taken (0 for none), which is then used up.
int takeTypedChar(InputFeed& feed);

// A key and the pad's buttons that do the same in one place of the game (a bit per button, padButtonBit).
struct Control {
    int key;
    unsigned padButtons;
};

constexpr unsigned padButtonBit(int button) {
    return 1u << button;
}

// Space, or the pad's A or Start: leaves the title and ends the demo.
constexpr Control kTakeOverControl{KEY_SPACE, padButtonBit(PAD_A) | padButtonBit(PAD_START)};

bool controlDown(const FrameInput& input, const Control& control);
// Waits for the key's release if it is down, then for that of each of the pad's buttons down after it: a
// player who uses no pad waits exactly as for the key.
void waitForControlRelease(InputFeed& feed, const Control& control, double intervalSeconds);

// Directions held, in their order of precedence: each replaces the one before, so Down wins over Up, Up over
// Left and Left over Right.
std::optional<Direction> heldDirection(bool up, bool down, bool left, bool right);

// The arrow keys, in that order of precedence.
std::optional<Direction> arrowKeyRequest(const FrameInput& input);

// U or Backspace: take the last move back.
bool undoKeyDown(const FrameInput& input);

// Y: make the last move taken back again.
bool redoKeyDown(const FrameInput& input);

// A key that flips a setting once per press.
void toggleOnPress(InputFeed& feed, int key, bool& flag);
