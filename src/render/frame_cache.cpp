// The framebuffer calls are declared only with prototypes asked for before the first OpenGL header.
#define GL_GLEXT_PROTOTYPES 1
#include "render/frame_cache.h"

#include <GL/glext.h>

#include "platform/window.h"

namespace {

bool framebuffersAvailable() {
    static const bool available = platformExtensionSupported("GL_ARB_framebuffer_object");
    return available;
}

// A straight copy between two framebuffers of the same size. (A blit obeys the scissor test, which only the
// shadow pass turns on, and off again.)
void copyPicture(GLuint from, GLuint to, int width, int height) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

}  // namespace

void storeFrame(FrameCache& cache, const WindowSettings& window) {
    cache.valid = false;
    if (!framebuffersAvailable()) return;
    const int width = static_cast<int>(window.width);
    const int height = static_cast<int>(window.height);
    if (width <= 0 || height <= 0) return;
    if (cache.framebuffer == 0) {
        glGenFramebuffers(1, &cache.framebuffer);
        glGenRenderbuffers(1, &cache.renderbuffer);
    }
    if (cache.width != width || cache.height != height) {
        glBindRenderbuffer(GL_RENDERBUFFER, cache.renderbuffer);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glBindFramebuffer(GL_FRAMEBUFFER, cache.framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, cache.renderbuffer);
        const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        if (!complete) return;
        cache.width = width;
        cache.height = height;
    }
    glReadBuffer(GL_BACK);
    copyPicture(0, cache.framebuffer, width, height);
    cache.valid = true;
}

bool fitsWindow(const FrameCache& cache, const WindowSettings& window) {
    return cache.valid && cache.width == static_cast<int>(window.width) &&
           cache.height == static_cast<int>(window.height);
}

void replayFrame(const FrameCache& cache, const WindowSettings& window) {
    glViewport(0, 0, static_cast<GLsizei>(window.width), static_cast<GLsizei>(window.height));
    glDrawBuffer(GL_BACK);
    copyPicture(cache.framebuffer, 0, cache.width, cache.height);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}
