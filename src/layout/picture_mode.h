#pragma once

// How the 3D scene is drawn. Full draws every pixel of the window as the scene's rules say. Fast, for a
// renderer that draws on the processor, draws the scene into a picture of at most kFastScenePixels and
// stretches it over the window, samples the scene's textures from one mipmap level instead of two, lays
// the fog over the scene under the HUD instead of over the HUD, and counts the shadow volumes only on the
// part of the screen the scene covers (which leaves the same colours); the HUD, the menu and every text
// stay sharp at the window's own size.
enum class PictureMode { Full, Fast };

// Whether the driver's renderer string names a renderer that draws on the processor: llvmpipe, softpipe or
// swrast, in any case. False for a null string.
bool isSoftwareRenderer(const char* glRenderer);

// The choice when the player has made none: Fast on a software renderer, Full on anything else.
PictureMode resolvePictureMode(const char* glRenderer);

// "full" or "fast" (in any case) into mode; false, mode untouched, for anything else or null.
bool parsePictureMode(const char* text, PictureMode& mode);

// The mode the game starts in: the one asked for by name (TARMELO_PICTURE), else, for no name or an
// unknown one, the renderer's own.
PictureMode startPictureMode(const char* requested, const char* glRenderer);

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
SceneSize sceneDrawSize(PictureMode mode, int windowWidth, int windowHeight);
