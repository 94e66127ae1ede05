#pragma once

#include <cstdio>
#include <optional>

#include "core/board.h"
#include "core/moves.h"

// The attract-mode demo: the keeper is steered along a path of target cells read from "Moves.txt", pairs
// of decimal integers (column, row) separated by commas or white space. Anything that is not a complete
// pair of integers ends the path, as the end of the file does.

constexpr const char* kDemoScriptPath = "Moves.txt";

// The open path file with one pair read ahead, so that "nothing left to read" is known before a pair is
// asked for.
struct DemoScript {
    std::FILE* file = nullptr;
    bool hasPending = false;
    int pendingX = 0;
    int pendingY = 0;
};

// A path the keeper cannot walk (a target beyond a wall or a blocked box) is a broken file, not a show: the
// demo ends as at the end of the file once the keeper has come no closer to its target for this long.
constexpr double kDemoStallSeconds = 3.0;
// A frame counts for at most this long towards the stall: a longer one is the viewer holding a key whose
// release the game waits for, not the keeper pressing against a wall.
constexpr double kDemoStallFrameSeconds = 0.25;

// How the keeper fares on its way to the current target.
struct DemoProgress {
    long long closestDistance = -1;  // cells (row plus column) to the target at its closest; -1: none yet
    double stalledSeconds = 0.0;     // demo frames since the keeper last came closer
    double lastStepTime = -1.0;      // the clock at the previous step; negative before the first
};

struct DemoState {
    bool demoMode = false;
    int targetX = 0;  // the cell the keeper is steered towards
    int targetY = 0;
    DemoScript script;
    DemoProgress progress;
};

// Game start, demo or not: (re)open the path file and read its first pair into the target. A missing file
// leaves the target as it was and the script at its end.
void startDemoScript(DemoState& demo, const char* path = kDemoScriptPath);
void closeDemoScript(DemoState& demo);
bool demoScriptAtEnd(const DemoState& demo);

enum class DemoEnd {
    None,
    ScriptEnded,    // the path is used up, or cannot be walked: back to the title
    SpacePressed,   // the player took over: on to the menu, after Space is released
    EscapePressed,  // the same, after Escape is released
};

struct DemoStep {
    std::optional<Direction> direction;  // handled by the caller like an arrow key
    DemoEnd end = DemoEnd::None;
};

// What the demo step reads besides the keys.
struct DemoClock {
    double now = 0.0;  // seconds on a clock that only moves forward; a clock that stays still never stalls
    bool zooming = false;  // Left Ctrl is down: the requested direction zooms the camera and nobody walks
};

// One frame of the demo. On any end the script is closed and demoMode cleared; the caller waits for the
// key's release and opens the menu, or returns to the title.
DemoStep runDemoStep(DemoState& demo, const Player& player, bool spaceDown, bool escapeDown,
                     DemoClock clock = {});

// The direction that steers the keeper towards the target: a difference in the row is followed before
// one in the column.
std::optional<Direction> demoSteering(int keeperX, int keeperY, int targetX, int targetY);
