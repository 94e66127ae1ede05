#pragma once

#include <GL/gl.h>

#include "layout/glyph_layout.h"
#include "layout/window_settings.h"
#include "render/graphics.h"

// Text drawn with bitmap fonts: each byte of a text calls the display list of its glyph.

// Compiles one display list per grid cell, from list base on: the cell of code c is at column c mod
// columns, row c div columns counted from the top of the image. Each list draws its glyph as a
// counter-clockwise quad from the pen position and moves the pen one glyph size to the right. Leaves the
// modelview matrix at identity.
void buildFont(GLuint listBase, GLuint texture, float columns, float rows, int glyphSize);

// Builds smallFont (TEX_TEXT, 16 x 16 cells of 8 pixels) and largeFont (TEX_SWORDS, 16 x 8 of 32; its
// lists 128 to 255 stay empty). Needs the textures loaded.
void buildFonts(Graphics& graphics);

// Draws text at window pixel (x, y), origin at the lower-left corner, tinted by (red, green, blue).
// Unlit and in front of everything; leaves blending on, the font texture bound and the text colour
// current.
void printText(const char* text, GLuint texture, GLuint listBase, float x, float y, float red, float green,
               float blue, const WindowSettings& window);
void printText(const BitmapFont& font, const char* text, float x, float y, float red, float green, float blue,
               const WindowSettings& window);

// printText with a black copy of the text first, kTextShadowOffset pixels right and down: the coloured
// text is drawn exactly where printText draws it and stays readable over the light floor. For the HUD and
// menu lines in largeFont.
constexpr float kTextShadowOffset = 2.0f;
void printTextShadowed(const BitmapFont& font, const char* text, float x, float y, float red, float green,
                       float blue, const WindowSettings& window);
