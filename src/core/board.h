#pragma once

#include <cstdint>

#include "math/vec.h"

// The level in play: the static grid, the box list and the keeper. Single instances owned by the main
// program; rules are free functions over them.

constexpr int kBoardWidth = 32;   // columns (world x)
constexpr int kBoardHeight = 24;  // rows (world z); row 0 is the first row written in the level file
constexpr int kMaxBoxes = 32;

// The cell codes of Board::cells. Boxes and the keeper are never written into the grid.
enum class Cell : std::uint8_t { Floor = 0, Wall = 1, Goal = 2 };

// Box::active for a box of the current level; any non-zero value counts as one.
constexpr std::uint8_t kBoxActive = 0xFF;

struct Box {
    std::uint8_t active = 0;
    std::int32_t x = 0;    // column of the cell the box stands on
    std::int32_t y = 0;    // row of the cell the box stands on
    float offsetX = 0.0f;  // slide offset in cells; the box is drawn at x - offsetX
    float offsetZ = 0.0f;  // slide offset in cells; the box is drawn at y - offsetZ
};

struct Board {
    Cell cells[kBoardWidth][kBoardHeight] = {};  // indexed [x][y]
    Box boxes[kMaxBoxes] = {};                   // numbered in the order the loader met them
    std::uint8_t notFound = 0;                   // 1 when the last load did not find the requested level
    std::uint8_t pastLastLevel = 0;              // 1 when that was because the set holds fewer levels
};

struct Player {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t steps = 0;  // successful moves in this attempt at the level
    float offsetX = 0.0f;
    float offsetZ = 0.0f;
    const char* setName = "";  // level set, e.g. "Classic"; a name that lasts the whole run
    std::int32_t level = 0;    // counted from 1
    std::int32_t facing = 0;   // degrees about the vertical axis: 0, 90, 180 or 270
};

// World layout: column x is world x, row y is world z, y points up, one cell is 1.0, the floor is y = 0.
constexpr float kKeeperHeight = 1.027f;  // world y of the keeper model's origin; its feet stand on y = 0
// A crate is 0.86 cells wide, deep and high, standing on its drawn position; a wall block fills its cell
// from the floor to y = 1.
constexpr float kCrateHalfSize = 0.43f;

// Where a gliding object is drawn: its cell minus its slide offsets, at a height. The picture, the mini-map
// and the sounds that follow the boxes and the keeper all place them here.
inline Vec3 drawnPosition(std::int32_t x, std::int32_t y, float offsetX, float offsetZ, float height) {
    return Vec3{static_cast<float>(x) - offsetX, height, static_cast<float>(y) - offsetZ};
}
inline Vec3 drawnPosition(const Box& box, float height) {
    return drawnPosition(box.x, box.y, box.offsetX, box.offsetZ, height);
}
inline Vec3 drawnPosition(const Player& player, float height) {
    return drawnPosition(player.x, player.y, player.offsetX, player.offsetZ, height);
}

inline bool isInsideGrid(int x, int y) {
    return x >= 0 && x < kBoardWidth && y >= 0 && y < kBoardHeight;
}

// True when every active box stands on a goal. Goals without a box play no part, and a board without
// active boxes counts as solved.
bool isSolved(const Board& board);
