#pragma once

#include <cstdint>

#include "layout/window_settings.h"

// The program-wide values the window callbacks write, in one place. All run on the main thread: the
// callbacks fire inside event polling and buffer swaps, and the loops read the values afterwards.

// Set by the window's close button (closeCallback) and the menu's Quit; the game loop ends the program at
// the end of the frame in which it sees it.
extern bool quitRequested;
// The last character typed while the menu's character callback is installed (32 to 122), 0 when none is
// pending. Written by charCallback, taken by the menu's text entry.
extern std::int32_t lastTypedChar;
// The window's current client size; written by sizeCallback, read by every drawing operation.
extern WindowSettings windowSettings;

void charCallback(int code, int action);
int closeCallback();
void sizeCallback(int width, int height);
