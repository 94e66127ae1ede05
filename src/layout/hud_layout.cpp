#include "layout/hud_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/board.h"
#include "formats/asset_files.h"

namespace {

// Half of a window side, rounded down; the sides are unsigned, the positions signed.
int halfOf(std::uint32_t side) {
    return static_cast<int>(side / 2);
}

}  // namespace

int hudLineY(std::uint32_t height, int line) {
    return static_cast<int>(height) - kHudLineSpacing * (line + 1);
}

bool fitsLargeFont(const char* text, std::uint32_t width) {
    return std::strlen(text) * 32 <= width;
}

std::string bestSolutionsText(int fewestMoves, int itsPushes, int fewestPushes, int itsMoves) {
    if (fewestMoves <= 0) return std::string();
    char text[96];
    if (fewestPushes == itsPushes && itsMoves == fewestMoves) {
        std::snprintf(text, sizeof text, "Best %d moves, %d pushes", fewestMoves, itsPushes);
    } else {
        std::snprintf(text, sizeof text, "Best %d moves, %d pushes; %d moves, %d pushes", fewestMoves,
                      itsPushes, itsMoves, fewestPushes);
    }
    return text;
}

PixelPoint demoMarkPosition(std::uint32_t width, std::uint32_t height) {
    return PixelPoint{halfOf(width) - kDemoMarkHalfWidth, halfOf(height)};
}

PixelPoint replayMarkPosition(std::uint32_t width, std::uint32_t height) {
    const int halfWidth = static_cast<int>(std::strlen(kReplayMark)) * 16;
    return PixelPoint{halfOf(width) - halfWidth, halfOf(height)};
}

int allLevelsSolvedY(std::uint32_t height) {
    return halfOf(height) - 16;
}

void formatHudLine(char* out, std::size_t size, const char* label, int value, const char* tail) {
    if (size == 0) return;
    std::snprintf(out, size, "%s%d%s", label, value, tail);
}

PixelPoint miniMapCellOrigin(int column, int row, int extentY) {
    return PixelPoint{kMapCellPixels * column, kMapCellPixels * (extentY - row)};
}

PixelPoint miniMapSize(int extentX, int extentY) {
    return PixelPoint{kMapCellPixels * (extentX + 1), kMapCellPixels * (extentY + 1)};
}

int miniMapIcon(Cell cellCode) {
    if (cellCode == Cell::Wall) return ICON_WALL;
    if (cellCode == Cell::Goal) return ICON_TARGET;
    return ICON_EMPTY;
}

PixelPoint miniMapMarkerCell(const Mat4& matrix) {
    return PixelPoint{roundHalfToEven(matrix.m[12]), roundHalfToEven(matrix.m[14])};
}
