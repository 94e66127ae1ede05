#pragma once

#include "app/game.h"

// What a profile keeps of the levels it solves: the mark, and the best solutions by moves and by pushes.

// The level just solved: its mark goes into the set in play (before the reload looks for the next level
// not yet solved) and, with a solution that beats the kept ones, into the progress file beside the profile
// file, named by the level's board. A solution is kept only when it solves the level played from its start.
void recordSolvedLevel(Game& game);

// The records of the level in play for the profile logged in; nothing kept gives the empty record.
const LevelProgress& levelInPlayProgress(const Game& game);
