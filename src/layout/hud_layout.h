#pragma once

#include <cstddef>
#include <cstdint>

#include "core/board.h"
#include "math/mat4.h"
#include "math/rounding.h"

// Where the HUD puts things, in window pixels with the origin at the lower-left corner, and the logo's
// fade rule. No GL here: the HUD draws at these positions, and the tests check them without a context.

constexpr int kHudLineCount = 3;        // profile name, steps, level
constexpr int kHudLineSpacing = 24;     // pixels: the lines stand 24, 48 and 72 below the top edge
constexpr int kDemoMarkHalfWidth = 64;  // "DEMO": four 32-pixel glyphs
constexpr int kMapCellPixels = 10;
constexpr float kMapOpacity = 0.6f;
constexpr float kFogOpacity = 0.3f;
constexpr float kFogTextureSpan = 0.25f;  // of the fog image across the window, in each direction
constexpr const char* kAllLevelsSolvedText = "ALL LEVELS SOLVED!";
constexpr const char* kLevelNotLoadedLabel = "LEVEL ";  // "LEVEL 7 COULD NOT BE LOADED"
constexpr const char* kLevelNotLoadedTail = " COULD NOT BE LOADED";
constexpr const char* kProgressNotSavedText = "PROGRESS NOT SAVED!";
constexpr int kProgressNotSavedLine = 3;  // under the three HUD lines

struct PixelPoint {
    int x;
    int y;
};

// The baseline of HUD line 0, 1 or 2: height - 24, height - 48, height - 72. Negative in a window too low.
int hudLineY(std::uint32_t height, int line);

// "DEMO", centred horizontally with its glyphs standing on the middle row.
PixelPoint demoMarkPosition(std::uint32_t width, std::uint32_t height);

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
