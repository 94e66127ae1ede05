// The framebuffer calls are declared only with prototypes asked for before the first OpenGL header.
#define GL_GLEXT_PROTOTYPES 1
#include "render/scene_picture.h"

#include <GL/glext.h>

#include "platform/window.h"
#include "render/graphics.h"
#include "render/hud.h"
#include "render/textures.h"

namespace {

bool framebuffersAvailable() {
    static const bool available = platformExtensionSupported("GL_ARB_framebuffer_object");
    return available;
}

// The buffers at the size wanted; false when the driver cannot make them complete.
bool fitBuffers(ScenePicture& picture, SceneSize size) {
    if (picture.framebuffer != 0 && picture.width == size.width && picture.height == size.height) return true;
    if (picture.framebuffer == 0) {
        glGenFramebuffers(1, &picture.framebuffer);
        glGenRenderbuffers(1, &picture.colour);
        glGenRenderbuffers(1, &picture.depthStencil);
    }
    glBindRenderbuffer(GL_RENDERBUFFER, picture.colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, size.width, size.height);
    glBindRenderbuffer(GL_RENDERBUFFER, picture.depthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, size.width, size.height);
    glBindFramebuffer(GL_FRAMEBUFFER, picture.framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, picture.colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              picture.depthStencil);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    picture.width = complete ? size.width : 0;
    picture.height = complete ? size.height : 0;
    return complete;
}

}  // namespace

void beginScenePicture(Graphics& graphics, const WindowSettings& window) {
    ScenePicture& picture = graphics.scenePicture;
    if (picture.materialsFilteredFor != graphics.picture) {
        filterSceneMaterials(graphics.textures, graphics.picture);
        picture.materialsFilteredFor = graphics.picture;
    }
    picture.drawing = false;
    const int width = static_cast<int>(window.width);
    const int height = static_cast<int>(window.height);
    const SceneSize size = sceneDrawSize(graphics.picture, width, height);
    if (size.width == width && size.height == height) return;
    if (!framebuffersAvailable() || !fitBuffers(picture, size)) return;
    glBindFramebuffer(GL_FRAMEBUFFER, picture.framebuffer);
    picture.drawing = true;
}

SceneSize scenePictureSize(const ScenePicture& picture, const WindowSettings& window) {
    if (picture.drawing) return {picture.width, picture.height};
    return {static_cast<int>(window.width), static_cast<int>(window.height)};
}

void showScenePicture(Graphics& graphics, const WindowSettings& window, float fogScroll) {
    if (graphics.picture == PictureDetail::Full) return;
    ScenePicture& picture = graphics.scenePicture;
    // The fog's soft image loses nothing by being stretched with the scene, and it blends only the scene's
    // pixels there. (The overlay reads only the size from the record.) Nothing of the scene is nearer than
    // the overlay, so the depth test would pass everywhere: it is left out, as over the HUD.
    WindowSettings scene = window;
    const SceneSize size = scenePictureSize(picture, window);
    scene.width = static_cast<std::uint32_t>(size.width);
    scene.height = static_cast<std::uint32_t>(size.height);
    glDisable(GL_DEPTH_TEST);
    drawFogOverlay(scene, graphics.textures.names[TEX_FOG], fogScroll);
    glEnable(GL_DEPTH_TEST);
    if (!picture.drawing) return;
    picture.drawing = false;
    // The shadow pass leaves the scissor test off, so the whole window is written.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, picture.framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, picture.width, picture.height, 0, 0, static_cast<GLint>(window.width),
                      static_cast<GLint>(window.height), GL_COLOR_BUFFER_BIT, GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, static_cast<GLsizei>(window.width), static_cast<GLsizei>(window.height));
    // The overlays drawn with the depth test on (the logo, the menu's panel) lie at the middle of the depth
    // range and need the window's depth buffer behind them, which no scene cleared.
    glClear(GL_DEPTH_BUFFER_BIT);
}
