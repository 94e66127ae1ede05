#pragma once

// Frame pacing of the title and the game loop. A frame lasts at least kFrameSleepSeconds: after its own
// work it sleeps for what is left of that time, and always a little, so the processor is given up every
// frame. That caps the game at about 33 frames a second and leaves a slow renderer's frames no longer than
// their work. The key-release waits inside a frame are sleeps, not work: they keep their fixed steps and
// do not shorten the frame's sleep.

constexpr double kFrameSleepSeconds = 0.03;      // the shortest frame, in seconds
constexpr double kMinFrameSleepSeconds = 0.001;  // the least sleep that ends a frame

// The sleep that ends a frame whose own work took `workSeconds`.
double frameSleepAfter(double workSeconds);

// Where a frame began, on the clock of the program's own work.
struct FrameStart {
    double awakeSeconds = 0.0;
};

FrameStart startFrame();

// Sleeps for the rest of the frame begun at `start`.
void sleepRestOfFrame(const FrameStart& start);
