#include "render/menu_draw.h"

#include "render/font.h"

void drawMenu(const MenuView& view, const BitmapFont& largeFont, const BitmapFont& smallFont,
              const WindowSettings& window) {
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
