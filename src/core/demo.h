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

struct DemoState {
    bool demoMode = false;
    int targetX = 0;  // the cell the keeper is steered towards
    int targetY = 0;
    DemoScript script;
};

// Game start, demo or not: (re)open the path file and read its first pair into the target. A missing file
// leaves the target as it was and the script at its end.
void startDemoScript(DemoState& demo, const char* path = kDemoScriptPath);
void closeDemoScript(DemoState& demo);
bool demoScriptAtEnd(const DemoState& demo);

enum class DemoEnd {
    None,
    ScriptEnded,    // the path is used up: back to the title
    SpacePressed,   // the player took over: on to the menu, after Space is released
    EscapePressed,  // the same, after Escape is released
};

struct DemoStep {
    std::optional<Direction> direction;  // handled by the caller like an arrow key
    DemoEnd end = DemoEnd::None;
};

// One frame of the demo. On any end the script is closed and demoMode cleared; the caller waits for the
// key's release and opens the menu, or returns to the title.
DemoStep runDemoStep(DemoState& demo, const Player& player, bool spaceDown, bool escapeDown);

// The direction that steers the keeper towards the target: a difference in the row is followed before
// one in the column.
std::optional<Direction> demoSteering(int keeperX, int keeperY, int targetX, int targetY);
