#pragma once

#include "profiles/settings_file.h"

// How the 3D scene is drawn. Full draws every pixel of the window as the scene's rules say. Fast, for a
// renderer that draws on the processor, draws the scene into a picture of at most kFastScenePixels and
// stretches it over the window, samples the scene's textures from one mipmap level instead of two, lays
// the fog over the scene under the HUD instead of over the HUD, and counts the shadow volumes only on the
// part of the screen the scene covers (which leaves the same colours); the HUD, the menu and every text
// stay sharp at the window's own size.
enum class PictureDetail {
    Full,
    Fast,
};

// Whether the renderer OpenGL names (its GL_RENDERER string) draws on the processor: llvmpipe, softpipe,
// swrast or the classic "Software Rasterizer", in any case. False for a null string.
bool isSoftwareRenderer(const char* renderer);

// The player's picture setting on the renderer OpenGL names (null when unknown): Full and Fast as chosen;
// Automatic is Fast on a software renderer, whose every pixel costs processor time, and Full on anything
// else, an unknown renderer included.
PictureDetail resolvePicture(PictureSetting setting, const char* renderer);

// The most pixels Fast draws the scene with: those of 960 x 540. A software renderer's frame costs about
// as much per pixel of the scene as the stretching costs per pixel of the window, so a larger window adds
// only the stretching; the window the game opens with (800 x 600) is drawn at its own size.
constexpr long kFastScenePixels = 960L * 540L;

// The size, in pixels, the scene is drawn at in a window of the given size: the window's own in Full, and
// in Fast while the window has no more than kFastScenePixels; else the window's shape scaled down to that
// many pixels, each side rounded to the nearest pixel and never below one.
struct SceneSize {
    int width;
    int height;
};
SceneSize sceneDrawSize(PictureDetail detail, int windowWidth, int windowHeight);
