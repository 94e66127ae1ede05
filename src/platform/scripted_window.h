#pragma once

// The scripted stand-in of the windowing layer, for tests: no window, a clock that moves only when the
// program sleeps (or the test advances it: time the program spends working), and keys, the pointer and its
// buttons, a pad, characters, close requests and resizes that the test sets at once or schedules for a
// moment of that clock. Scheduled events take effect at the first event poll (or buffer swap) at or after
// their time, as real input does.

#include <functional>

#include "platform/frame_input.h"

struct ScriptedWindowRecord {
    bool initialised = false;
    bool windowOpen = false;
    int windowX = 0;
    int windowY = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    int samples = 0;  // what the open window has
    int windowsOpened = 0;
    int swapInterval = -1;
    int swaps = 0;
    double lastFlushAt = -1.0;  // scripted time of the last flush of the drawing
    int polls = 0;
    double sleptSeconds = 0.0;
    bool keyRepeat = false;
    bool charCallbackInstalled = false;
    const char* title = "";
    int iconWidth = 0;  // the window's icon, 0 x 0 while it has none
    int iconHeight = 0;
    bool fullScreen = false;  // the window fills the desktop, at the desktop's size
    int fullScreenSwitches = 0;
};

// Back to a fresh state: no window, time 0, every key up, nothing scheduled.
void scriptedReset();
// What the program did to the stand-in so far.
const ScriptedWindowRecord& scriptedRecord();

// Full screen fills the desktop (scriptedSetDesktopSize) and reports its size; leaving it gives back the
// window's size and place from before and reports that size.

// Configuration for the failure paths, with the text the library gives for the failure.
void scriptedFailInit(bool fail, const char* libraryText = "");
void scriptedFailOpen(bool fail, const char* libraryText = "");
void scriptedSetDesktopSize(int width, int height);
// The multisampling a driver grants for a request of n samples (by default what was asked).
void scriptedGrantSamples(int (*grant)(int requested));

void scriptedSetKey(int key, bool down);
void scriptedSetCursor(double x, double y);  // window pixels from the top-left corner
void scriptedSetButton(int button, bool down);
// The pad as it stands from now on: whether one is plugged in, its buttons held and its stick (its presses
// are what the samples make of the states, as with a real pad). PadState{} is no pad.
void scriptedSetPad(const PadState& pad);
void scriptedAdvanceTime(double seconds);

// Scheduled input, applied at the first poll at or after `time` (seconds on the stand-in's clock).
void scriptedKeyAt(double time, int key, bool down);
void scriptedCursorAt(double time, double x, double y);
void scriptedButtonAt(double time, int button, bool down);
void scriptedPadAt(double time, const PadState& pad);
void scriptedCloseAt(double time);
void scriptedCharAt(double time, int code, bool repeat = false);
void scriptedResizeAt(double time, int width, int height);
// Runs at every poll, after the scheduled events: for scripts that react to the program's state.
void scriptedOnPoll(std::function<void()> hook);
// Runs at every buffer swap, before the swap's poll: a test that draws into a real context of its own reads
// each finished frame here.
void scriptedOnSwap(std::function<void()> hook);
// How extension queries are answered; by default nothing is supported. A test with a real context current
// answers from that context.
void scriptedSetExtensionQuery(bool (*query)(const char* name));
