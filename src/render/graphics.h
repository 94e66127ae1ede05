#pragma once

#include <GL/gl.h>

#include "formats/asset_files.h"
#include "formats/model.h"

// Everything start-up loads for drawing, owned by the main program and kept until the program ends.

struct TextureSlots {
    GLuint names[kTextureSlotCount + 1] = {};  // indexed 1 to 12; 0 until loaded
};

struct IconSlots {
    GLuint names[kIconSlotCount + 1] = {};  // indexed 1 to 5
};

// A bitmap font: a glyph image and one display list per byte code.
struct BitmapFont {
    GLuint texture = 0;
    GLuint listBase = 0;
    int glyphSize = 0;             // pixels; also the pen's advance
    unsigned int halfAdvance = 0;  // for centring: half the glyph size
};

struct Graphics {
    TextureSlots textures;
    IconSlots icons;
    BitmapFont smallFont;  // 8-pixel glyphs, TEX_TEXT
    BitmapFont largeFont;  // 32-pixel glyphs, TEX_SWORDS
    ModelTables models;
    GLuint sceneryLists = 0;      // four consecutive lists, one per scenery model
    GLuint shadowFinishList = 0;  // darkens the shadowed pixels, restores the drawing state
};
