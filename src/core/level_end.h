#pragma once

#include <functional>

#include "core/board.h"

// The sequence after a solved level (or a restart on Enter): the boxes sink into the floor, the logo fades
// in, the level is loaded again or the next one is, and the logo fades out again. It advances once per
// frame, so its speed follows the frame rate, not the tick.

constexpr float kSinkStep = 0.05f;    // drawn height lost by every box per frame
constexpr float kSunkHeight = -2.0f;  // the boxes are gone below the floor
constexpr float kFadeStep = 0.05f;    // logo opacity gained or lost per frame

struct LevelEnd {
    bool solved = false;        // the level number goes up by one at the reload
    bool endRequested = false;  // latched: completion or Enter, with no box gliding
    bool sinking = false;
    bool sunk = false;
    bool advancing = false;  // the fade-out before the reload is running
    float fade = 1.0f;       // opacity of the logo overlay: raised while advancing, else lowered to 0
    bool logoShown = false;  // the logo is drawn over this frame, at opacity fade
    // Drawn height (world y) of each box entry; 0 after every level load. The scene draws and shadows the
    // boxes at this height.
    float boxHeight[kMaxBoxes] = {};
};

// What the frame's caller has to do after the level-end phases.
struct LevelEndFrame {
    bool solvedNow = false;  // the level end latched a solved level in this frame: the level is done
    bool reloaded = false;   // a level was loaded: save the level reached and rebuild the scene
};

// How the reload gets its level: the level player.level of the set the player is in. `solved` tells that the
// number was raised past a solved level, so a set that skips levels already done may move on further. The
// level file's loadLevel when none is given.
using LevelLoader = std::function<void(Board& board, Player& player, bool solved)>;

// Latches the level end when the level is solved or Enter is down, unless a box is still gliding (the
// test is made again next frame). Skipped in demo mode, where solving the level never ends the demo.
void levelEndTrigger(LevelEnd& state, const Board& board, bool enterDown, bool demoMode);

// Sinking, fade-out and reload. waitForEnterRelease is called every frame of the fade-out; it blocks while
// Enter is held, so a held Enter does not restart the next level at once.
LevelEndFrame runLevelEndPhases(LevelEnd& state, Board& board, Player& player,
                                const std::function<void()>& waitForEnterRelease,
                                const LevelLoader& load = {});

// The trigger and the phases of one frame, in that order.
LevelEndFrame stepLevelEnd(LevelEnd& state, Board& board, Player& player, bool enterDown, bool demoMode,
                           const std::function<void()>& waitForEnterRelease, const LevelLoader& load = {});

void clearBoxHeights(LevelEnd& state);

// Every game-loop frame, the menu open or not, after the phases: unless the fade-in before a reload runs,
// the logo's opacity drops one step. Once it is at or below 0 the logo is no longer shown and fade stays.
void lowerLogoFade(LevelEnd& state);
