#pragma once

#include "app/game.h"

// The in-game menu, one frame of it, run after the game frame is drawn while game.menuOpen is set. Its
// first frame of each opening installs the typed-character callback and turns key repeat on; the frame in
// which it closes undoes both.
void runMenuFrame(Game& game);
