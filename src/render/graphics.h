#pragma once

#include <GL/gl.h>

#include "formats/asset_files.h"
#include "formats/model.h"
#include "game/game_state.h"
#include "layout/picture_choice.h"
#include "layout/session_notes.h"
#include "render/frame_cache.h"
#include "render/scene_picture.h"
#include "render/shadows.h"
#include "render/volume_cache.h"

// The GL resources: everything start-up loads for drawing, and the pictures kept for still screens. Owned
// by the main program and kept until the program ends; only the drawing looks into it.

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

// The board's picture kept behind the open menu, and what it was drawn from.
struct BoardPictureCache {
    FrameCache frame;
    GameState drawnFrom;  // a byte copy of the state drawn
    SessionNotes notes;
};

// The parts of a game frame's picture, in the order they are sent. The board is one part: floor tiles,
// goals and walls go out cell by cell.
enum class FramePass { Clear, Board, Boxes, Keeper, Volumes, Darkening, Hud, MiniMap, Fog, Logo, Count };

struct Graphics {
    TextureSlots textures;
    IconSlots icons;
    BitmapFont smallFont;  // 8-pixel glyphs, TEX_TEXT
    BitmapFont largeFont;  // 32-pixel glyphs, TEX_SWORDS
    ModelTables models;
    GLuint sceneryLists = 0;      // four consecutive lists, one per scenery model
    GLuint shadowFinishList = 0;  // darkens the shadowed pixels, restores the drawing state
    FrameCache titleFrames[2];    // the title with its prompt hidden (0) and shown (1)
    BoardPictureCache boardBehindMenu;
    ScenePicture scenePicture;  // the smaller picture the scene is drawn into in Fast
    StaticVolumes staticVolumes;
    std::vector<ShadowQuad> movingVolumeSides;  // the crates' and the keeper's, worked out every frame
    // The detail the scene is drawn with: the player's picture setting as the renderer at hand resolves it
    // (choosePictureDetail). Full until start-up sets it.
    PictureDetail picture = PictureDetail::Full;
    // Called as each part of a game frame's picture has been sent: the scene benchmark finishes and times the
    // parts there. Unset in the game.
    void (*passSent)(FramePass pass) = nullptr;
};

inline void markPassSent(const Graphics& graphics, FramePass pass) {
    if (graphics.passSent != nullptr) graphics.passSent(pass);
}
