#pragma once

#include <string>
#include <vector>

#include "game/collection_play.h"
#include "profiles/level_progress.h"

// Which collections there are, which one is chosen and what the profile in play has done in them. The
// built-in Classic set comes first, then the files of the player's level folder, then a file named on the
// command line. Only their names are known at start-up; a collection is read when it is chosen.

constexpr const char* kClassicSetPath = "levels/Classic.lvt";

struct CollectionEntry {
    std::string name;  // shown in the chooser: "Classic", or the file's name
    std::string path;  // the file, relative to the game directory or absolute
    bool builtIn = false;
};

struct LevelChoice {
    std::vector<CollectionEntry> entries;
    int chosen = 0;  // the entry play starts in after a profile is created or loaded
    // The Classic set read through the collection reader: its levels' hashes name them in progress records
    // and its titles fill the chooser, while play reads them from the file as always.
    CollectionInPlay classic;
    CollectionInPlay browsed;  // the entry the chooser shows the levels of
    int browsedEntry = -1;     // which entry browsed holds, -1 for none yet
    CollectionInPlay inPlay;   // a player's collection being played; GameState::collection points here
    int inPlayEntry = -1;      // which entry inPlay holds, -1 for none
};

// The entries at start-up: Classic, the level folder's files (not read) and the command line's file.
void listCollections(LevelChoice& choice, const std::string& levelFolder, const std::string& commandLinePath);

// Reads an entry's file. Null when it holds a playable level, else the menu message that says why not.
const char* readCollectionEntry(const CollectionEntry& entry, CollectionInPlay& out);

// The marks of the profile in play: the levels it has a record of solving, and in Classic also every level
// below the one it has reached (classicReached; 0 for a collection of a player's own).
void markSolvedLevels(CollectionInPlay& play, const ProfileProgress& progress, int classicReached);
