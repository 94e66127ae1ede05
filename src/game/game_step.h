#pragma once

#include "game/game_state.h"
#include "game/input.h"
#include "math/vec.h"

// One game-loop frame of the rules, and what it reports to the rest of the program: the sounds to play, the
// level reached to save, the menu to open, the pass to end.

constexpr int kMaxFootfallsPerFrame = 4;  // a catch-up after a pause can hold several steps' footfalls

enum class PassEnd {
    None,
    ScriptEnded,     // the demo's path is used up: back to the title
    PlayerTookOver,  // Space (or the pad's A or Start) or Escape in the demo, now released: on to the menu
};

struct FrameReport {
    PassEnd passEnd = PassEnd::None;
    bool menuRequested = false;  // Escape (or the pad's Start) in play
    bool levelSolved = false;    // the level end found the level solved in this frame: record it
    bool replayEnded = false;    // watching a kept solution has ended: the game before it comes back
    bool levelReloaded = false;  // the level end loaded a level: the level reached is to be saved
    // The box with the highest index that glided as the frame began, if any: the slide sound and a grunt
    // follow it there.
    bool boxGliding = false;
    Vec3 glidingBoxPosition;
    int footfallCount = 0;  // footfalls of the walk cycle in this frame's ticks, in order
    Vec3 footfalls[kMaxFootfallsPerFrame];
};

// While the menu is closed: the level end, the input (the keys and the pad, or the demo), the move rule, the
// lamp and shadow toggles and the ticks the elapsed time holds. Then, menu open or not: the keeper's facing,
// the scene's pose and the logo's fade, so the picture can be drawn from the state alone. Reads the frame's
// input and its clock from the feed, and has the loop wait for a key's release where a press must act once.
// Returns before the pose when the demo ends the pass.
FrameReport stepGame(GameState& state, bool menuOpen, InputFeed& feed);

// One animation tick of 1/60 s: the scene's tick and the fog's drift.
void runTick(GameState& state, FrameReport& report);

// After every level load: box heights back to 0 and the scene rebuilt for the level.
void afterLevelLoad(GameState& state);

// Loads level player.level of the set in play: the collection when there is one, else the Classic file.
void loadLevelInPlay(GameState& state);
