#pragma once

#include <string>
#include <vector>

#include "core/board.h"

// Demo paths: the keeper target cells of "Moves.txt" that make the attract-mode demo a show of a level.

struct DemoTarget {
    int x = 0;  // column
    int y = 0;  // row
};

// The game's pace at its fastest, which the lengths below are counted in: a frame lasts at least 0.03 s
// (it sleeps for what its work leaves of that time), and a step is the keeper's glide of 9 ticks of
// 1/60 s. On a slower machine the show only lasts longer.
constexpr double kDemoFrameSeconds = 0.03;
constexpr double kDemoTickSeconds = 1.0 / 60.0;
constexpr double kDemoStepSeconds = 9 * kDemoTickSeconds;

// One target at the end of every straight run of letters in one direction, so the keeper walks and
// pushes exactly as the letters do whatever the demo's steering order; then the last target holdPairs
// times more: the demo stops as soon as it has read the last pair and never walks to it, and every pair
// of the keeper's own cell holds him still for one frame. Starts at the keeper's cell (keeperX, keeperY);
// letters other than u d l r in either case are skipped.
std::vector<DemoTarget> demoPathFromSolution(int keeperX, int keeperY, const std::string& solution,
                                             int holdPairs = 1);

struct DemoShowOptions {
    int walkSeconds = 9;   // the least the walk round the level before the solution lasts
    int pauseSeconds = 3;  // how long the keeper then stands beside the solved level, from the last push
};

// The demo of a level: a walk round it (demoTour) that ends where the solution makes its first push, the
// solution from there, and the pause; with the defaults at least 12 seconds of play. Empty when the first
// push cannot be walked to.
std::vector<DemoTarget> demoShow(const Board& board, const Player& player, const std::string& solution,
                                 const DemoShowOptions& options = DemoShowOptions{});

// "x,y" lines, each ended by a newline.
std::string formatDemoPath(const std::vector<DemoTarget>& path);

struct DemoReplay {
    bool scriptEnded = false;  // the demo ended by using up its path, not by the frame limit
    bool solved = false;       // isSolved when it ended
    int frames = 0;
    int steps = 0;         // the keeper's successful moves
    double seconds = 0.0;  // frames times the frame's length
};

// Plays the path file on the loaded level as the game's frame does: the demo step, tryMove with its
// direction, then the glide ticks that the frame's length brings due. Stops when the demo ends or after
// maxFrames frames.
DemoReplay replayDemo(Board& board, Player& player, const char* movesPath,
                      double frameSeconds = kDemoFrameSeconds, int maxFrames = 200000);
