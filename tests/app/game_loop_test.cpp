// The game loop stepped frame by frame against the scripted keyboard and clock: key precedence, zoom
// limits, glide timing, catch-up ticks, toggles, the menu key freezing play; and the frame pacing of the
// game loop and the title, with the scripted clock advanced while a frame draws.

#include <gtest/gtest.h>

#include "app/frame_pacing.h"
#include "app/title.h"
#include "render/graphics.h"
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
        while ((game->state.player.offsetX != 0.0f || game->state.player.offsetZ != 0.0f) && frames < 100) {
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
        const int x = game->state.player.x;
        const int y = game->state.player.y;
        holdOnly(c.keys);
        runGameFrame(*game);
        EXPECT_EQ(game->state.player.x - x, c.dx);
        EXPECT_EQ(game->state.player.y - y, c.dy);
        EXPECT_EQ(game->state.player.facing, c.facing);
    }
}

TEST_F(GameLoopTest, LeftCtrlZoomsWithinLimitsAndNeverMoves) {
    holdOnly({KEY_LCTRL, KEY_DOWN});
    for (int frame = 0; frame < 200; ++frame) runGameFrame(*game);
    EXPECT_EQ(game->state.scene.zoom, 20.0f);
    EXPECT_EQ(game->state.player.y, 2);
    EXPECT_EQ(game->state.player.steps, 0);
    holdOnly({KEY_LCTRL, KEY_UP});
    for (int frame = 0; frame < 200; ++frame) runGameFrame(*game);
    EXPECT_EQ(game->state.scene.zoom, 5.0f);
    EXPECT_EQ(game->state.scene.walkFrame, 0.0f);  // standing still: no walk cycle
}

TEST_F(GameLoopTest, HeldArrowTakesTheNextStepOnTheFirstFrameAfterTheGlide) {
    holdOnly({KEY_LEFT});
    runGameFrame(*game);
    EXPECT_EQ(game->state.player.x, 3);
    const int glideFrames = framesUntilSettled();
    // 9 ticks of 1/60 s at a frame every 0.03 s: the glide spans 5 or 6 frames (as the single-precision
    // remainders fall), and no step was queued meanwhile.
    EXPECT_GE(glideFrames, 5);
    EXPECT_LE(glideFrames, 6);
    EXPECT_EQ(game->state.player.x, 3);
    runGameFrame(*game);
    EXPECT_EQ(game->state.player.x, 2);
    EXPECT_EQ(game->state.player.steps, 2);
}

TEST_F(GameLoopTest, BlockedMoveTurnsTheKeeperAndKeepsTheWalkFrame) {
    holdOnly({KEY_UP});
    runGameFrame(*game);  // row 1
    framesUntilSettled();
    const float walkFrame = game->state.scene.walkFrame;
    for (int frame = 0; frame < 10; ++frame) runGameFrame(*game);  // against the top wall
    EXPECT_EQ(game->state.player.y, 1);
    EXPECT_EQ(game->state.scene.walkFrame, walkFrame);
    holdOnly({KEY_LEFT, KEY_LCTRL});  // Ctrl: no move, facing kept
    runGameFrame(*game);
    EXPECT_EQ(game->state.player.facing, 180);
    holdOnly({});
    runGameFrame(*game);
    EXPECT_EQ(game->state.scene.walkFrame, 0.0f);
}

TEST_F(GameLoopTest, PauseIsCaughtUpTickByTick) {
    runGameFrame(*game);
    const float scroll = game->state.scroll;
    scriptedAdvanceTime(1.0);  // the program was held up for a second
    runGameFrame(*game);
    // One second and one frame's sleep of ticks, each adding its share of fog drift.
    EXPECT_NEAR(game->state.scroll - scroll, 0.001f * (1.03f * 60.0f), 0.0021f);
    EXPECT_LT(game->state.clock.accumulator, kTickSeconds);
}

TEST_F(GameLoopTest, LampAndShadowToggleOncePerPress) {
    const double now = scriptedRecord().sleptSeconds;
    scriptedSetKey(KEY_L, true);
    scriptedKeyAt(now + 0.5, KEY_L, false);
    scriptedSetKey(KEY_S, true);
    scriptedKeyAt(now + 0.7, KEY_S, false);
    runGameFrame(*game);  // waits inside the frame for both releases
    EXPECT_TRUE(game->state.scene.lightFollowsKeeper);
    EXPECT_FALSE(game->state.scene.shadowsOn);
    EXPECT_GE(scriptedRecord().sleptSeconds, now + 0.7);
    for (int frame = 0; frame < 5; ++frame) runGameFrame(*game);
    EXPECT_TRUE(game->state.scene.lightFollowsKeeper);
    EXPECT_FALSE(game->state.scene.shadowsOn);
}

