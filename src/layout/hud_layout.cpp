#include "layout/hud_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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

PixelPoint demoMarkPosition(std::uint32_t width, std::uint32_t height) {
    return PixelPoint{halfOf(width) - kDemoMarkHalfWidth, halfOf(height)};
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
