#pragma once

#include "app/game.h"

// Watching a kept solution from the level chooser, in a mode of its own (not the demo's pass): the game as
// it was is put aside, the level is loaded afresh and plays the solution, and when the watching ends the
// game comes back as it was (its level, its moves to take back) with the chooser open where it was.

// Starts watching the kept solution of level `number` (from 1) of the collection the chooser shows: the
// fewest moves, or with `fewestPushes` the fewest pushes. False when the level has no such solution kept.
bool startWatching(Game& game, int number, bool fewestPushes);

// After a frame whose report says the watching ended.
void endWatching(Game& game);