TEST_F(GameLoopTest, EscapeOpensTheMenuAndFreezesPlay) {
    const double now = scriptedRecord().sleptSeconds;
    scriptedSetKey(KEY_ESC, true);
    scriptedKeyAt(now + 0.2, KEY_ESC, false);
    runGameFrame(*game);
    EXPECT_TRUE(game->session.menuOpen);
    holdOnly({KEY_LEFT});
    const int x = game->state.player.x;
    for (int frame = 0; frame < 5; ++frame) runGameFrame(*game);
    EXPECT_EQ(game->state.player.x, x);  // the menu is open: no moves
}

// --- Frame pacing ---

TEST(FramePacing, SleepIsWhatIsLeftOfTheFrameAndNeverNothing) {
    EXPECT_EQ(frameSleepAfter(0.0), kFrameSleepSeconds);
    EXPECT_DOUBLE_EQ(frameSleepAfter(0.012), 0.018);
    EXPECT_EQ(frameSleepAfter(0.0295), kMinFrameSleepSeconds);  // not half a millisecond
    EXPECT_EQ(frameSleepAfter(0.2), kMinFrameSleepSeconds);     // a slow frame still gives the processor up
}

// A renderer that takes scripted time to draw: the frame's own work.
double g_drawSeconds = 0.0;

void drawTakingTime(Graphics&, WindowSettings&, const GameState&, const std::string&, bool) {
    scriptedAdvanceTime(g_drawSeconds);
}

void titleTakingTime(Graphics&, const WindowSettings&, bool) {
    scriptedAdvanceTime(g_drawSeconds);
}

struct PacedLoopTest : GameLoopTest {
    void SetUp() override {
        GameLoopTest::SetUp();
        game->graphics = graphics.get();
        game->presenter.drawGameFrame = drawTakingTime;
        game->presenter.drawTitleFrame = titleTakingTime;
    }
    std::unique_ptr<Graphics> graphics = std::make_unique<Graphics>();
};

TEST_F(PacedLoopTest, FrameSleepsForWhatItsDrawingLeftOfTheFrame) {
    struct Case {
        double drawSeconds;
        double sleepSeconds;
    };
    // Drawn in no time, in part of the frame, and slower than the cap (the frame is its work and 1 ms).
    for (const Case c : {Case{0.0, 0.03}, Case{0.02, 0.01}, Case{0.05, 0.001}}) {
        g_drawSeconds = c.drawSeconds;
        const double slept = scriptedRecord().sleptSeconds;
        const double start = platformTime();
        runGameFrame(*game);
        EXPECT_NEAR(scriptedRecord().sleptSeconds - slept, c.sleepSeconds, 1e-9) << c.drawSeconds;
        EXPECT_NEAR(platformTime() - start, c.drawSeconds + c.sleepSeconds, 1e-9) << c.drawSeconds;
    }
}

TEST_F(PacedLoopTest, KeyReleaseWaitsDoNotShortenTheFrameSleep) {
    g_drawSeconds = 0.01;
    const double start = platformTime();
    scriptedSetKey(KEY_L, true);
    scriptedKeyAt(start + 0.05, KEY_L, false);
    runGameFrame(*game);
    // The 1 ms release steps up to the release, the drawing, then the rest of a frame of work.
    EXPECT_NEAR(platformTime() - start, 0.05 + 0.01 + 0.02, 0.0015);
}

TEST_F(PacedLoopTest, TitleFramesArePacedLikeGameFrames) {
    g_drawSeconds = 0.02;
    const double slept = scriptedRecord().sleptSeconds;
    const double start = platformTime();
    showTitle(*game, start + 0.25);
    // Frames of 0.03 s, each 0.02 s of drawing and 0.01 s of sleep, until the deadline has passed.
    EXPECT_TRUE(game->state.demo.demoMode);
    EXPECT_NEAR(platformTime() - start, 0.27, 1e-9);
    EXPECT_NEAR(scriptedRecord().sleptSeconds - slept, 0.09, 1e-9);
}

TEST_F(GameLoopTest, ResizeIsRecordedForTheNextFrame) {
    sizeCallback(400, 600);
    EXPECT_EQ(windowSettings.width, 400u);
    EXPECT_TRUE(windowSettings.resized);
}

}  // namespace
