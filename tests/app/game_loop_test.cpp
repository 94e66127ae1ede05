// The game loop stepped frame by frame against the scripted keyboard and clock: key precedence, zoom
// limits, glide timing, catch-up ticks, toggles, the menu key freezing play; and the frame pacing of the
// game loop and the title, with the scripted clock advanced while a frame draws.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/outer_loop.h"
#include "app/title.h"
#include "game/scene_pose.h"
#include "render/graphics.h"
#include "support/scripted_game.h"

namespace {

struct GameLoopTest : testing_support::ScriptedGameTest {
    void SetUp() override { startOn("set\n\n#########\n#       #\n#   @ $.#\n#       #\n#########\n"); }

    void holdOnly(std::initializer_list<int> keys) {
        for (const int key :
             {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_LCTRL, KEY_ESC, KEY_L, KEY_S, KEY_U, KEY_BACKSPACE})
            scriptedSetKey(key, false);
        for (const int key : keys) scriptedSetKey(key, true);
    }
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
    press(KEY_ESC);
    EXPECT_TRUE(game->session.menuOpen);
    holdOnly({KEY_LEFT});
    const int x = game->state.player.x;
    for (int frame = 0; frame < 5; ++frame) runGameFrame(*game);
    EXPECT_EQ(game->state.player.x, x);  // the menu is open: no moves
}

// --- Frame pacing ---

// A renderer that takes scripted time to draw: the frame's own work.
double g_drawSeconds = 0.0;

void drawTakingTime(Graphics&, WindowSettings&, const GameState&, const SessionNotes&, bool) {
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
        // The drawing went on to the renderer before the sleep, not after it.
        EXPECT_NEAR(scriptedRecord().lastFlushAt - start, c.drawSeconds, 1e-9) << c.drawSeconds;
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
    EXPECT_NEAR(scriptedRecord().lastFlushAt - start, 0.26, 1e-9);  // the last frame's, before its sleep
}

// U and Backspace take moves back as the arrows make them: one at the first frame after each glide, the
// keeper gliding back facing the way he moved.
TEST_F(GameLoopTest, UndoKeysTakeMovesBackAtThePaceOfMoves) {
    holdOnly({KEY_LEFT});
    runGameFrame(*game);
    framesUntilSettled();
    runGameFrame(*game);
    framesUntilSettled();
    ASSERT_EQ(game->state.player.x, 2);
    holdOnly({KEY_U});
    runGameFrame(*game);
    EXPECT_EQ(game->state.player.x, 3);
    EXPECT_EQ(game->state.player.steps, 1);
    EXPECT_EQ(game->state.player.facing, 270);  // still facing left: he steps back as if pulling
    runGameFrame(*game);                        // gliding back: a request now is ignored
    EXPECT_EQ(game->state.player.x, 3);
    framesUntilSettled();
    holdOnly({KEY_BACKSPACE});
    runGameFrame(*game);
    EXPECT_EQ(game->state.player.x, 4);
    EXPECT_EQ(game->state.player.steps, 0);
    framesUntilSettled();
    runGameFrame(*game);  // the level's start: nothing more to take back
    EXPECT_EQ(game->state.player.x, 4);
    EXPECT_EQ(game->state.player.steps, 0);
}

// What the mini-map is drawn from (the cells, and the drawn positions of the crates and the keeper) is
// exactly as before a push once the push is taken back.
TEST_F(GameLoopTest, APushUndoneLeavesTheMapsInputsAsTheyWere) {
    testing_support::writeFile(dir / "levels/Classic.lvt", "set\n\n#######\n#@$  .#\n#######\n");
    game = testing_support::gameOnLevelOne();
    runGameFrame(*game);
    const auto drawnPositions = [&] {
        std::vector<float> at;
        for (int i = 0; i < kMaxBoxes; ++i) {
            if (game->state.board.boxes[i].active == 0) continue;
            at.push_back(game->state.scene.boxMatrices[i].m[12]);
            at.push_back(game->state.scene.boxMatrices[i].m[14]);
        }
        at.push_back(game->state.scene.keeperMatrix.m[12]);
        at.push_back(game->state.scene.keeperMatrix.m[14]);
        return at;
    };
    const Board before = game->state.board;
    const std::vector<float> drawnBefore = drawnPositions();
    holdOnly({KEY_RIGHT});
    runGameFrame(*game);
    holdOnly({});
    framesUntilSettled();
    ASSERT_EQ(game->state.board.boxes[0].x, 3);
    holdOnly({KEY_U});
    runGameFrame(*game);
    holdOnly({});
    framesUntilSettled();
    runGameFrame(*game);
    const Board& after = game->state.board;
    EXPECT_EQ(std::memcmp(after.cells, before.cells, sizeof before.cells), 0);
    for (int i = 0; i < kMaxBoxes; ++i) {
        EXPECT_EQ(after.boxes[i].active, before.boxes[i].active);
        EXPECT_EQ(after.boxes[i].x, before.boxes[i].x);
        EXPECT_EQ(after.boxes[i].y, before.boxes[i].y);
    }
    EXPECT_EQ(drawnPositions(), drawnBefore);
}

// Every load starts a new history: a restart, a solved level, a new pass. (The menu's load: menu tests.)
TEST_F(GameLoopTest, EveryLevelLoadForgetsTheMovesMade) {
    holdOnly({KEY_LEFT});
    runGameFrame(*game);
    framesUntilSettled();
    ASSERT_EQ(game->state.history.count, 1);
    holdOnly({});
    press(KEY_ENTER);
    ASSERT_TRUE(game->state.levelEnd.endRequested);
    holdOnly({KEY_U});  // while the level end runs, nothing is taken back
    runGameFrame(*game);
    EXPECT_EQ(game->state.player.x, 3);
    framesUntilReloaded();
    EXPECT_EQ(game->state.history.count, 0);
    EXPECT_EQ(game->state.player.x, 4);

    holdOnly({KEY_RIGHT});  // walk, then push the crate onto its goal
    runGameFrame(*game);
    framesUntilSettled();
    runGameFrame(*game);
    ASSERT_EQ(game->state.history.count, 2);
    holdOnly({});
    framesUntilSettled();
    framesUntilReloaded();
    EXPECT_EQ(game->state.player.level, 2);
    EXPECT_EQ(game->state.history.count, 0);

    game->state.history.count = 3;  // as if moves were made
    scriptedCloseAt(platformTime() + 1.0);
    scriptedKeyAt(platformTime() + 2.0, KEY_SPACE, true);
    scriptedKeyAt(platformTime() + 2.2, KEY_SPACE, false);
    ASSERT_TRUE(runPass(*game));
    EXPECT_EQ(game->state.history.count, 0);
}

// A level loaded while the lamp was on keeps the level light's own height once the lamp is off.
TEST_F(GameLoopTest, LampHeightNeverStaysWithTheNextLevel) {
    holdOnly({KEY_L});
    scriptedKeyAt(platformTime() + 0.1, KEY_L, false);
    runGameFrame(*game);
    ASSERT_TRUE(game->state.scene.lightFollowsKeeper);
    ASSERT_EQ(game->state.light.position[1], kLampHeight);
    press(KEY_ENTER);
    framesUntilReloaded();
    holdOnly({KEY_L});
    scriptedKeyAt(platformTime() + 0.1, KEY_L, false);
    runGameFrame(*game);
    ASSERT_FALSE(game->state.scene.lightFollowsKeeper);
    EXPECT_EQ(game->state.scene.levelLight.y, 20.0f);
    EXPECT_EQ(game->state.light.position[1], 20.0f);
}

// Before the fix a pause of days left a backlog single precision could not count down: the frame never
// ended. The catch-up is capped, and the rest of so long a pause is dropped.
TEST_F(GameLoopTest, CatchUpAfterAVeryLongPauseEnds) {
    runGameFrame(*game);
    const float scroll = game->state.scroll;
    scriptedAdvanceTime(6.0 * 24.0 * 3600.0);
    runGameFrame(*game);
    EXPECT_LT(game->state.clock.accumulator, kTickSeconds);
    const float drift = game->state.scroll - scroll;
    EXPECT_NEAR(drift < 0.0f ? drift + 1.0f : drift, kMaxTicksPerFrame * kScrollStep, 0.01f);
}

// A picture drawn before the first tick (behind the first menu) shows the keeper at his start.
TEST_F(GameLoopTest, KeeperStandsAtHisStartBeforeTheFirstTick) {
    const Vec3 at = game->state.scene.keeperPosition;
    EXPECT_EQ(at.x, 4.0f);
    EXPECT_EQ(at.y, kKeeperHeight);
    EXPECT_EQ(at.z, 2.0f);
}

// Space or Escape during the demo hands the game to the player: the pass ends with the menu open (the
// profile dialogue next), not with the title, however much of the path is left.
TEST_F(GameLoopTest, SpaceOrEscapeDuringTheDemoOpensTheMenu) {
    testing_support::writeFile(dir / "Moves.txt", "3,2\n3,2\n3,2\n");
    for (const int key : {KEY_SPACE, KEY_ESC}) {
        game->session.menuOpen = false;
        game->state.demo.demoMode = true;
        startDemoScript(game->state.demo);
        EXPECT_EQ(runGameFrame(*game), FrameOutcome::Continue) << key;
        scriptedSetKey(key, true);
        scriptedKeyAt(platformTime() + 0.1, key, false);
        EXPECT_EQ(runGameFrame(*game), FrameOutcome::EndPass) << key;
        EXPECT_TRUE(game->session.menuOpen) << key;
        EXPECT_FALSE(game->state.demo.demoMode) << key;
    }
}

// A path the keeper cannot walk ("3,2", then a target beyond the walls) ends the demo as the end of the
// file does, a few seconds after the keeper last came closer, instead of pressing against a wall until a
// key is pressed. Zooming meanwhile (Left Ctrl) is the viewer's doing and does not count.
TEST_F(GameLoopTest, ADemoPathThatCannotBeWalkedEndsLikeTheEndOfTheFile) {
    testing_support::writeFile(dir / "Moves.txt", "3,2\n99,99\n3,2\n");
    game->state.demo.demoMode = true;
    startDemoScript(game->state.demo);
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
    EXPECT_FALSE(game->state.demo.demoMode);
    EXPECT_FALSE(game->session.menuOpen);  // back to the title, not on to the menu
    EXPECT_EQ(game->state.player.x, 3);    // as far down as the wall lets it
    EXPECT_EQ(game->state.player.y, 3);
}

}  // namespace
