// A pad through whole frames of the title, the demo and play, with the scripted stand-in feeding its states:
// Start or A leave the title and the demo as Space does and are let go before the menu reads them; the
// d-pad and the stick walk as held arrow keys; B and Y undo and redo; Start opens the menu; Back twice within
// a second restarts; the shoulders zoom; a pad pulled out stops what it held.

#include <gtest/gtest.h>

#include "app/outer_loop.h"
#include "app/title.h"
#include "support/scripted_game.h"

namespace {

using testing_support::padHolding;

struct PadPlayTest : testing_support::ScriptedGameTest {
    // The keeper at (4, 2) with room to walk two cells left, up and down; a crate and its goal to his right.
    void SetUp() override { startOn("set\n\n#########\n#       #\n#   @ $.#\n#       #\n#########\n"); }

    const Player& keeper() const { return game->state.player; }

    // One frame with the pad as given, then one with it let go.
    void tap(int button) {
        scriptedSetPad(padHolding({button}));
        runGameFrame(*game);
        scriptedSetPad(padHolding({}));
        runGameFrame(*game);
    }
};

TEST_F(PadPlayTest, StartOrALeaveTheTitleAndAreLetGoBeforeTheMenuReadsThem) {
    for (const int button : {PAD_START, PAD_A}) {
        game->state.demo.demoMode = false;
        const double start = platformTime();
        scriptedPadAt(start + 0.1, padHolding({button}));
        scriptedPadAt(start + 0.2, padHolding({}));
        showTitle(*game, start + 5.0);
        EXPECT_FALSE(game->state.demo.demoMode) << button;
        EXPECT_LT(platformTime(), start + 0.2) << button;
        scriptedAdvanceTime(0.2);
        platformPollEvents();
    }
    // B has no say on the title.
    const double start = platformTime();
    scriptedSetPad(padHolding({PAD_B}));
    showTitle(*game, start + 0.5);
    EXPECT_TRUE(game->state.demo.demoMode);

    // A pass left with A opens the menu on its main page: the A that left the title was not its Enter.
    game->state.demo.demoMode = false;
    scriptedSetPad(padHolding({}));
    scriptedPadAt(platformTime() + 0.1, padHolding({PAD_A}));
    scriptedPadAt(platformTime() + 0.6, padHolding({}));
    scriptedCloseAt(platformTime() + 1.5);
    ASSERT_TRUE(runPass(*game));
    EXPECT_TRUE(game->session.menuOpen);
    EXPECT_EQ(game->session.menu.menuPage, MenuPage::Main);
}

TEST_F(PadPlayTest, AOrStartEndTheDemoAsSpaceDoes) {
    testing_support::writeFile(dir / "Moves.txt", "3,2\n3,2\n3,2\n");
    for (const int button : {PAD_A, PAD_START}) {
        game->session.menuOpen = false;
        game->state.demo.demoMode = true;
        startDemoScript(game->state.demo);
        scriptedSetPad(padHolding({PAD_B, PAD_UP}));  // neither ends the demo
        EXPECT_EQ(runGameFrame(*game), FrameOutcome::Continue) << button;
        const double release = platformTime() + 0.2;
        scriptedSetPad(padHolding({button}));
        scriptedPadAt(release, padHolding({}));
        EXPECT_EQ(runGameFrame(*game), FrameOutcome::EndPass) << button;
        EXPECT_TRUE(game->session.menuOpen) << button;
        EXPECT_FALSE(game->state.demo.demoMode) << button;
        EXPECT_GE(platformTime(), release) << button;  // held on into the menu, it would be its Enter
    }
}

// Each push takes one step, and held it takes the next on the first frame after the glide, as an arrow key.
TEST_F(PadPlayTest, DpadAndStickWalkAtThePaceOfMovesLikeAHeldArrow) {
    for (const PadState& pad : {padHolding({PAD_LEFT}), padHolding({}, -0.9f, 0.1f)}) {
        game = testing_support::gameOnLevelOne();
        runGameFrame(*game);  // the new game's clock catches up
        scriptedSetPad(pad);
        runGameFrame(*game);
        EXPECT_EQ(keeper().x, 3);
        EXPECT_GE(framesUntilSettled(), 4);  // 9 ticks of 1/60 s at a frame every 0.03 s
        EXPECT_EQ(keeper().x, 3);            // no step meanwhile
        runGameFrame(*game);
        EXPECT_EQ(keeper().x, 2);
        EXPECT_EQ(keeper().steps, 2);
        scriptedSetPad(padHolding({}));
        framesUntilSettled();
    }
}

// Past the middle the stick walks the way of its stronger axis (the vertical on a tie); it goes on while
// eased off a little, stops nearer the middle, and starts again only past the middle.
TEST_F(PadPlayTest, TheStickWalksByItsStrongerAxisWithAGapBeforeItStops) {
    struct Case {
        float x;
        float y;
        int dx;
        int dy;
    };
    const Case cases[] = {
        {-0.6f, 0.55f, -1, 0}, {0.3f, -0.7f, 0, -1}, {-0.6f, 0.6f, 0, 1}, {0.45f, -0.45f, 0, 0}};
    for (const Case& c : cases) {
        game = testing_support::gameOnLevelOne();
        scriptedSetPad(padHolding({}, c.x, c.y));
        runGameFrame(*game);
        EXPECT_EQ(keeper().x - 4, c.dx) << c.x << ", " << c.y;
        EXPECT_EQ(keeper().y - 2, c.dy) << c.x << ", " << c.y;
        scriptedSetPad(padHolding({}));
        framesUntilSettled();
    }

    game = testing_support::gameOnLevelOne();
    const auto stepWith = [&](float x) {
        scriptedSetPad(padHolding({}, x, 0.0f));
        runGameFrame(*game);
        framesUntilSettled();
        return keeper().x;
    };
    EXPECT_EQ(stepWith(-0.9f), 3);
    EXPECT_EQ(stepWith(-0.4f), 2);  // eased off: still walking
    EXPECT_EQ(stepWith(-0.2f), 2);  // back near the middle: stopped
    EXPECT_EQ(stepWith(-0.4f), 2);  // not past the middle: still stopped
}

TEST_F(PadPlayTest, BTakesMovesBackAndYMakesThemAgain) {
    scriptedSetPad(padHolding({PAD_LEFT}));
    runGameFrame(*game);
    framesUntilSettled();
    runGameFrame(*game);
    framesUntilSettled();
    ASSERT_EQ(keeper().x, 2);
    scriptedSetPad(padHolding({PAD_B}));  // held: one move back after each glide, as U
    runGameFrame(*game);
    EXPECT_EQ(keeper().x, 3);
    EXPECT_EQ(keeper().facing, 270);  // stepping back as if pulling
    framesUntilSettled();
    runGameFrame(*game);
    EXPECT_EQ(keeper().x, 4);
    EXPECT_EQ(keeper().steps, 0);
    framesUntilSettled();
    scriptedSetPad(padHolding({PAD_Y}));
    runGameFrame(*game);
    EXPECT_EQ(keeper().x, 3);
    framesUntilSettled();
    runGameFrame(*game);
    EXPECT_EQ(keeper().x, 2);
    EXPECT_EQ(keeper().steps, 2);
}

TEST_F(PadPlayTest, StartOpensTheMenuAndFreezesPlay) {
    pressPad(PAD_START);
    EXPECT_TRUE(game->session.menuOpen);
    scriptedSetPad(padHolding({PAD_LEFT}));
    for (int frame = 0; frame < 5; ++frame) runGameFrame(*game);
    EXPECT_EQ(keeper().x, 4);
}

// The second of two presses of Back within a second restarts as Enter does, once however long it is held;
// presses further apart do not, and the later one of them counts as a first press.
TEST_F(PadPlayTest, BackTwiceWithinASecondRestartsTheLevel) {
    scriptedSetPad(padHolding({PAD_LEFT}));
    runGameFrame(*game);
    scriptedSetPad(padHolding({}));
    framesUntilSettled();
    ASSERT_EQ(keeper().steps, 1);

    tap(PAD_BACK);
    scriptedAdvanceTime(1.2);
    tap(PAD_BACK);
    EXPECT_FALSE(game->state.levelEnd.endRequested);
    scriptedAdvanceTime(0.8);
    scriptedSetPad(padHolding({PAD_BACK}));  // and held on
    runGameFrame(*game);
    EXPECT_TRUE(game->state.levelEnd.endRequested);
    framesUntilReloaded();
    EXPECT_EQ(keeper().x, 4);
    EXPECT_EQ(keeper().steps, 0);
    for (int frame = 0; frame < 10; ++frame) runGameFrame(*game);
    EXPECT_FALSE(game->state.levelEnd.endRequested);
}

TEST_F(PadPlayTest, ShouldersZoomWithinLimitsAndNeverMove) {
    scriptedSetPad(padHolding({PAD_RB, PAD_LEFT}));
    for (int frame = 0; frame < 200; ++frame) runGameFrame(*game);
    EXPECT_EQ(game->state.scene.zoom, 20.0f);
    scriptedSetPad(padHolding({PAD_LB}));
    for (int frame = 0; frame < 200; ++frame) runGameFrame(*game);
    EXPECT_EQ(game->state.scene.zoom, 5.0f);
    EXPECT_EQ(keeper().x, 4);
    EXPECT_EQ(keeper().steps, 0);
}

TEST_F(PadPlayTest, APadPulledOutMidWalkStopsIt) {
    for (const PadState& pad : {padHolding({PAD_LEFT}), padHolding({}, -1.0f, 0.0f)}) {
        game = testing_support::gameOnLevelOne();
        scriptedSetPad(pad);
        runGameFrame(*game);
        ASSERT_EQ(keeper().x, 3);
        scriptedSetPad(PadState{});
        for (int frame = 0; frame < 20; ++frame) runGameFrame(*game);
        EXPECT_EQ(keeper().x, 3);
        EXPECT_EQ(keeper().steps, 1);
    }
}

}  // namespace
