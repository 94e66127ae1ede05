#pragma once

#include <random>

#include "core/board.h"
#include "game/scene_state.h"

// After every level load: the drawing matrices of the cells and boxes (each box turned a quarter with one
// chance in two), the drawn area (the largest wall column and row) and the level's light above its middle.
void prepareLevelScene(SceneState& scene, const Board& board, LightSettings& light, std::mt19937& random);
