#pragma once

#include <optional>

#include "core/board.h"
#include "game/scene_state.h"
#include "math/ray.h"

// Which cell of the board a ray into the picture meets first, as the scene is drawn: the crates at their
// drawn positions and heights (the translations of the scene's box matrices), the wall blocks, then the
// floor tiles of the drawn area. The keeper and the goal decals take no part; a ray that meets the floor
// only beyond the drawn area, or only beyond the far plane, meets nothing.

enum class PickedObject { Floor, Wall, Crate };

struct PickedCell {
    int x = 0;  // column
    int y = 0;  // row
    PickedObject object = PickedObject::Floor;
    int boxIndex = -1;  // the crate's entry in Board::boxes, for a crate
    Vec3 point;         // where the ray meets it, world units
};

// A crate gives the cell it stands on in the board, even while it is still drawn gliding out of another.
// A floor hit in a wall's cell (only ever on the block's very edge) counts as the wall.
// Cost: one box test per wall and per active crate.
std::optional<PickedCell> pickCell(const Ray& ray, const SceneState& scene, const Board& board);
