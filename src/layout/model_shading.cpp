#include "layout/model_shading.h"

namespace {
constexpr float kLampReach = 6.2831855f;  // 2 pi as a float: the distance at which the lamp's light is gone
constexpr float kFloorTextureCells = 8.0f;
}  // namespace

float lampGreyLevel(Vec4 light, Vec3 position, Vec3 offset) {
    return 1.0f - distanceToLight(light, vecAdd(position, offset)) / kLampReach;
}

Vec3 cellPosition(int column, int row, Vec3 position) {
    return {static_cast<float>(column) + position.x, position.y, static_cast<float>(row) + position.z};
}

PlanarCoord planarTexCoord(int column, int row, Vec3 position) {
    return {(static_cast<float>(column) + position.x) / kFloorTextureCells,
            (static_cast<float>(row) + position.z) / kFloorTextureCells};
}
