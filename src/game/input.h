#pragma once

#include <optional>

#include "core/moves.h"
#include "math/ray.h"
#include "platform/frame_input.h"

// The input as the game's rules read it. They never read a device: the loop samples the frame's input, and
// where a key must act once per press, the rules ask the loop to wait for its release. The loop's wait
// sleeps and polls events until the key is up, nothing drawn meanwhile (the ticks catch up afterwards), and
// samples the input again, so everything read after a wait is as it stands after the wait.

constexpr double kReleaseWaitSeconds = 0.03;
constexpr double kShortReleaseWaitSeconds = 0.001;  // after L, S and the Enter of the level end

struct InputFeed;

// What only the loop can do with the devices. Any of them may be missing (a test's feed): the input then
// stays as it is.
struct InputActions {
    void (*waitForRelease)(InputFeed& feed, int key, double intervalSeconds) = nullptr;
    void (*pollAgain)(InputFeed& feed) = nullptr;      // read the events once more and sample again
    void (*takeTypedChar)(InputFeed& feed) = nullptr;  // the typed character is used up
};

struct InputFeed {
    FrameInput now;
    const InputActions* actions = nullptr;
    // The ray through the pointer into the picture as last drawn, filled in by the loop, which knows the
    // window; none while the pointer is outside the window.
    std::optional<Ray> pointerRay;
};

void waitForRelease(InputFeed& feed, int key, double intervalSeconds);
void pollAgain(InputFeed& feed);
// The character typed and not yet taken (0 for none), which is then used up.
int takeTypedChar(InputFeed& feed);

// The arrow keys in their order of precedence: each key held replaces the one before, so Down wins over Up,
// Up over Left and Left over Right.
std::optional<Direction> arrowKeyRequest(const FrameInput& input);

// U or Backspace: take the last move back.
bool undoKeyDown(const FrameInput& input);

// Y: make the last move taken back again.
bool redoKeyDown(const FrameInput& input);

// A key that flips a setting once per press.
void toggleOnPress(InputFeed& feed, int key, bool& flag);
