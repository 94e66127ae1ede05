#include "game/scene_pose.h"

#include <cmath>

bool isFacingBox(const Mat4& keeperMatrix, Vec3 keeperPosition, const Board& board) {
    Vec3 direction{keeperMatrix.m[8], keeperMatrix.m[9], keeperMatrix.m[10]};
    vecNormalize(direction);
    const Vec3 ahead = vecAdd(keeperPosition, direction);
    const float aheadX = std::floor(ahead.x);
    const float aheadZ = std::floor(ahead.z);
    for (const Box& box : board.boxes) {
        if (box.active == 0) continue;
        if (aheadX == std::floor(static_cast<float>(box.x) - box.offsetX) &&
            aheadZ == std::floor(static_cast<float>(box.y) - box.offsetZ)) {
            return true;
        }
    }
    return false;
}

void refreshBoxMatrix(Mat4& matrix, const Box& box, float height) {
    matrix.m[12] = static_cast<float>(box.x) - box.offsetX;
    matrix.m[13] = height;
    matrix.m[14] = static_cast<float>(box.y) - box.offsetZ;
}
