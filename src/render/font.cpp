#include "render/font.h"

// Stand-in until the bitmap fonts land: nothing is drawn.
void buildFont(GLuint, GLuint, float, float, int) {}
void buildFonts(Graphics&) {}
void printText(const char*, GLuint, GLuint, float, float, float, float, float, const WindowSettings&) {}
void printText(const BitmapFont&, const char*, float, float, float, float, float, const WindowSettings&) {}
float centredTextX(const char*, const WindowSettings&, unsigned int) {
    return 0.0f;
}
