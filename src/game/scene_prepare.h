#pragma once

#include <random>

#include "core/board.h"
#include "game/scene_state.h"

// After every level load: the drawing matrices of the cells and boxes (each box turned a quarter with one
// chance in two), the drawn area (the largest wall column and row), the level's light above its middle at
// the fixed light's height, and the keeper's drawn position (so a picture drawn before the first tick, as
// behind the first menu, shows him at his start).
void prepareLevelScene(SceneState& scene, const Board& board, const Player& player, LightSettings& light,
                       std::mt19937& random);
