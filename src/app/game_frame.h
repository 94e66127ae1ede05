#pragma once

#include "app/game.h"

enum class FrameOutcome {
    Continue,
    EndPass,  // the demo ended: back to the top of the outer loop
    Quit,     // quitRequested was seen at the end of the frame
};

// One game-loop frame: the game's step (the rules while the menu is closed, then the pose for the picture),
// what it reports (sounds, the save of the level reached, the menu), the picture, the menu if open, the
// sleep for the rest of the frame and the swap.
FrameOutcome runGameFrame(Game& game);

// Game-loop frames until the demo ends the pass or the program is to quit.
FrameOutcome runGameLoop(Game& game);
