// Window placement and the projection's aspect: the rounding rule and the zero-height window.

#include <gtest/gtest.h>

#include "render/window_setup.h"

#include "platform/scripted_window.h"

namespace {

TEST(WindowSetup, CentresWithHalvesToEven) {
    const WindowPosition full = centredWindowPosition(1920, 1080, 800, 600);
    EXPECT_EQ(full.x, 560);
    EXPECT_EQ(full.y, 240);
    EXPECT_EQ(centredWindowPosition(1281, 1083, 800, 600).x, 240);  // 240.5
    EXPECT_EQ(centredWindowPosition(1283, 1083, 800, 600).y, 242);  // 241.5
    EXPECT_EQ(centredWindowPosition(640, 480, 800, 600).x, -80);    // partly off-screen, not clamped
}

TEST(WindowSetup, AspectFollowsTheWindowButNeverDividesByZero) {
    WindowSettings settings;
    settings.width = 400;
    settings.height = 600;
    float aspect = 0.0f;
    ASSERT_TRUE(windowAspect(settings, aspect));
    EXPECT_NEAR(aspect, 0.6667f, 1e-4f);
    settings.height = 0;
    EXPECT_FALSE(windowAspect(settings, aspect));
}

}  // namespace

namespace {

int grantFour(int requested) {
    return requested > 0 ? 4 : 0;
}
int grantAsked(int requested) {
    return requested;
}
int keepOpen() {
    return 0;
}
void ignoreSize(int, int) {}

// A driver without a two-sample mode hands out four; the window then goes without multisampling rather
// than pay twice what it asked for. One that has two keeps them.
TEST(WindowSetup, MultisamplingAtMostTwoSamples) {
    scriptedReset();
    scriptedGrantSamples(grantFour);
    WindowSettings settings;
    ASSERT_TRUE(openWindow(settings, keepOpen, ignoreSize));
    EXPECT_EQ(scriptedRecord().samples, 0);
    EXPECT_EQ(scriptedRecord().windowsOpened, 2);
    scriptedReset();
    scriptedGrantSamples(grantAsked);
    ASSERT_TRUE(openWindow(settings, keepOpen, ignoreSize));
    EXPECT_EQ(scriptedRecord().samples, 2);
    EXPECT_EQ(scriptedRecord().windowsOpened, 1);
    platformTerminate();
}

}  // namespace
