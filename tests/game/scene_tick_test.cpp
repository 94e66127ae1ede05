// The scene's tick: camera easing and circling, the walk cycle with its footfalls, the goal glow.

#include <gtest/gtest.h>

#include "game/scene_state.h"

namespace {

struct SceneTick : ::testing::Test {
    void SetUp() override {
        player.x = 4;
        player.y = 7;
    }
    SceneState scene;
    Player player;
    Board board;
};

TEST_F(SceneTick, CameraSettlesBehindTheKeeperOrCirclesItOnceSolved) {
    startGameEye(scene, player);
    resetGameLookAt(scene);
    for (int tick = 0; tick < 3000; ++tick) updateSceneTick(scene, player, board, {});
    EXPECT_NEAR(scene.eye.x, 4.0f, 1e-3f);
    EXPECT_NEAR(scene.eye.y, 10.0f, 1e-3f);
    EXPECT_NEAR(scene.eye.z, 12.0f, 1e-3f);
    EXPECT_NEAR(scene.lookAt.y, 1.027f, 1e-4f);
    EXPECT_NEAR(scene.lookAt.z, 7.0f, 1e-4f);
    // At t = 0 the circle's point is 5 cells towards +z, half the zoom up.
    for (int tick = 0; tick < 3000; ++tick) updateSceneTick(scene, player, board, {false, true, 0.0f});
    EXPECT_NEAR(scene.eye.z, 12.0f, 1e-3f);
    EXPECT_NEAR(scene.eye.y, 1.027f + 5.0f, 1e-3f);
    EXPECT_EQ(scene.lookAt.x, 4.0f);  // exactly on the keeper
}

TEST_F(SceneTick, WalkCycleAndFootfalls) {
    // One step from standing, the key held: 8 sliding ticks of the 9, 4.0 added, no footfall yet.
    player.offsetX = 1.0f;
    int footsteps = 0;
    for (int tick = 0; tick < 9; ++tick) footsteps += updateSceneTick(scene, player, board, {true}).footstep;
    EXPECT_EQ(scene.walkFrame, 4.0f);
    EXPECT_EQ(footsteps, 0);
    // A continuous walk: 1.0 .. 15.0 and back to 1.0 every 29 sliding ticks, footfalls at 5.0 and 12.0.
    scene.walkFrame = 1.0f;
    for (int tick = 0; tick < 29; ++tick) {
        player.offsetX = 1.0f;  // still sliding
        const SceneTickResult result = updateSceneTick(scene, player, board, {});
        footsteps += result.footstep;
        if (result.footstep) EXPECT_EQ(result.footstepPosition.y, 0.0f);
    }
    EXPECT_EQ(scene.walkFrame, 1.0f);
    EXPECT_EQ(footsteps, 2);
    // Standing still resets the cycle unless a move key was acted on (pressing against a wall).
    player.offsetX = 0.0f;
    updateSceneTick(scene, player, board, {true});
    EXPECT_EQ(scene.walkFrame, 1.0f);
    updateSceneTick(scene, player, board, {});
    EXPECT_EQ(scene.walkFrame, 0.0f);
}

TEST_F(SceneTick, GoalGlowSwingsOnceEveryFortyTicks) {
    int wraps = 0;
    int lastWrap = -1;
    for (int tick = 0; tick < 400; ++tick) {
        updateSceneTick(scene, player, board, {});
        ASSERT_GE(scene.pulse, -1.0f);
        ASSERT_LE(scene.pulse, 1.0f);
        if (scene.pulse != -1.0f) continue;
        if (lastWrap >= 0) EXPECT_NEAR(tick - lastWrap, 40, 1);
        lastWrap = tick;
        ++wraps;
    }
    EXPECT_GE(wraps, 9);
}

}  // namespace
