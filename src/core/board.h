#pragma once

#include <cstdint>
#include <string>

// The level in play: the static grid, the box list and the keeper. Single instances owned by the main
// program; rules are free functions over them.

constexpr int kBoardWidth = 32;   // columns (world x)
constexpr int kBoardHeight = 24;  // rows (world z); row 0 is the first row written in the level file
constexpr int kMaxBoxes = 32;

// Cell codes of Board::cells. Boxes and the keeper are never written into the grid.
constexpr std::uint8_t CELL_FLOOR = 0;
constexpr std::uint8_t CELL_WALL = 1;
constexpr std::uint8_t CELL_GOAL = 2;

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
    std::uint8_t cells[kBoardWidth][kBoardHeight] = {};  // indexed [x][y]
    Box boxes[kMaxBoxes] = {};                           // numbered in the order the loader met them
    std::uint8_t notFound = 0;  // 1 when the last load did not find the requested level
};

struct Player {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t steps = 0;  // successful moves in this attempt at the level
    float offsetX = 0.0f;
    float offsetZ = 0.0f;
    std::string setName;      // level set, e.g. "Classic"
    std::int32_t level = 0;   // counted from 1
    std::int32_t facing = 0;  // degrees about the vertical axis: 0, 90, 180 or 270
};

inline bool isInsideGrid(int x, int y) {
    return x >= 0 && x < kBoardWidth && y >= 0 && y < kBoardHeight;
}

// True when every active box stands on a goal. Goals without a box play no part, and a board without
// active boxes counts as solved.
bool isSolved(const Board& board);
