#pragma once

#include "core/board.h"
#include "math/mat4.h"

// The pose of the scene for the frame about to be drawn: where the keeper faces, where the boxes stand.

// The keeper's facing direction is the third column of its matrix; a box stands in front of it when the
// cell one step ahead of its drawn position holds a box's drawn position (both floored to cells).
bool isFacingBox(const Mat4& keeperMatrix, Vec3 keeperPosition, const Board& board);

// A box's drawing matrix each frame: its drawn cell (cell minus slide offsets) and its drawn height; the
// quarter turn chosen at the level's start stays.
void refreshBoxMatrix(Mat4& matrix, const Box& box, float height);
