#include "render/scene_draw.h"

#include "render/window_setup.h"

// Stand-in until the scene drawing lands: the cleared screen.
void drawScene(WindowSettings& window, Graphics&, SceneState&, LightSettings&, const Board&, const Player&,
               const LevelEnd&) {
    refreshProjection(window);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}
