#include "game/cell_picking.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Narrows [enter, leave] to the depths at which the ray lies between two planes across one axis; false
// once the interval is empty.
bool clipToSlab(float origin, float direction, float low, float high, float& enter, float& leave) {
    if (direction == 0.0f) return origin >= low && origin <= high;
    float first = (low - origin) / direction;
    float second = (high - origin) / direction;
    if (first > second) std::swap(first, second);
    enter = std::max(enter, first);
    leave = std::min(leave, second);
    return enter <= leave;
}

// The depth at which the ray enters the box [low, high] within the drawn stretch; false when it misses.
bool entersBox(const Ray& ray, Vec3 low, Vec3 high, float& depth) {
    float enter = ray.nearDepth;
    float leave = ray.farDepth;
    if (!clipToSlab(ray.origin.x, ray.direction.x, low.x, high.x, enter, leave)) return false;
    if (!clipToSlab(ray.origin.y, ray.direction.y, low.y, high.y, enter, leave)) return false;
    if (!clipToSlab(ray.origin.z, ray.direction.z, low.z, high.z, enter, leave)) return false;
    depth = enter;
    return true;
}

// The nearest hit so far.
struct Nearest {
    bool found = false;
    float depth = 0.0f;
    PickedCell cell;

    void offer(float candidateDepth, int x, int y, PickedObject object, int boxIndex) {
        if (found && candidateDepth >= depth) return;
        found = true;
        depth = candidateDepth;
        cell.x = x;
        cell.y = y;
        cell.object = object;
        cell.boxIndex = boxIndex;
    }
};

void offerWalls(const Ray& ray, const Board& board, Nearest& nearest) {
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) {
            if (board.cells[x][y] != Cell::Wall) continue;
            const float cx = static_cast<float>(x);
            const float cz = static_cast<float>(y);
            float depth = 0.0f;
            if (entersBox(ray, {cx - 0.5f, 0.0f, cz - 0.5f}, {cx + 0.5f, 1.0f, cz + 0.5f}, depth))
                nearest.offer(depth, x, y, PickedObject::Wall, -1);
        }
    }
}

// Every crate model is square in plan, so the quarter turn some are drawn with changes nothing here.
void offerCrates(const Ray& ray, const SceneState& scene, const Board& board, Nearest& nearest) {
    for (int i = 0; i < kMaxBoxes; ++i) {
        const Box& box = board.boxes[i];
        if (box.active == 0) continue;
        const float* m = scene.boxMatrices[i].m;
        const Vec3 low{m[12] - kCrateHalfSize, m[13], m[14] - kCrateHalfSize};
        const Vec3 high{m[12] + kCrateHalfSize, m[13] + 2.0f * kCrateHalfSize, m[14] + kCrateHalfSize};
        float depth = 0.0f;
        if (entersBox(ray, low, high, depth)) nearest.offer(depth, box.x, box.y, PickedObject::Crate, i);
    }
}

// The floor tiles cover the cells of the drawn area, each reaching half a cell round its centre.
void offerFloor(const Ray& ray, const SceneState& scene, const Board& board, Nearest& nearest) {
    if (!(ray.direction.y < 0.0f)) return;
    const float depth = -ray.origin.y / ray.direction.y;
    if (depth < ray.nearDepth || depth > ray.farDepth) return;
    const float px = ray.origin.x + depth * ray.direction.x;
    const float pz = ray.origin.z + depth * ray.direction.z;
    if (!(px >= -0.5f && px < static_cast<float>(scene.extentX) + 0.5f && pz >= -0.5f &&
          pz < static_cast<float>(scene.extentY) + 0.5f)) {
        return;
    }
    const int x = std::min(static_cast<int>(std::floor(px + 0.5f)), scene.extentX);
    const int y = std::min(static_cast<int>(std::floor(pz + 0.5f)), scene.extentY);
    if (!isInsideGrid(x, y)) return;
    const PickedObject object = board.cells[x][y] == Cell::Wall ? PickedObject::Wall : PickedObject::Floor;
    nearest.offer(depth, x, y, object, -1);
}

}  // namespace

std::optional<PickedCell> pickCell(const Ray& ray, const SceneState& scene, const Board& board) {
    Nearest nearest;
    offerWalls(ray, board, nearest);
    offerCrates(ray, scene, board, nearest);
    offerFloor(ray, scene, board, nearest);
    if (!nearest.found) return std::nullopt;
    nearest.cell.point = vecAdd(ray.origin, vecScale(ray.direction, nearest.depth));
    return nearest.cell;
}
