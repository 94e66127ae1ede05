// Window placement and the projection's aspect: the rounding rule, the zero-height window, and the
// multisampling a driver hands out.

#include <gtest/gtest.h>

#include "platform/scripted_window.h"
#include "render/window_setup.h"

namespace {

TEST(WindowSetup, CentresWithHalvesToEvenAndNeverDividesByZero) {
    EXPECT_EQ(centredWindowPosition(1920, 1080, 800, 600).x, 560);
    EXPECT_EQ(centredWindowPosition(1281, 1083, 800, 600).x, 240);  // 240.5
    EXPECT_EQ(centredWindowPosition(1283, 1083, 800, 600).y, 242);  // 241.5
    EXPECT_EQ(centredWindowPosition(640, 480, 800, 600).x, -80);    // partly off-screen, not clamped
    WindowSettings settings;
    settings.width = 400;
    settings.height = 600;
    float aspect = 0.0f;
    ASSERT_TRUE(windowAspect(settings, aspect));
    EXPECT_NEAR(aspect, 0.6667f, 1e-4f);
    settings.height = 0;
    EXPECT_FALSE(windowAspect(settings, aspect));
}

// A driver without a two-sample mode hands out four; the window then goes without multisampling rather
// than pay twice what it asked for. One that has two keeps them.
TEST(WindowSetup, MultisamplingAtMostTwoSamples) {
    const struct {
        int (*grant)(int);
        int samples;
        int windowsOpened;
    } cases[] = {{[](int requested) { return requested > 0 ? 4 : 0; }, 0, 2},
                 {[](int requested) { return requested; }, 2, 1}};
    for (const auto& c : cases) {
        scriptedReset();
        scriptedGrantSamples(c.grant);
        WindowSettings settings;
        ASSERT_TRUE(openWindow(
            settings, [] { return 0; }, [](int, int) {}));
        EXPECT_EQ(scriptedRecord().samples, c.samples);
        EXPECT_EQ(scriptedRecord().windowsOpened, c.windowsOpened);
    }
    platformTerminate();
}

}  // namespace
