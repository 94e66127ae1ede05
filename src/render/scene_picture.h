#pragma once

#include <GL/gl.h>

#include "layout/picture_choice.h"
#include "layout/window_settings.h"

struct Graphics;

// Where the 3D scene is drawn. In Full, and in Fast while the window is small enough, it goes straight into
// the window's back buffer. Otherwise in Fast it goes into a smaller picture of its own (colour, depth and
// stencil, so the shadows count there as in the window), which is then stretched over the whole window
// before the HUD is drawn over it at the window's own size.
struct ScenePicture {
    GLuint framebuffer = 0;
    GLuint colour = 0;  // renderbuffers
    GLuint depthStencil = 0;
    int width = 0;  // the size the buffers have
    int height = 0;
    bool drawing = false;  // between beginScenePicture and showScenePicture, drawing into the smaller picture
    PictureDetail materialsFilteredFor = PictureDetail::Full;  // the filter the scene's textures have
};

// Makes the scene's drawing go where the window's picture mode puts it, and gives the scene's textures the
// mode's filter. Without framebuffer objects (a driver older than OpenGL 3.0) the scene is drawn at the
// window's size, as in Full.
void beginScenePicture(Graphics& graphics, const WindowSettings& window);

// The size the scene is being drawn at: the smaller picture's between begin and show, else the window's.
SceneSize scenePictureSize(const ScenePicture& picture, const WindowSettings& window);

// Ends the scene: in Fast the fog is laid over it, and a smaller picture is stretched over the whole
// window, filtered bilinearly; nothing in Full, whose fog goes over the HUD.
void showScenePicture(Graphics& graphics, const WindowSettings& window, float fogScroll);
