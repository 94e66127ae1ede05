#pragma once

#include <cstdint>
#include <vector>

#include "core/board.h"
#include "core/level_collection.h"

// A collection read from a player's file, as play goes through it. Every level is open; solving one goes on
// to the next one not yet solved, wrapping round to the start. The Classic set is not played this way: it
// keeps its own file and its own order (core/level_file.h).

struct CollectionInPlay {
    LevelCollection collection;
    std::vector<std::uint64_t> hashes;  // boardHash of each level, for the progress records
    std::vector<bool> solved;           // by level, for the profile in play
};

// A collection with its hashes and no level marked solved.
CollectionInPlay openCollection(LevelCollection collection);

// The first level from `from` on (counted from 1, wrapping round) that is playable and not yet solved; 0
// when there is none.
int nextUnsolvedLevel(const CollectionInPlay& play, int from);

// Loads level player.level. After a solve (`solved`) it moves on to the next unsolved level from there;
// with none left the board is cleared with notFound and pastLastLevel set, which the HUD shows as every
// level solved. A level that cannot be played leaves the board cleared with notFound set.
void loadCollectionLevel(Board& board, Player& player, const CollectionInPlay& play, bool solved);
