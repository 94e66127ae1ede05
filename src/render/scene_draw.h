#pragma once

#include "core/board.h"
#include "core/level_end.h"
#include "game/scene_state.h"
#include "layout/window_settings.h"
#include "render/graphics.h"

// How the shadow volumes are sent. Both give the same colour and stencil buffers; Plain follows the
// drawing rules step by step and stays as the reference the faster way is tested against.
enum class ShadowPath { Fast, Plain };

// The 3D picture of one game-loop frame: floor and goal tiles, wall blocks, crates and the keeper, lit by
// the level's light or the lamp, and, when shadows are on, their shadow volumes. Places the light, builds
// the keeper's matrix and decides the push pose; the caller places the audio listener from the camera.
void drawScene(WindowSettings& window, Graphics& graphics, SceneState& scene, LightSettings& light,
               const Board& board, const Player& player, const LevelEnd& levelEnd,
               ShadowPath shadowPath = ShadowPath::Fast);
