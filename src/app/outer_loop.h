#pragma once

#include "app/game.h"

// The outer loop: each pass loads level 1 of the set, shows the title (unless the menu is already open,
// after a demo the player interrupted), switches to the game and runs game-loop frames until the demo ends
// the pass. Returns when the program is to quit; the caller shuts down.
void runOuterLoop(Game& game);

// One pass; true when the program is to quit.
bool runPass(Game& game);
