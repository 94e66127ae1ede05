#pragma once

#include "game/scene_state.h"
#include "layout/window_settings.h"
#include "render/graphics.h"

// The GL side of start-up, in the order the program runs it, with its two loading screens.

// The window's icon for the task bar, from the game directory. Without the file the window keeps the
// desktop's default icon, silently: it is no part of the game's picture.
void setWindowIcon();

// The textures, the map icons and the two bitmap fonts.
void loadImages(Graphics& graphics);

// "Initializing, Please Wait." over the logo, shown while the sounds load; drawn, then drawn and shown.
void drawInitialisingScreen(const Graphics& graphics, const WindowSettings& window);
void showInitialisingScreen(const Graphics& graphics, const WindowSettings& window);

// The scenery models with their display lists, then the keeper's walk frames, each followed by the loading
// screen with its percentage (0, 6, 13, ... 100), then the push frames.
void loadModels(Graphics& graphics, const WindowSettings& window);

// Light 0, the viewport and the display list that finishes every shadow pass.
void setUpLightAndShadows(Graphics& graphics, LightSettings& light, const WindowSettings& window);
