#pragma once

#include "game/game_state.h"
#include "layout/session_notes.h"
#include "layout/window_settings.h"
#include "render/graphics.h"

// The pictures of the loops' frames, drawn from the game's state and never changing it. Screens that stand
// still (the title, the board behind the open menu) are drawn once and shown again while what they are
// drawn from stays the same.

// The scene, its shadows and the HUD of a game-loop frame, before the menu.
void drawGameFrame(Graphics& graphics, WindowSettings& window, const GameState& state,
                   const SessionNotes& notes, bool menuOpen);

// The credits, the prompt when shown, and the logo over them.
void drawTitleFrame(Graphics& graphics, const WindowSettings& window, bool promptShown);

// The detail of the picture (graphics.picture) for the player's setting, Automatic resolved by the renderer
// OpenGL reports. A change draws the board behind the menu afresh.
void choosePictureDetail(Graphics& graphics, PictureSetting setting);
