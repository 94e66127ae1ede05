#pragma once

#include "core/board.h"
#include "game/pointer_play.h"
#include "game/scene_state.h"

// The marks of play by pointing, over the finished 3D picture with the camera still set: the crate chosen
// by a click (a gold frame round its top and its foot) and the cells it can be pushed to (green squares on
// the floor). Nothing when no crate is chosen, so play without the pointer looks as it always did.
void drawPointerMarks(const PointerPlay& pointer, const SceneState& scene);
