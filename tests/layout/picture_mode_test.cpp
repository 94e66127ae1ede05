// The picture setting's rules: which renderers get Fast when the player has chosen nothing, the names
// TARMELO_PICTURE takes, and the size Fast draws the scene at.

#include <gtest/gtest.h>

#include "layout/picture_mode.h"

namespace {

// A software renderer is told by its name anywhere in the driver's string, whatever its case; a hardware
// driver, or none at all, keeps Full.
TEST(PictureMode, SoftwareRenderersGetFastWhenNothingIsChosen) {
    for (const char* software :
         {"llvmpipe (LLVM 15.0.6, 256 bits)", "LLVMPIPE", "softpipe", "Mesa DRI swrast", "zink (llvmpipe)"}) {
        EXPECT_EQ(resolvePictureMode(software), PictureMode::Fast) << software;
    }
    for (const char* hardware :
         {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)",
          "Mesa Intel(R) UHD Graphics 620", "NVIDIA GeForce GTX 1060/PCIe/SSE2", "llvm", ""}) {
        EXPECT_EQ(resolvePictureMode(hardware), PictureMode::Full) << hardware;
    }
    EXPECT_EQ(resolvePictureMode(nullptr), PictureMode::Full);
}

// The environment's name wins over the renderer's choice; an unknown name is as none.
TEST(PictureMode, ANameGivenOverridesTheRenderer) {
    EXPECT_EQ(startPictureMode("full", "llvmpipe"), PictureMode::Full);
    EXPECT_EQ(startPictureMode("FAST", "AMD Radeon"), PictureMode::Fast);
    EXPECT_EQ(startPictureMode("Fast", nullptr), PictureMode::Fast);
    EXPECT_EQ(startPictureMode("automatic", "llvmpipe"), PictureMode::Fast);
    EXPECT_EQ(startPictureMode("", "AMD Radeon"), PictureMode::Full);
    EXPECT_EQ(startPictureMode(nullptr, "llvmpipe"), PictureMode::Fast);
    PictureMode mode = PictureMode::Fast;
    EXPECT_FALSE(parsePictureMode("ful", mode));
    EXPECT_FALSE(parsePictureMode("fast ", mode));
    EXPECT_EQ(mode, PictureMode::Fast);  // a refused name leaves the mode alone
}

// Full is always the window's size; Fast keeps a window of up to 960 x 540 pixels' worth (the game's 800 x
// 600 among them) and scales a larger one down to that many, keeping its shape, never to a side of 0.
TEST(PictureMode, FastDrawsTheSceneWithABoundedNumberOfPixels) {
    const struct {
        PictureMode mode;
        int windowWidth, windowHeight;
        int width, height;
    } cases[] = {
        {PictureMode::Full, 1920, 1080, 1920, 1080},
        {PictureMode::Fast, 800, 600, 800, 600},
        {PictureMode::Fast, 960, 540, 960, 540},
        {PictureMode::Fast, 1920, 1080, 960, 540},
        {PictureMode::Fast, 3840, 2160, 960, 540},
        {PictureMode::Fast, 1280, 960, 831, 624},
        {PictureMode::Fast, 4000, 100, 4000, 100},
        {PictureMode::Fast, 100000, 10, 72000, 7},
        {PictureMode::Fast, 0, 0, 0, 0},
        {PictureMode::Fast, 1000000, 1, 720000, 1},
    };
    for (const auto& c : cases) {
        const SceneSize size = sceneDrawSize(c.mode, c.windowWidth, c.windowHeight);
        EXPECT_EQ(size.width, c.width) << c.windowWidth << "x" << c.windowHeight;
        EXPECT_EQ(size.height, c.height) << c.windowWidth << "x" << c.windowHeight;
    }
}

}  // namespace
