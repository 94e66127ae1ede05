#include "render/font.h"

#include <cassert>
#include <climits>
#include <cstring>

#include "render/pixel_space.h"

void buildFont(GLuint listBase, GLuint, float columns, float rows, int glyphSize) {
    const int columnCount = static_cast<int>(columns);
    const int rowCount = static_cast<int>(rows);
    assert(columnCount > 0 && rowCount > 0 && columnCount * rowCount <= kFontListCount && glyphSize > 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPushMatrix();
    // Code k is the k-th cell reading the image left to right, top row first.
    for (int code = 0; code < columnCount * rowCount; ++code) {
        const GlyphCell cell = glyphCell(columnCount, rowCount, code);
        glNewList(listBase + static_cast<GLuint>(code), GL_COMPILE);
        glBegin(GL_QUADS);
        glTexCoord2d(cell.s0, cell.t1);
        glVertex2i(0, glyphSize);
        glTexCoord2d(cell.s0, cell.t0);
        glVertex2i(0, 0);
        glTexCoord2d(cell.s1, cell.t0);
        glVertex2i(glyphSize, 0);
        glTexCoord2d(cell.s1, cell.t1);
        glVertex2i(glyphSize, glyphSize);
        glEnd();
        glTranslatef(static_cast<float>(glyphSize), 0.0f, 0.0f);
        glEndList();
    }
    glPopMatrix();
}

namespace {

void buildOneFont(BitmapFont& font, GLuint texture, const FontLayout& layout) {
    font.texture = texture;
    font.glyphSize = layout.glyphSize;
    font.halfAdvance = layout.halfAdvance;
    font.listBase = glGenLists(kFontListCount);
    // No lists to be had: the font stays without glyphs, and every text draws as nothing.
    if (font.listBase == 0) return;
    buildFont(font.listBase, texture, static_cast<float>(layout.columns), static_cast<float>(layout.rows),
              layout.glyphSize);
}

}  // namespace

void buildFonts(Graphics& graphics) {
    buildOneFont(graphics.smallFont, graphics.textures.names[TEX_TEXT], kSmallFontLayout);
    buildOneFont(graphics.largeFont, graphics.textures.names[TEX_SWORDS], kLargeFontLayout);
}

void printText(const char* text, GLuint texture, GLuint listBase, float x, float y, float red, float green,
               float blue, const WindowSettings& window) {
    if (text == nullptr) text = "";
    const std::size_t length = std::strlen(text);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPolygonMode(GL_FRONT, GL_FILL);
    pushIdentityMatrices();
    // One unit is one window pixel; the projection stays identity.
    pixelOrtho(window);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glTranslatef(x, y, 0.0f);
    glColor3f(red, green, blue);
    glListBase(listBase);
    glCallLists(static_cast<GLsizei>(length < INT_MAX ? length : INT_MAX), GL_UNSIGNED_BYTE, text);
    popMatrices();
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
}

void printText(const BitmapFont& font, const char* text, float x, float y, float red, float green, float blue,
               const WindowSettings& window) {
    printText(text, font.texture, font.listBase, x, y, red, green, blue, window);
}

void printTextShadowed(const BitmapFont& font, const char* text, float x, float y, float red, float green,
                       float blue, const WindowSettings& window) {
    printText(font, text, x + kTextShadowOffset, y - kTextShadowOffset, 0.0f, 0.0f, 0.0f, window);
    printText(font, text, x, y, red, green, blue, window);
}
