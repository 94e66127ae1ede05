#pragma once

#include <string>

#include "core/board.h"
#include "core/level_end.h"
#include "game/scene_state.h"
#include "layout/window_settings.h"
#include "render/graphics.h"

// Everything drawn flat over the 3D picture: the HUD lines, the mini-map, the drifting fog and the
// full-window logo whose opacity makes the fade between levels.

void drawImageOverlay(const WindowSettings& window, GLuint texture, float opacity);
void drawFogOverlay(const WindowSettings& window, GLuint texture, float offset);
void drawMiniMap(const WindowSettings& window, const IconSlots& icons, const Board& board,
                 const SceneState& scene);

struct HudText {
    const std::string* profileName = nullptr;  // empty before a profile is chosen
    int steps = 0;
    int level = 0;
    int pushes = 0;
    const std::string* best = nullptr;  // the level's best solutions; none or empty for none
    bool demoMode = false;
    bool replayMode = false;        // a kept solution is being watched
    bool allLevelsSolved = false;   // the set is used up: the board is empty and says so
    bool levelNotLoaded = false;    // the level asked for exists, or should, but could not be loaded
    bool progressNotSaved = false;  // the last save of the level reached failed
    bool cannotReach = false;       // a click asked for what cannot be reached
};

// Once per game-loop frame after the scene: the text lines in their slots, "DEMO", the map, the fog and,
// while it is shown, the logo at the level end's fade.
void drawHud(const WindowSettings& window, const Graphics& graphics, const Board& board,
             const SceneState& scene, const HudText& text, float scroll, const LevelEnd& levelEnd);
