// Play by pointing through whole game frames, with clicks at the window pixels where the game draws the
// cells (projected forwards by the test): a walk by the shortest way, a crate chosen and pushed with the
// fewest pushes, every step a move that counts and can be undone; what cannot be reached moves nothing and
// says so; a key, a crate chosen or a click on what cannot be reached stops a walk; Escape and the right
// button let a chosen crate go before the menu opens.

#include <gtest/gtest.h>

#include "core/move_plans.h"
#include "support/project_to_cursor.h"
#include "support/scripted_game.h"

namespace {

// Keeper at (4, 4); a crate at (3, 2) with its goal at (6, 3); a wall block at (6, 1).
const char* const kLevel =
    "set\n\n"
    "#########\n"
    "#     # #\n"
    "#  $    #\n"
    "#     . #\n"
    "#   @   #\n"
    "#########\n";

struct PointerPlayTest : testing_support::ScriptedGameTest {
    void SetUp() override {
        startOn(kLevel);
        windowSettings = WindowSettings{};
        settle();
    }

    // Frames with the clock running until the keeper and the camera are at rest.
    void settle(int frames = 120) {
        for (int i = 0; i < frames; ++i) {
            scriptedAdvanceTime(0.03);
            runGameFrame(*game);
        }
    }

    // A left (or right) click at the window pixel where the world point is drawn now.
    void clickAt(Vec3 point, int button = MOUSE_BUTTON_LEFT) {
        const auto at = testing_support::projectToCursor(windowSettings, game->state.scene, point);
        ASSERT_TRUE(at);
        scriptedCursorAt(platformTime(), at->x, at->y);
        scriptedButtonAt(platformTime(), button, true);
        scriptedButtonAt(platformTime(), button, false);
        platformPollEvents();
        runGameFrame(*game);
    }
    void clickFloor(int x, int y) { clickAt({float(x), 0.0f, float(y)}); }
    void clickCrateTop(int box) {
        const Box& crate = game->state.board.boxes[box];
        clickAt({float(crate.x), 2.0f * kCrateHalfSize, float(crate.y)});
    }

    const Player& keeper() const { return game->state.player; }
    const PointerPlay& pointer() const { return game->state.pointer; }
};

TEST_F(PointerPlayTest, AClickOnFloorWalksTheShortestWayOneMoveAtATime) {
    const int shortest = static_cast<int>(walkPath(game->state.board, keeper(), 7, 1).steps.size());
    clickFloor(7, 2);
    clickFloor(7, 1);  // a second click replaces the rest of the first plan
    settle(200);
    EXPECT_EQ(keeper().x, 7);
    EXPECT_EQ(keeper().y, 1);
    EXPECT_LE(keeper().steps, shortest + 1);  // at most the one step of the first plan made before the click
    EXPECT_EQ(game->state.history.count, keeper().steps);
}

TEST_F(PointerPlayTest, AChosenCrateIsPushedThereWithTheFewestPushes) {
    clickCrateTop(0);
    ASSERT_EQ(pointer().chosenBox, 0);
    EXPECT_TRUE(pointer().targets[6][3]);
    EXPECT_FALSE(pointer().targets[3][2]);
    const MovePlan plan = pushPath(game->state.board, keeper(), 0, 6, 3);
    clickFloor(6, 3);
    EXPECT_EQ(pointer().chosenBox, -1);
    // Until the solving push: the level end would load the next level soon after.
    for (int frames = 0; frames < 400 && !isSolved(game->state.board); ++frames) settle(1);
    EXPECT_EQ(game->state.board.boxes[0].x, 6);
    EXPECT_EQ(game->state.board.boxes[0].y, 3);
    EXPECT_EQ(game->state.history.pushes, plan.pushes);
    EXPECT_EQ(keeper().steps, static_cast<int>(plan.steps.size()));
}

// The crate stays chosen, its targets made for where the keeper stopped: the walk would otherwise let it go
// at the next step.
TEST_F(PointerPlayTest, ACrateChosenDuringAWalkStopsTheWalk) {
    clickFloor(1, 1);
    settle(3);
    clickCrateTop(0);
    ASSERT_EQ(pointer().chosenBox, 0);
    const int steps = keeper().steps;
    settle(100);
    EXPECT_LE(keeper().steps, steps + 1);  // the glide under way ends; no further move
    EXPECT_EQ(pointer().chosenBox, 0);
    EXPECT_FALSE(keeper().x == 1 && keeper().y == 1);
    clickFloor(6, 3);
    for (int frames = 0; frames < 400 && !isSolved(game->state.board); ++frames) settle(1);
    EXPECT_TRUE(isSolved(game->state.board));
}

TEST_F(PointerPlayTest, WhatCannotBeReachedMovesNothingAndSaysSo) {
    clickAt({6.0f, 1.0f, 1.0f});  // the wall block's top
    EXPECT_GT(pointer().noteSeconds, 0.0f);
    EXPECT_EQ(keeper().steps, 0);
    clickFloor(7, 1);                               // behind the wall, but open: reachable round it
    EXPECT_EQ(pointer().noteSeconds > 0.0f, true);  // the note fades with time only
    settle(300);
    EXPECT_LE(pointer().noteSeconds, 0.0f);

    clickFloor(1, 1);  // a walk under way ends at a click on what cannot be reached
    settle(3);
    clickAt({6.0f, 1.0f, 1.0f});
    const int steps = keeper().steps;
    settle(100);
    EXPECT_LE(keeper().steps, steps + 1);
    EXPECT_FALSE(keeper().x == 1 && keeper().y == 1);
}

TEST_F(PointerPlayTest, AKeyStopsAWalkAndEscapeLetsTheCrateGoFirst) {
    clickFloor(1, 1);
    settle(3);
    press(KEY_L, 0.01);  // any key
    const int steps = keeper().steps;
    settle(100);
    EXPECT_LE(keeper().steps, steps + 1);  // the glide under way ends; no further move
    EXPECT_FALSE(keeper().x == 1 && keeper().y == 1);

    clickCrateTop(0);
    ASSERT_EQ(pointer().chosenBox, 0);
    press(KEY_ESC);
    EXPECT_EQ(pointer().chosenBox, -1);
    EXPECT_FALSE(game->session.menuOpen);
    clickCrateTop(0);
    clickAt({3.0f, 0.0f, 2.0f}, MOUSE_BUTTON_RIGHT);
    EXPECT_EQ(pointer().chosenBox, -1);
    press(KEY_ESC);
    EXPECT_TRUE(game->session.menuOpen);
}

}  // namespace
