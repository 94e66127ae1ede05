#pragma once

#include <string>
#include <vector>

#include "core/board.h"

// Demo paths: the keeper target cells of "Moves.txt" that make the attract-mode demo play a solution.

struct DemoTarget {
    int x = 0;  // column
    int y = 0;  // row
};

// One target at the end of every straight run of letters in one direction, so the keeper walks and
// pushes exactly as the solution does whatever the demo's steering order; then the last target once
// more, because the demo stops as soon as it has read the last pair and never walks to it. Starts at the
// keeper's cell (keeperX, keeperY); letters other than u d l r in either case are skipped.
std::vector<DemoTarget> demoPathFromSolution(int keeperX, int keeperY, const std::string& solution);

// "x,y" lines, each ended by a newline.
std::string formatDemoPath(const std::vector<DemoTarget>& path);

struct DemoReplay {
    bool scriptEnded = false;  // the demo ended by using up its path, not by the frame limit
    bool solved = false;       // isSolved when it ended
    int frames = 0;
    int steps = 0;  // the keeper's successful moves
};

// Plays the path file on the loaded level as the game's frame does: the demo step, tryMove with its
// direction, then ticksPerFrame ticks of glide. Stops when the demo ends or after maxFrames frames.
DemoReplay replayDemo(Board& board, Player& player, const char* movesPath, int ticksPerFrame = 2,
                      int maxFrames = 200000);
