#include "game/scene_pose.h"

#include <cmath>

namespace {

// The lamp hangs over the keeper; without it the light stands where the level placed it.
void placeLight(const SceneState& scene, LightSettings& light) {
    if (scene.lightFollowsKeeper) {
        light.position[0] = scene.keeperPosition.x;
        light.position[1] = kLampHeight;
        light.position[2] = scene.keeperPosition.z;
        return;
    }
    light.position[0] = scene.levelLight.x;
    light.position[1] = scene.levelLight.y;
    light.position[2] = scene.levelLight.z;
    light.position[3] = scene.levelLight.w;
}

}  // namespace

void settleScenePose(SceneState& scene, LightSettings& light, const Board& board, const Player& player,
                     const LevelEnd& levelEnd) {
    placeLight(scene, light);
    // Translation, then the turn about the vertical axis: the order the fixed-function pipeline builds it in,
    // so the keeper and its shadow stand exactly where a driver-built matrix would put them.
    const Vec3 k = scene.keeperPosition;
    scene.keeperMatrix = matMultiply(translationMatrix(k.x, k.y, k.z),
                                     pipelineRotationAboutY(static_cast<float>(player.facing)));
    scene.facingBox = isFacingBox(scene.keeperMatrix, scene.keeperPosition, board);
    // Standing at a crate shows the first push frame, not the standing pose.
    if (scene.walkFrame == 0.0f && scene.facingBox) scene.walkFrame = 1.0f;
    for (int i = 0; i < kMaxBoxes; ++i) {
        if (board.boxes[i].active != 0)
            refreshBoxMatrix(scene.boxMatrices[i], board.boxes[i], levelEnd.boxHeight[i]);
    }
}

bool isFacingBox(const Mat4& keeperMatrix, Vec3 keeperPosition, const Board& board) {
    Vec3 direction{keeperMatrix.m[8], keeperMatrix.m[9], keeperMatrix.m[10]};
    vecNormalize(direction);
    const Vec3 ahead = vecAdd(keeperPosition, direction);
    const float aheadX = std::floor(ahead.x);
    const float aheadZ = std::floor(ahead.z);
    for (const Box& box : board.boxes) {
        if (box.active == 0) continue;
        const Vec3 drawn = drawnPosition(box, 0.0f);
        if (aheadX == std::floor(drawn.x) && aheadZ == std::floor(drawn.z)) return true;
    }
    return false;
}

void refreshBoxMatrix(Mat4& matrix, const Box& box, float height) {
    const Vec3 drawn = drawnPosition(box, height);
    matrix.m[12] = drawn.x;
    matrix.m[13] = drawn.y;
    matrix.m[14] = drawn.z;
}
