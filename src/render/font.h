#pragma once

#include <GL/gl.h>

#include "render/graphics.h"
#include "render/window_settings.h"

// Text drawn with bitmap fonts: each byte of a text calls the display list of its glyph.

// Compiles one display list per grid cell, from list base on: the cell of code c is at column c mod
// columns, row c div columns counted from the top of the image.
void buildFont(GLuint listBase, GLuint texture, float columns, float rows, int glyphSize);

// Builds smallFont (TEX_TEXT, 16 x 16 cells of 8 pixels) and largeFont (TEX_SWORDS, 16 x 8 of 32).
void buildFonts(Graphics& graphics);

// Draws text at window pixel (x, y), origin at the lower-left corner, tinted by (red, green, blue).
void printText(const char* text, GLuint texture, GLuint listBase, float x, float y, float red, float green,
               float blue, const WindowSettings& window);
void printText(const BitmapFont& font, const char* text, float x, float y, float red, float green, float blue,
               const WindowSettings& window);

// The x that centres text on the window: width / 2 (rounded down) minus the text's length times the
// font's half advance. Negative for a text wider than the window.
float centredTextX(const char* text, const WindowSettings& window, unsigned int halfAdvance);
