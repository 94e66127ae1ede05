#pragma once

#include "app/game.h"

// Hands the game's loops the renderer's drawing of a game frame, a title frame and the open menu.
void installPresenter(Game& game);
