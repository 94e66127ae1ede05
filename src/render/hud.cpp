#include "render/hud.h"

// Stand-in until the HUD lands: nothing is drawn.
void drawImageOverlay(const WindowSettings&, GLuint, float) {}
void drawFogOverlay(const WindowSettings&, GLuint, float) {}
void drawMiniMap(const WindowSettings&, const IconSlots&, const Board&, const SceneState&) {}
void drawHud(const WindowSettings&, const Graphics&, const Board&, const SceneState&, const HudText&, float,
             LevelEnd&) {}
