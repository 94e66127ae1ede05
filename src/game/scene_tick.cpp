#include <cmath>

#include "core/moves.h"
#include "game/scene_state.h"

namespace {

constexpr float kEyeEasing = 64.0f;     // the eye closes 1/64 of its distance to its target per tick
constexpr float kLookEasing = 16.0f;    // the point looked at, 1/16 per tick
constexpr float kCircleRadius = 5.0f;   // cells, the circle flown around a keeper who solved the level
constexpr float kWalkStep = 0.5f;       // walk-cycle phase per sliding tick
constexpr float kWalkCycleEnd = 15.0f;  // the last walk frame; the cycle wraps to 1.0 after it
constexpr float kPulseStep = 0.05f;

}  // namespace

void startGameEye(SceneState& scene, const Player& player) {
    scene.eye = {static_cast<float>(player.x), 10.0f, static_cast<float>(player.y + 5)};
}

void resetGameLookAt(SceneState& scene) {
    scene.lookAt = {0.0f, 0.0f, 0.0f};
}

SceneTickResult updateSceneTick(SceneState& scene, Player& player, Board& board,
                                const SceneTickInput& input) {
    SceneTickResult result;
    settlePlayer(player);
    const Vec3 k = drawnPosition(player, kKeeperHeight);
    scene.keeperPosition = k;

    const float h = scene.zoom;
    if (!input.solved) {
        const Vec3 target{k.x, h, k.z + h / 2.0f};
        scene.eye = vecAdd(scene.eye, vecDivide(vecSub(target, scene.eye), kEyeEasing));
        scene.lookAt = vecAdd(scene.lookAt, vecDivide(vecSub(k, scene.lookAt), kLookEasing));
    } else {
        const float angle = 2.0f * input.lastTime;
        const Vec3 around{kCircleRadius * std::sin(angle), h / 2.0f, kCircleRadius * std::cos(angle)};
        const Vec3 target = vecAdd(k, around);
        scene.eye = vecAdd(scene.eye, vecDivide(vecSub(target, scene.eye), kEyeEasing));
        scene.lookAt = k;
    }

    settleBoxes(board);

    if (player.offsetX != 0.0f || player.offsetZ != 0.0f) {
        scene.walkFrame += kWalkStep;
        if (scene.walkFrame > kWalkCycleEnd) scene.walkFrame = 1.0f;
        if (scene.walkFrame == 5.0f || scene.walkFrame == 12.0f) {
            result.footstep = true;
            result.footstepPosition = {k.x, 0.0f, k.z};
        }
    } else if (!input.moveKeyActed) {
        scene.walkFrame = 0.0f;
    }

    scene.pulse += kPulseStep;
    if (scene.pulse > 1.0f) scene.pulse = -1.0f;
    return result;
}

void zoomCamera(SceneState& scene, bool up, bool down) {
    if (up) {
        scene.zoom -= kZoomStep;
        if (scene.zoom < kZoomMin) scene.zoom = kZoomMin;
    }
    if (down) {
        scene.zoom += kZoomStep;
        if (scene.zoom > kZoomMax) scene.zoom = kZoomMax;
    }
}
