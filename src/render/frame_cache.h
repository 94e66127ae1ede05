#pragma once

#include <GL/gl.h>

#include "render/window_settings.h"

// A finished picture kept in a texture and shown again pixel for pixel. Screens that stand still (the
// title, the board behind the open menu) are drawn once and then replayed, which costs a copy instead of
// the whole drawing every frame.
struct FrameCache {
    GLuint texture = 0;
    int width = 0;
    int height = 0;
    bool valid = false;
};

// Copies the back buffer's current picture into the cache.
void storeFrame(FrameCache& cache, const WindowSettings& window);

// Draws the cached picture over the whole window, texel for pixel, with no lighting, blending or depth test,
// and leaves the drawing state as the 2D drawing does (blending on, lighting and depth test on).
void replayFrame(const FrameCache& cache, const WindowSettings& window);

// True when the cache holds a picture of the window's present size.
bool fitsWindow(const FrameCache& cache, const WindowSettings& window);
