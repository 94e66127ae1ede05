#pragma once

#include "core/board.h"
#include "core/level_end.h"
#include "game/scene_state.h"
#include "math/mat4.h"

// The pose of the scene for the frame about to be drawn, settled after the frame's rules and ticks: where
// the light stands, the keeper's matrix and push pose, and where the boxes are drawn. Drawing only reads it.

constexpr float kLampHeight = 4.0f;  // world y of the lamp carried above the keeper

// Every game-loop frame, the menu open or not, before the picture is drawn.
void settleScenePose(SceneState& scene, LightSettings& light, const Board& board, const Player& player,
                     const LevelEnd& levelEnd);

// The keeper's facing direction is the third column of its matrix; a box stands in front of it when the
// cell one step ahead of its drawn position holds a box's drawn position (both floored to cells).
bool isFacingBox(const Mat4& keeperMatrix, Vec3 keeperPosition, const Board& board);

// A box's drawing matrix each frame: its drawn cell (cell minus slide offsets) and its drawn height; the
// quarter turn chosen at the level's start stays.
void refreshBoxMatrix(Mat4& matrix, const Box& box, float height);
