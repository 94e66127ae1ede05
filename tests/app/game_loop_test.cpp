// The game loop stepped frame by frame against the scripted keyboard and clock: key precedence, zoom
// limits, glide timing, catch-up ticks, toggles, the menu key freezing play.

#include <gtest/gtest.h>

#include "support/scripted_game.h"
#include "support/temp_dir.h"

namespace {

struct GameLoopTest : ::testing::Test {
    void SetUp() override {
        testing_support::resetScriptedGame(600.0);
        testing_support::writeFile(dir / "levels/Classic.lvt",
                                   "set\n\n#########\n#       #\n#   @ $.#\n#       #\n#########\n");
        cwd = std::make_unique<testing_support::ScopedWorkingDirectory>(dir.path());
        game = testing_support::gameOnLevelOne();
    }

    void holdOnly(std::initializer_list<int> keys) {
        for (const int key : {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_LCTRL, KEY_ESC, KEY_L, KEY_S})
            scriptedSetKey(key, false);
        for (const int key : keys) scriptedSetKey(key, true);
    }

    // Frames until the keeper stands still again (the glide is over).
    int framesUntilSettled() {
        int frames = 0;
        while ((game->player.offsetX != 0.0f || game->player.offsetZ != 0.0f) && frames < 100) {
            runGameFrame(*game);
            ++frames;
        }
        return frames;
    }

