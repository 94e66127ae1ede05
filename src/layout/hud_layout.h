#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/board.h"
#include "math/mat4.h"
#include "math/rounding.h"

// Where the HUD puts things, in window pixels with the origin at the lower-left corner, and the logo's
// fade rule. No GL here: the HUD draws at these positions, and the tests check them without a context.

// The HUD's lines, each in a slot of its own from the top edge down, so that none ever covers another:
// the profile's name, the steps, the level, the pushes, the level's best solutions, and a note (a save
// that failed), and the note of a click that asked for what cannot be reached. A line in the large font (32
// pixels a character) that would not fit the window's width is drawn in the small font (8 pixels) instead.
enum HudSlot : int {
    HUD_NAME = 0,
    HUD_STEPS = 1,
    HUD_LEVEL = 2,
    HUD_PUSHES = 3,
    HUD_BEST = 4,
    HUD_NOTE = 5,
    HUD_POINTER_NOTE = 6,
};
constexpr int kHudLineCount = 7;
constexpr int kHudLineSpacing = 24;     // pixels: the lines stand 24, 48, 72 ... below the top edge
constexpr int kDemoMarkHalfWidth = 64;  // "DEMO": four 32-pixel glyphs
constexpr int kMapCellPixels = 10;
constexpr float kMapOpacity = 0.6f;
constexpr float kFogOpacity = 0.3f;
constexpr float kFogTextureSpan = 0.25f;  // of the fog image across the window, in each direction
constexpr const char* kAllLevelsSolvedText = "ALL LEVELS SOLVED!";
constexpr const char* kLevelNotLoadedLabel = "LEVEL ";  // "LEVEL 7 COULD NOT BE LOADED"
constexpr const char* kLevelNotLoadedTail = " COULD NOT BE LOADED";
constexpr const char* kProgressNotSavedText = "PROGRESS NOT SAVED!";
constexpr const char* kCannotReachText = "CANNOT GET THERE";

struct PixelPoint {
    int x;
    int y;
};

// The baseline of HUD line n: height - 24 (n + 1). Negative in a window too low.
int hudLineY(std::uint32_t height, int line);

// Whether a text fits the window's width in the large font; else the HUD draws it in the small one.
bool fitsLargeFont(const char* text, std::uint32_t width);

// "Best 42 moves, 12 pushes" for a level's kept solutions (the fewest moves with its pushes, then the
// fewest pushes with its moves where that is another solution: "Best 42 moves, 12 pushes; 50 moves, 9
// pushes"); empty when none is kept (fewestMoves 0).
std::string bestSolutionsText(int fewestMoves, int itsPushes, int fewestPushes, int itsMoves);

// "DEMO", centred horizontally with its glyphs standing on the middle row.
PixelPoint demoMarkPosition(std::uint32_t width, std::uint32_t height);

// "REPLAY" (while a kept solution is watched), the same way.
constexpr const char* kReplayMark = "REPLAY";
PixelPoint replayMarkPosition(std::uint32_t width, std::uint32_t height);

// The bottom of the "ALL LEVELS SOLVED!" (or "LEVEL N COULD NOT BE LOADED") line: its 32-pixel glyphs
// straddle the middle row.
int allLevelsSolvedY(std::uint32_t height);

// "Steps taken 12", "Level 3": the label and the value in decimal, no padding, and the tail if any. Written
// into a buffer the caller owns, so drawing a frame allocates nothing; cut short (still terminated) if it
// does not fit.
void formatHudLine(char* out, std::size_t size, const char* label, int value, const char* tail = "");

// The mini-map: one 10-pixel square per cell in the lower-left corner, row 0 of the level at the top.
PixelPoint miniMapCellOrigin(int column, int row, int extentY);
PixelPoint miniMapSize(int extentX, int extentY);  // width and height in pixels

// The icon slot a cell of the board shows: ICON_WALL, ICON_TARGET or ICON_EMPTY.
int miniMapIcon(Cell cellCode);

// The cell a box or the keeper is shown in: its matrix's x and z translation (elements 12 and 14),
// rounded.
PixelPoint miniMapMarkerCell(const Mat4& matrix);
