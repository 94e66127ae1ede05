#pragma once

#include <optional>

#include "core/moves.h"

// The keyboard as the game reads it, over the windowing layer's key state (as of the last event poll).
// Keys whose action must happen once per press are followed by a release wait: it sleeps and polls events
// until the key is up. Nothing is drawn meanwhile; the ticks catch up afterwards.

constexpr double kReleaseWaitSeconds = 0.03;
constexpr double kShortReleaseWaitSeconds = 0.001;  // after L, S and the Enter of the level end

void waitForRelease(int key, double intervalSeconds);

// The arrow keys in their order of precedence: each key held replaces the one before, so Down wins over Up,
// Up over Left and Left over Right.
std::optional<Direction> arrowKeyRequest();

// U or Backspace: take the last move back.
bool undoKeyDown();

// A key that flips a setting once per press.
void toggleOnPress(int key, bool& flag);
