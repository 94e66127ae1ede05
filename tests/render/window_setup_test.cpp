// Window placement and the projection's aspect: the rounding rule, the zero-height window, full screen
// and back, and the multisampling a driver hands out.

#include <gtest/gtest.h>

#include "app/window_callbacks.h"
#include "platform/scripted_window.h"
#include "platform/window.h"
#include "render/window_setup.h"

namespace {

TEST(WindowSetup, CentringHalvesToEvenAndNeverClamps) {
    EXPECT_EQ(centredWindowPosition(1283, 1083, 800, 600).x, 242);  // 241.5
    EXPECT_EQ(centredWindowPosition(640, 480, 800, 600).x, -80);    // partly off-screen, not clamped
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

// Without a windowing system the game says so with the library's reason, waits a second so the lines can
// be read, and gives up cleanly; a window that cannot be opened gives up the same way with only the reason.
TEST(WindowSetup, FailuresGiveUpCleanly) {
    scriptedReset();
    scriptedFailInit(true, "X11: The DISPLAY environment variable is missing");
    WindowSettings settings;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(openWindow(
        settings, [] { return 0; }, [](int, int) {}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failed to initialize GLFW!\nX11: The DISPLAY environment variable is missing\n");
    EXPECT_DOUBLE_EQ(scriptedRecord().sleptSeconds, 1.0);
    EXPECT_FALSE(scriptedRecord().windowOpen);

    scriptedReset();
    scriptedFailInit(true);  // a failure the library gave no words for adds no empty line
    testing::internal::CaptureStdout();
    EXPECT_FALSE(openWindow(
        settings, [] { return 0; }, [](int, int) {}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failed to initialize GLFW!\n");

    scriptedReset();
    scriptedFailOpen(true, "GLX: No GLXFBConfigs returned");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(openWindow(
        settings, [] { return 0; }, [](int, int) {}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "GLX: No GLXFBConfigs returned\n");
    EXPECT_FALSE(scriptedRecord().windowOpen);
    EXPECT_FALSE(scriptedRecord().initialised);
}

// The window lands centred on the desktop it is opened on, and the size callback reports its size as soon as
// it is installed, so the first frame sets the projection.
TEST(WindowSetup, OpensCentredAndReportsItsSizeAtOnce) {
    scriptedReset();
    scriptedSetDesktopSize(1281, 1083);
    WindowSettings settings;
    static int reportedWidth = 0;
    static int reportedHeight = 0;
    ASSERT_TRUE(openWindow(
        settings, [] { return 0; },
        [](int width, int height) {
            reportedWidth = width;
            reportedHeight = height;
        }));
    EXPECT_EQ(scriptedRecord().windowX, 240);
    EXPECT_EQ(scriptedRecord().windowY, 242);
    EXPECT_EQ(reportedWidth, 800);
    EXPECT_EQ(reportedHeight, 600);
    platformTerminate();
}

// A window squashed to no height keeps its old projection and the resize pending, and the projection
// follows as soon as the window has a height again.
TEST(WindowSetup, ZeroHeightResizeWaitsForAHeight) {
    scriptedReset();
    ASSERT_TRUE(openWindow(windowSettings, closeCallback, sizeCallback));
    refreshProjection(windowSettings);
    ASSERT_FALSE(windowSettings.resized);
    const float aspect = windowSettings.aspect;
    scriptedResizeAt(0.0, 640, 0);
    platformPollEvents();
    refreshProjection(windowSettings);
    EXPECT_TRUE(windowSettings.resized);
    EXPECT_EQ(windowSettings.aspect, aspect);
    scriptedResizeAt(0.0, 640, 480);
    platformPollEvents();
    refreshProjection(windowSettings);
    EXPECT_FALSE(windowSettings.resized);
    EXPECT_FLOAT_EQ(windowSettings.aspect, 640.0f / 480.0f);
    platformTerminate();
}

// Full screen reaches the projection as a resize does: the desktop's aspect, then the window's again, and
// the window goes back where it stood.
TEST(WindowSetup, FullScreenAndBackRebuildTheProjection) {
    scriptedReset();
    scriptedSetDesktopSize(1920, 1080);
    ASSERT_TRUE(openWindow(windowSettings, closeCallback, sizeCallback));
    refreshProjection(windowSettings);
    platformSetFullScreen(true);
    EXPECT_EQ(windowSettings.width, 1920u);
    EXPECT_EQ(windowSettings.height, 1080u);
    refreshProjection(windowSettings);
    EXPECT_FLOAT_EQ(windowSettings.aspect, 1920.0f / 1080.0f);
    platformSetFullScreen(false);
    refreshProjection(windowSettings);
    EXPECT_FLOAT_EQ(windowSettings.aspect, 800.0f / 600.0f);
    EXPECT_EQ(scriptedRecord().windowX, 560);
    EXPECT_EQ(scriptedRecord().windowY, 240);
    EXPECT_FALSE(platformFullScreen());
    platformTerminate();
}

}  // namespace
