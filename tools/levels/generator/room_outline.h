#pragma once

#include <cstdint>
#include <vector>

#include "levels/generator/random.h"

// The outline of a room before any wall piece goes inside it: one of several families (plain and cut
// rectangles, two overlapping rectangles, U shapes, rings round a block, crosses, two rooms with a door,
// staircase edges, staggered blocks, notched walls), drawn at random in one of its eight turns and mirror
// images. The families exist because the set takes no two levels whose floors cover each other mostly:
// rectangles alone give too few floors that differ.

struct RoomOutline {
    int width = 0, height = 0;       // cells of the box around the outline
    std::vector<std::uint8_t> open;  // width * height, row by row: 1 where the floor is
    int wallPercent = 0;             // wall pieces to drop inside, as a share of the floor

    bool isOpen(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height && open[y * width + x] != 0;
    }
    int openCount() const;
};

// An outline that leaves about floorWanted floor cells once its wall pieces are in, for rooms that take
// wallPercent of their floor in pieces; outlines with arms or holes of their own take fewer. Sides of at
// most mostSide cells.
RoomOutline drawOutline(Random& random, double floorWanted, int wallPercent, int mostSide);
