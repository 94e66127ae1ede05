#include "render/menu_draw.h"

#include "render/font.h"

void drawMenu(const MenuView& view, const BitmapFont& font, const WindowSettings& window) {
    for (int i = 0; i < view.lineCount && i < kMaxMenuLines; ++i) {
        const MenuLine& line = view.lines[i];
        const char* text = line.text.c_str();
        printText(font, text, centredTextX(text, window, font.halfAdvance), line.y, line.brightness,
                  line.brightness, line.brightness, window);
    }
}

void drawMenuFrame(Graphics& graphics, const WindowSettings& window, const MenuView& view) {
    drawMenu(view, graphics.largeFont, window);
}
