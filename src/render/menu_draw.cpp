#include "render/menu_draw.h"

#include <GL/gl.h>

#include "render/font.h"
#include "render/pixel_space.h"

namespace {

// A plain dark quad: texturing, on everywhere else, is left off for it alone.
void drawPanel(const MenuPanel& panel, const WindowSettings& window) {
    pushIdentityMatrices();
    pixelOrtho(window);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, kMenuPanelOpacity);
    glBegin(GL_QUADS);
    glVertex2f(panel.left, panel.bottom);
    glVertex2f(panel.right, panel.bottom);
    glVertex2f(panel.right, panel.top);
    glVertex2f(panel.left, panel.top);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    popMatrices();
}

}  // namespace

void drawMenu(const MenuView& view, const BitmapFont& largeFont, const BitmapFont& smallFont,
              const WindowSettings& window) {
    if (view.panel.shown) drawPanel(view.panel, window);
    for (int i = 0; i < view.lineCount && i < kMaxMenuLines; ++i) {
        const MenuLine& line = view.lines[i];
        const BitmapFont& font = line.font == MenuFont::Small ? smallFont : largeFont;
        const char* text = line.text.c_str();
        const float x = line.left >= 0.0f ? line.left : centredTextX(text, window, font.halfAdvance);
        printText(font, text, x, line.y, line.red, line.green, line.blue, window);
    }
}

void drawMenuFrame(Graphics& graphics, const WindowSettings& window, const MenuView& view) {
    drawMenu(view, graphics.largeFont, graphics.smallFont, window);
}
