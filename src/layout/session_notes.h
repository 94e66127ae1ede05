#pragma once

#include <string>

// What the HUD shows of the session, beside the game's state.
struct SessionNotes {
    std::string profileName;           // empty before a profile is chosen
    bool progressNotSaved = false;     // the last save of the level reached failed; shown until one succeeds
    bool solvedLevelNotSaved = false;  // the last record of a solved level failed; shown until one succeeds
    std::string best;                  // the level's best solutions in words; empty for none
};
