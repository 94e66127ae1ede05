#include "core/board.h"

bool isSolved(const Board& board) {
    for (const Box& box : board.boxes) {
        if (box.active == 0) continue;
        if (!isInsideGrid(box.x, box.y) || board.cells[box.x][box.y] != Cell::Goal) return false;
    }
    return true;
}
