#include "core/moves.h"

#include <cmath>

namespace {

void settleOffset(float& offset) {
    if (offset != 0.0f) offset -= offset > 0.0f ? 0.1f : -0.1f;
    if (std::fabs(offset) < 0.1f) offset = 0.0f;
}

}  // namespace

CellStep directionStep(Direction direction) {
    switch (direction) {
        case Direction::Up:
            return {0, -1};
        case Direction::Down:
            return {0, 1};
        case Direction::Left:
            return {-1, 0};
        case Direction::Right:
            return {1, 0};
    }
    return {};
}

int directionFacing(Direction direction) {
    switch (direction) {
        case Direction::Up:
            return 180;
        case Direction::Down:
            return 0;
        case Direction::Left:
            return 270;
        case Direction::Right:
            return 90;
    }
    return 0;
}

bool isWall(const Board& board, int x, int y) {
    return !isInsideGrid(x, y) || board.cells[x][y] == Cell::Wall;
}

int findBox(const Board& board, int x, int y) {
    for (int i = 0; i < kMaxBoxes; ++i) {
        const Box& box = board.boxes[i];
        if (box.active != 0 && box.x == x && box.y == y) return i;
    }
    return -1;
}

MoveResult tryMove(Board& board, Player& player, Direction direction) {
    MoveResult result;
    if (isPlayerGliding(player)) return result;

    const CellStep step = directionStep(direction);
    player.offsetX = static_cast<float>(step.dx);
    player.offsetZ = static_cast<float>(step.dy);

    const int targetX = player.x + step.dx;
    const int targetY = player.y + step.dy;
    if (isWall(board, targetX, targetY)) {
        player.offsetX = player.offsetZ = 0.0f;
        return result;
    }
    const int boxIndex = findBox(board, targetX, targetY);
    if (boxIndex >= 0) {
        const int beyondX = targetX + step.dx;
        const int beyondY = targetY + step.dy;
        if (isWall(board, beyondX, beyondY) || findBox(board, beyondX, beyondY) >= 0) {
            player.offsetX = player.offsetZ = 0.0f;
            return result;
        }
        Box& box = board.boxes[boxIndex];
        box.x = beyondX;
        box.y = beyondY;
        box.offsetX = player.offsetX;
        box.offsetZ = player.offsetZ;
        result.pushedBox = boxIndex;
    }
    player.x = targetX;
    player.y = targetY;
    player.steps += 1;
    result.moved = true;
    return result;
}

bool isPlayerGliding(const Player& player) {
    return player.offsetX != 0.0f || player.offsetZ != 0.0f;
}

void settlePlayer(Player& player) {
    settleOffset(player.offsetX);
    settleOffset(player.offsetZ);
}

void settleBoxes(Board& board) {
    for (Box& box : board.boxes) {
        if (box.active == 0) continue;
        settleOffset(box.offsetX);
        settleOffset(box.offsetZ);
    }
}

bool isBoxGliding(const Box& box) {
    return box.offsetX != 0.0f || box.offsetZ != 0.0f;
}

bool isAnyBoxGliding(const Board& board) {
    for (const Box& box : board.boxes) {
        if (box.active != 0 && isBoxGliding(box)) return true;
    }
    return false;
}

const Box* lastGlidingBox(const Board& board) {
    for (int i = kMaxBoxes - 1; i >= 0; --i) {
        const Box& box = board.boxes[i];
        if (box.active != 0 && isBoxGliding(box)) return &box;
    }
    return nullptr;
}
