#include "render/window_setup.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "platform/diagnostics.h"
#include "platform/window.h"

namespace {

// The library's own reason, on the line after the game's, when it gave one: "Failed to initialize GLFW!"
// alone leaves a player guessing between a missing display, a missing driver and a refused mode.
void reportLibraryError() {
    const char* reason = platformLastError();
    if (reason[0] != '\0') diagnosticLine("%s", reason);
}

void applyPerspective(const WindowSettings& settings) {
    gluPerspective(settings.fieldOfView, settings.aspect, settings.nearPlane, settings.farPlane);
}

}  // namespace

WindowPosition centredWindowPosition(int desktopWidth, int desktopHeight, int windowWidth, int windowHeight) {
    return {static_cast<int>(std::nearbyint((desktopWidth - windowWidth) / 2.0)),
            static_cast<int>(std::nearbyint((desktopHeight - windowHeight) / 2.0))};
}

bool windowAspect(const WindowSettings& settings, float& aspect) {
    if (settings.height == 0) return false;
    aspect = static_cast<float>(static_cast<double>(settings.width) / static_cast<double>(settings.height));
    return true;
}

bool openWindow(WindowSettings& settings, CloseCallback onClose, SizeCallback onSize) {
    settings = WindowSettings{};
    if (!platformInit()) {
        diagnosticLine("Failed to initialize GLFW!");
        reportLibraryError();
        platformSleep(1.0);
        return false;
    }
    WindowRequest request;
    request.width = static_cast<int>(settings.width);
    request.height = static_cast<int>(settings.height);
    request.redBits = settings.redBits;
    request.greenBits = settings.greenBits;
    request.blueBits = settings.blueBits;
    request.alphaBits = settings.alphaBits;
    request.depthBits = settings.depthBits;
    request.stencilBits = settings.stencilBits;
    request.samples = kMultisampleCount;
    request.title = kWindowTitle;
    if (!platformOpenWindow(request)) {
        reportLibraryError();
        platformTerminate();
        return false;
    }
    // Two samples smooth the edges for little cost. A driver without a two-sample mode hands out more (a
    // software renderer gives four, and clearing and showing such a frame alone then takes a third of a
    // core): the game then does without rather than pay several times what it asked for.
    if (platformWindowSamples() > kMultisampleCount) {
        platformCloseWindow();
        request.samples = 0;
        if (!platformOpenWindow(request)) {
            reportLibraryError();
            platformTerminate();
            return false;
        }
    }
    platformSwapInterval(1);

    int desktopWidth = 0;
    int desktopHeight = 0;
    platformGetDesktopSize(desktopWidth, desktopHeight);
    int width = 0;
    int height = 0;
    platformGetWindowSize(width, height);
    settings.width = static_cast<std::uint32_t>(width);
    settings.height = static_cast<std::uint32_t>(height);
    const WindowPosition position = centredWindowPosition(desktopWidth, desktopHeight, width, height);
    platformSetWindowPos(position.x, position.y);

    platformSetCloseCallback(onClose);
    platformSetSizeCallback(onSize);  // reports the current size at once: the first frame sets the projection

    glViewport(0, 0, static_cast<GLsizei>(settings.width), static_cast<GLsizei>(settings.height));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    settings.fieldOfView = 45.0f;
    if (!windowAspect(settings, settings.aspect)) settings.aspect = 800.0f / 600.0f;
    settings.nearPlane = 1.0f;
    settings.farPlane = 30.0f;
    applyPerspective(settings);

    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_COLOR_MATERIAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_LINE_SMOOTH);
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_CULL_FACE);
    return true;
}

void refreshProjection(WindowSettings& settings) {
    glViewport(0, 0, static_cast<GLsizei>(settings.width), static_cast<GLsizei>(settings.height));
    if (!settings.resized) return;
    float aspect = 0.0f;
    if (!windowAspect(settings, aspect)) return;  // stays pending until the window has a height again
    settings.resized = false;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    settings.aspect = aspect;
    applyPerspective(settings);
    glMatrixMode(GL_MODELVIEW);
}

const char* rendererName() {
    return reinterpret_cast<const char*>(glGetString(GL_RENDERER));
}

void initLights(LightSettings& light) {
    light = LightSettings{};
    glLightfv(GL_LIGHT0, GL_AMBIENT, light.ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light.specular);
    glLightfv(GL_LIGHT0, GL_POSITION, light.position);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
}
