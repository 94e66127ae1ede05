#pragma once

#include <GL/gl.h>

#include "layout/window_settings.h"

// A finished picture kept off screen and shown again pixel for pixel. Screens that stand still (the title,
// the board behind the open menu) are drawn once and then replayed, which costs a copy instead of the whole
// drawing every frame.
struct FrameCache {
    GLuint framebuffer = 0;
    GLuint renderbuffer = 0;
    int width = 0;
    int height = 0;
    bool valid = false;
};

// Copies the back buffer's current picture into the cache. Without framebuffer objects (a driver older
// than OpenGL 3.0) the cache stays empty and the screens are simply drawn every frame.
void storeFrame(FrameCache& cache, const WindowSettings& window);

// Puts the cached picture back into the back buffer, pixel for pixel, and leaves the drawing state as the
// 2D drawing does (blending on, lighting and depth test on, textures on).
void replayFrame(const FrameCache& cache, const WindowSettings& window);

// True when the cache holds a picture of the window's present size.
bool fitsWindow(const FrameCache& cache, const WindowSettings& window);
