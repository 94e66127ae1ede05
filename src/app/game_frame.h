#pragma once

#include "app/game.h"

enum class FrameOutcome {
    Continue,
    EndPass,  // the demo ended: back to the top of the outer loop
    Quit,     // quitRequested was seen at the end of the frame
};

// One game-loop frame: while the menu is closed the level end, the input and the move rule and the ticks
// the elapsed time holds; then every frame the drawing, the menu if open, the frame's sleep and the swap.
FrameOutcome runGameFrame(Game& game);

// Game-loop frames until the demo ends the pass or the program is to quit.
FrameOutcome runGameLoop(Game& game);

// One animation tick of 1/60 s.
void runTick(Game& game);

// After every level load: box heights back to 0 and the scene rebuilt for the level.
void afterLevelLoad(Game& game);
