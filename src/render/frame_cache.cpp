#include "render/frame_cache.h"

#include "render/pixel_space.h"

void storeFrame(FrameCache& cache, const WindowSettings& window) {
    if (cache.texture == 0) glGenTextures(1, &cache.texture);
    cache.width = static_cast<int>(window.width);
    cache.height = static_cast<int>(window.height);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, cache.texture);
    glReadBuffer(GL_BACK);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 0, 0, cache.width, cache.height, 0);
    // Texel for pixel: nearest sampling of the one level there is.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    cache.valid = true;
}

bool fitsWindow(const FrameCache& cache, const WindowSettings& window) {
    return cache.valid && cache.width == static_cast<int>(window.width) &&
           cache.height == static_cast<int>(window.height);
}

void replayFrame(const FrameCache& cache, const WindowSettings& window) {
    glViewport(0, 0, static_cast<GLsizei>(window.width), static_cast<GLsizei>(window.height));
    pushIdentityMatrices();
    pixelOrtho(window);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, cache.texture);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const float w = static_cast<float>(cache.width);
    const float h = static_cast<float>(cache.height);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(w, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(w, h);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(0.0f, h);
    glEnd();
    popMatrices();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}
