// The rules every windowing backend reports its events through: a backend that bypassed them would close
// the window on its own, miss the first size, or hand the menu characters it cannot show.

#include "platform/window_events.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> g_typed;
std::vector<int> g_sizes;
int g_closeAnswer = 0;
int g_closeCalls = 0;

void recordChar(int code, int action) {
    if (action == ACTION_PRESS) g_typed.push_back(code);
}

void recordSize(int width, int height) {
    g_sizes.push_back(width);
    g_sizes.push_back(height);
}

int answerClose() {
    ++g_closeCalls;
    return g_closeAnswer;
}

struct WindowEventsTest : ::testing::Test {
    void SetUp() override {
        resetWindowEvents();
        g_typed.clear();
        g_sizes.clear();
        g_closeCalls = 0;
    }
};

TEST_F(WindowEventsTest, CloseIsOnlyARequestTheGameCanVeto) {
    EXPECT_TRUE(reportCloseRequest());  // nobody listens: the window closes as the library would
    installCloseCallback(answerClose);
    g_closeAnswer = 0;
    EXPECT_FALSE(reportCloseRequest());
    g_closeAnswer = 1;
    EXPECT_TRUE(reportCloseRequest());
    EXPECT_EQ(g_closeCalls, 2);
}

TEST_F(WindowEventsTest, SizeCallbackHearsTheOpenWindowsSizeOnInstallation) {
    installSizeCallback(recordSize, false, 0, 0);  // no window yet: nothing to tell
    EXPECT_TRUE(g_sizes.empty());
    installSizeCallback(recordSize, true, 800, 600);
    reportSize(1024, 0);
    EXPECT_EQ(g_sizes, (std::vector<int>{800, 600, 1024, 0}));
}

TEST_F(WindowEventsTest, CharactersOutsideTheRangeAndUnwantedRepeatsAreDropped) {
    reportChar('a', false);  // no callback installed
    installCharCallback(recordChar);
    for (const unsigned int code : {31u, 32u, 126u, 127u, 159u, 160u, 233u}) reportChar(code, false);
    reportChar('r', true);  // a held key's repeat while repeat is off
    setKeyRepeat(true);
    reportChar('r', true);
    installCharCallback(nullptr);
    reportChar('z', false);
    EXPECT_EQ(g_typed, (std::vector<int>{32, 126, 160, 233, 'r'}));
}

// Enter pressed with either Alt down is the full-screen switch, once per press, and reads as up until its
// own release, however Alt goes meanwhile: no level restarts and no menu item is chosen.
TEST_F(WindowEventsTest, EnterWithAltIsTheSwitchAndNoEnterUntilItsRelease) {
    EXPECT_TRUE(reportKeyPress(KEY_ENTER, false));
    EXPECT_FALSE(keyHeldBack(KEY_ENTER));
    reportKeyRelease(KEY_ENTER);
    EXPECT_FALSE(takeAltEnterPress());

    EXPECT_FALSE(reportKeyPress(KEY_ENTER, true));
    EXPECT_TRUE(keyHeldBack(KEY_ENTER));
    EXPECT_FALSE(keyHeldBack(KEY_KP_ENTER));
    EXPECT_TRUE(reportKeyPress(KEY_F11, true));  // Alt changes no other key
    reportKeyRelease(KEY_LALT);
    EXPECT_TRUE(keyHeldBack(KEY_ENTER));
    EXPECT_TRUE(takeAltEnterPress());
    EXPECT_FALSE(takeAltEnterPress());
    reportKeyRelease(KEY_ENTER);
    EXPECT_FALSE(keyHeldBack(KEY_ENTER));
    EXPECT_TRUE(reportKeyPress(KEY_ENTER, false));
}

}  // namespace