    testing_support::TempDir dir;
    std::unique_ptr<testing_support::ScopedWorkingDirectory> cwd;
    std::unique_ptr<Game> game;
};

TEST_F(GameLoopTest, ArrowPrecedenceDownUpLeftRight) {
    struct Case {
        std::initializer_list<int> keys;
        int dx;
        int dy;
        int facing;
    };
    const Case cases[] = {
        {{KEY_LEFT, KEY_RIGHT}, -1, 0, 270},
        {{KEY_UP, KEY_RIGHT}, 0, -1, 180},
        {{KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT}, 0, 1, 0},
        {{KEY_DOWN, KEY_RIGHT}, 0, 1, 0},
    };
    for (const Case& c : cases) {
        game = testing_support::gameOnLevelOne();
        const int x = game->player.x;
        const int y = game->player.y;
        holdOnly(c.keys);
        runGameFrame(*game);
        EXPECT_EQ(game->player.x - x, c.dx);
        EXPECT_EQ(game->player.y - y, c.dy);
        EXPECT_EQ(game->player.facing, c.facing);
    }
}

TEST_F(GameLoopTest, LeftCtrlZoomsWithinLimitsAndNeverMoves) {
    holdOnly({KEY_LCTRL, KEY_DOWN});
    for (int frame = 0; frame < 200; ++frame) runGameFrame(*game);
    EXPECT_EQ(game->scene.zoom, 20.0f);
    EXPECT_EQ(game->player.y, 2);
    EXPECT_EQ(game->player.steps, 0);
    holdOnly({KEY_LCTRL, KEY_UP});
    for (int frame = 0; frame < 200; ++frame) runGameFrame(*game);
    EXPECT_EQ(game->scene.zoom, 5.0f);
    EXPECT_EQ(game->scene.walkFrame, 0.0f);  // standing still: no walk cycle
}

TEST_F(GameLoopTest, HeldArrowTakesTheNextStepOnTheFirstFrameAfterTheGlide) {
    holdOnly({KEY_LEFT});
    runGameFrame(*game);
    EXPECT_EQ(game->player.x, 3);
    const int glideFrames = framesUntilSettled();
    // 9 ticks of 1/60 s at a frame every 0.03 s: the glide spans 5 or 6 frames (as the single-precision
    // remainders fall), and no step was queued meanwhile.
    EXPECT_GE(glideFrames, 5);
    EXPECT_LE(glideFrames, 6);
    EXPECT_EQ(game->player.x, 3);
    runGameFrame(*game);
    EXPECT_EQ(game->player.x, 2);
    EXPECT_EQ(game->player.steps, 2);
}

TEST_F(GameLoopTest, BlockedMoveTurnsTheKeeperAndKeepsTheWalkFrame) {
    holdOnly({KEY_UP});
    runGameFrame(*game);  // row 1
    framesUntilSettled();
    const float walkFrame = game->scene.walkFrame;
    for (int frame = 0; frame < 10; ++frame) runGameFrame(*game);  // against the top wall
    EXPECT_EQ(game->player.y, 1);
    EXPECT_EQ(game->scene.walkFrame, walkFrame);
    holdOnly({KEY_LEFT, KEY_LCTRL});  // Ctrl: no move, facing kept
    runGameFrame(*game);
    EXPECT_EQ(game->player.facing, 180);
    holdOnly({});
    runGameFrame(*game);
    EXPECT_EQ(game->scene.walkFrame, 0.0f);
}

TEST_F(GameLoopTest, PauseIsCaughtUpTickByTick) {
    runGameFrame(*game);
    const float scroll = game->scroll;
    scriptedAdvanceTime(1.0);  // the program was held up for a second
    runGameFrame(*game);
    // One second and one frame's sleep of ticks, each adding its share of fog drift.
    EXPECT_NEAR(game->scroll - scroll, 0.001f * (1.03f * 60.0f), 0.0021f);
    EXPECT_LT(game->clock.accumulator, kTickSeconds);
}

TEST_F(GameLoopTest, LampAndShadowToggleOncePerPress) {
    const double now = scriptedRecord().sleptSeconds;
    scriptedSetKey(KEY_L, true);
    scriptedKeyAt(now + 0.5, KEY_L, false);
    scriptedSetKey(KEY_S, true);
    scriptedKeyAt(now + 0.7, KEY_S, false);
    runGameFrame(*game);  // waits inside the frame for both releases
    EXPECT_TRUE(game->scene.lightFollowsKeeper);
    EXPECT_FALSE(game->scene.shadowsOn);
    EXPECT_GE(scriptedRecord().sleptSeconds, now + 0.7);
    for (int frame = 0; frame < 5; ++frame) runGameFrame(*game);
    EXPECT_TRUE(game->scene.lightFollowsKeeper);
    EXPECT_FALSE(game->scene.shadowsOn);
}

TEST_F(GameLoopTest, EscapeOpensTheMenuAndFreezesPlay) {
    const double now = scriptedRecord().sleptSeconds;
    scriptedSetKey(KEY_ESC, true);
    scriptedKeyAt(now + 0.2, KEY_ESC, false);
    runGameFrame(*game);
    EXPECT_TRUE(game->menuOpen);
    holdOnly({KEY_LEFT});
    const int x = game->player.x;
    for (int frame = 0; frame < 5; ++frame) runGameFrame(*game);
    EXPECT_EQ(game->player.x, x);  // the menu is open: no moves
}

// A path the keeper cannot walk ("3,2", then a target beyond the walls) ends the demo as the end of the
// file does, a few seconds after the keeper last came closer, instead of pressing against a wall until a
// key is pressed. Zooming meanwhile (Left Ctrl) is the viewer's doing and does not count.
TEST_F(GameLoopTest, ADemoPathThatCannotBeWalkedEndsLikeTheEndOfTheFile) {
    testing_support::writeFile(dir / "Moves.txt", "3,2\n99,99\n3,2\n");
    game->demo.demoMode = true;
    startDemoScript(game->demo);
    const auto runUntil = [&](double seconds) {
        const double until = platformTime() + seconds;
        FrameOutcome outcome = FrameOutcome::Continue;
        while (outcome == FrameOutcome::Continue && platformTime() < until) outcome = runGameFrame(*game);
        return outcome;
    };
    holdOnly({KEY_LCTRL});
    EXPECT_EQ(runUntil(8.0), FrameOutcome::Continue);
    holdOnly({});
    const double released = platformTime();
    EXPECT_EQ(runUntil(30.0), FrameOutcome::EndPass);
    const double took = platformTime() - released;
    EXPECT_GT(took, 2.0);
    EXPECT_LT(took, 8.0);
    EXPECT_FALSE(game->demo.demoMode);
    EXPECT_FALSE(game->menuOpen);  // back to the title, not on to the menu
    EXPECT_EQ(game->player.x, 3);  // as far down as the wall lets it
    EXPECT_EQ(game->player.y, 3);
}

TEST_F(GameLoopTest, ResizeIsRecordedForTheNextFrame) {
    sizeCallback(400, 600);
    EXPECT_EQ(windowSettings.width, 400u);
    EXPECT_TRUE(windowSettings.resized);
}

}  // namespace
