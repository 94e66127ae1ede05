// The loops' input as the rules see it: a tap or a click shorter than a frame is not lost, a release wait
// hands back the input as it stands after the wait, and a typed character is used up once, while one
// typed during a later wait survives for the next frame.

#include <gtest/gtest.h>

#include "app/loop_input.h"
#include "app/window_callbacks.h"
#include "platform/scripted_window.h"

namespace {

struct LoopInputTest : ::testing::Test {
    void SetUp() override {
        scriptedReset();
        lastTypedChar = 0;
    }
};

TEST_F(LoopInputTest, TapsAndClicksBetweenSamplesArePressesNotHolds) {
    InputFeed feed = sampleLoopInput();
    scriptedKeyAt(0.0, KEY_L, true);
    scriptedKeyAt(0.0, KEY_L, false);
    scriptedCursorAt(0.0, 120.0, 45.5);
    scriptedButtonAt(0.0, MOUSE_BUTTON_LEFT, true);
    scriptedButtonAt(0.0, MOUSE_BUTTON_LEFT, false);
    platformPollEvents();
    resampleLoopInput(feed);
    EXPECT_TRUE(feed.now.pressed[KEY_L]);
    EXPECT_FALSE(feed.now.held[KEY_L]);
    EXPECT_TRUE(feed.now.buttonPressed[MOUSE_BUTTON_LEFT]);
    EXPECT_FALSE(feed.now.buttonHeld[MOUSE_BUTTON_LEFT]);
    EXPECT_DOUBLE_EQ(feed.now.cursorX, 120.0);
    EXPECT_DOUBLE_EQ(feed.now.cursorY, 45.5);

    resampleLoopInput(feed);  // a press counts in one sample only
    EXPECT_FALSE(feed.now.pressed[KEY_L]);
    EXPECT_FALSE(feed.now.buttonPressed[MOUSE_BUTTON_LEFT]);
}

TEST_F(LoopInputTest, ReleaseWaitHandsBackTheInputAfterIt) {
    scriptedSetKey(KEY_ESC, true);
    scriptedKeyAt(0.1, KEY_ESC, false);
    scriptedKeyAt(0.05, KEY_LEFT, true);
    InputFeed feed = sampleLoopInput();
    ASSERT_TRUE(feed.now.held[KEY_ESC]);
    waitForRelease(feed, KEY_ESC, kReleaseWaitSeconds);
    EXPECT_FALSE(feed.now.held[KEY_ESC]);
    EXPECT_TRUE(feed.now.held[KEY_LEFT]);
    EXPECT_GE(feed.now.time, 0.1);
    EXPECT_DOUBLE_EQ(scriptedRecord().sleptSeconds, 4 * kReleaseWaitSeconds);
}

TEST_F(LoopInputTest, TypedCharacterIsTakenOnceAndALaterOneWaits) {
    platformSetCharCallback(charCallback);
    charCallback('a', ACTION_PRESS);
    InputFeed feed = sampleLoopInput();
    EXPECT_EQ(takeTypedChar(feed), 'a');
    EXPECT_EQ(takeTypedChar(feed), 0);
    EXPECT_EQ(lastTypedChar, 0);

    scriptedSetKey(KEY_BACKSPACE, true);
    scriptedKeyAt(0.05, KEY_BACKSPACE, false);
    scriptedCharAt(0.02, 'b');
    waitForRelease(feed, KEY_BACKSPACE, kReleaseWaitSeconds);
    EXPECT_EQ(sampleLoopInput().now.typedChar, 'b');
    platformSetCharCallback(nullptr);
}

}  // namespace
