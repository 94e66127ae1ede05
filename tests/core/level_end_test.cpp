// The level-end sequence stepped frame by frame: when it latches, how long the boxes sink, when the reload
// happens and what it resets, and the cases where it must not run.

#include "core/level_end.h"

#include <gtest/gtest.h>

#include "board_builder.h"
#include "support/temp_dir.h"

namespace {

const std::string kSet = "set\n\n#####\n#@$.#\n#####\n\n######\n#@ $.#\n######\n";

// A working directory holding levels/Test.lvt, and the keeper on level 1 of it.
struct LevelEndFixture : ::testing::Test {
    void SetUp() override {
        testing_support::writeFile(dir / "levels/Test.lvt", kSet);
        cwd = std::make_unique<testing_support::ScopedWorkingDirectory>(dir.path());
        player.setName = "Test";
        player.level = 1;
        loadLevel(board, player);
        ASSERT_EQ(board.notFound, 0);
        // The game starts under the logo: it fades out in 20 frames and is gone on the 21st.
        int fadeFrames = 0;
        while (frame() == false && state.logoShown && fadeFrames < 100) ++fadeFrames;
        ASSERT_EQ(fadeFrames, 20);
    }

    // One frame as the game's step runs it: the phases, then the logo's fade; returns whether the level was
    // reloaded in it.
    bool frame(bool enterDown = false, bool demoMode = false) {
        const bool reloaded =
            stepLevelEnd(state, board, player, enterDown, demoMode, [this] { ++enterWaits; }).reloaded;
        lowerLogoFade(state);
        return reloaded;
    }

    void solveByPush() {
        tryMove(board, player, Direction::Right);
        settleAll(board, player);
    }

    testing_support::TempDir dir;
    std::unique_ptr<testing_support::ScopedWorkingDirectory> cwd;
    Board board;
    Player player;
    LevelEnd state;
    int enterWaits = 0;
};

TEST_F(LevelEndFixture, WaitsForTheGlideBeforeLatchingThenSinksOnlyActiveBoxes) {
    tryMove(board, player, Direction::Right);  // the box reaches the goal and starts gliding
    ASSERT_TRUE(isSolved(board));
    frame();
    EXPECT_TRUE(state.solved);
    EXPECT_FALSE(state.endRequested || state.sinking);
    settleAll(board, player);
    frame();
    EXPECT_TRUE(state.endRequested && state.sinking);
    EXPECT_FLOAT_EQ(state.boxHeight[0], -0.05f);
    EXPECT_EQ(state.boxHeight[1], 0.0f);  // free entries do not sink
}

TEST_F(LevelEndFixture, SolvedLevelSinksFadesAndLoadsTheNext) {
    solveByPush();
    player.steps = 7;
    int frames = 0;
    int sunkAt = 0;
    bool reloaded = false;
    while (!reloaded && frames < 500) {
        reloaded = frame();
        ++frames;
        if (state.sunk && sunkAt == 0) sunkAt = frames;
    }
    // The boxes pass -2.0 on the 41st frame; the fade then rises 0.05 a frame from where the fade-out left
    // it (just below 0 in single precision) and exceeds 1.0 on the 21st.
    EXPECT_EQ(sunkAt, 41);
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(frames, 41 + 21);
    EXPECT_EQ(player.level, 2);
    EXPECT_EQ(player.steps, 0);
    EXPECT_EQ(player.x, 1);
    EXPECT_EQ(board.boxes[0].x, 3);
    EXPECT_FALSE(state.solved || state.endRequested || state.sinking || state.sunk || state.advancing);
    EXPECT_EQ(state.boxHeight[0], 0.0f);
    EXPECT_EQ(enterWaits, 21);
    // The logo covered the reload at full opacity and now fades out over the new level.
    EXPECT_TRUE(state.logoShown);
    int fadeFrames = 1;
    while (!frame() && state.logoShown) ++fadeFrames;
    EXPECT_EQ(fadeFrames, 21);
}

TEST_F(LevelEndFixture, EnterRestartsTheSameLevel) {
    tryMove(board, player, Direction::Left);  // blocked: still level 1, unsolved
    bool reloaded = frame(true);
    EXPECT_TRUE(state.endRequested);
    EXPECT_FALSE(state.solved);
    player.x = 2;  // wander off; the reload puts everything back
    for (int i = 0; i < 200 && !reloaded; ++i) reloaded = frame();
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(player.level, 1);
    EXPECT_EQ(player.x, 1);
}

TEST_F(LevelEndFixture, HeldEnterHoldsTheFadeOut) {
    frame(true);
    int frames = 1;
    while (!state.sunk && frames < 100) {
        frame(true);
        ++frames;
    }
    EXPECT_EQ(enterWaits, 0);  // no waiting while the boxes sink
    frame(true);
    EXPECT_TRUE(state.advancing);
    EXPECT_EQ(enterWaits, 1);
}

TEST_F(LevelEndFixture, DemoNeverEndsTheLevel) {
    solveByPush();
    for (int i = 0; i < 200; ++i) EXPECT_FALSE(frame(true, true));
    EXPECT_FALSE(state.endRequested);
    EXPECT_EQ(player.level, 1);
}

TEST_F(LevelEndFixture, EmptyBoardStaysInTheSinkingPhase) {
    // After the last level the board is empty: the trigger holds at once but no box ever sinks, so the
    // sequence never reloads (the player leaves through the menu).
    player.level = 99;
    loadLevel(board, player);
    ASSERT_EQ(board.notFound, 1);
    for (int i = 0; i < 1000; ++i) ASSERT_FALSE(frame());
    EXPECT_TRUE(state.sinking);
    EXPECT_FALSE(state.sunk);
    EXPECT_EQ(player.level, 99);
}

}  // namespace
