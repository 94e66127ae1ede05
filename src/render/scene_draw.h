#pragma once

#include "core/board.h"
#include "game/scene_state.h"
#include "layout/window_settings.h"
#include "render/graphics.h"

// How the scene is sent. Both give the same colour and stencil buffers; Plain follows the drawing rules
// step by step and stays as the reference the faster way is tested against.
enum class ScenePath { Fast, Plain };

// The 3D picture of one game-loop frame: floor and goal tiles, wall blocks, crates and the keeper, lit by
// the light where the frame's pose placed it, and, when shadows are on, their shadow volumes. Draws from
// the settled scene and changes no game state; the caller places the audio listener from the camera.
void drawScene(WindowSettings& window, Graphics& graphics, const SceneState& scene,
               const LightSettings& light, const Board& board, ScenePath path = ScenePath::Fast);
