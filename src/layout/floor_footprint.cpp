#include "layout/floor_footprint.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMarginPixels = 2;
constexpr int kCandidateRows = 24;
constexpr double kMinimumW = 1e-3;  // clip-space w below this: the point is at or behind the eye

struct Point2 {
    double x;
    double y;
};

bool projectToWindow(const Mat4& mvp, Vec3 p, int width, int height, Point2& out) {
    const float* m = mvp.m;
    const double cx = double(m[0]) * p.x + double(m[4]) * p.y + double(m[8]) * p.z + m[12];
    const double cy = double(m[1]) * p.x + double(m[5]) * p.y + double(m[9]) * p.z + m[13];
    const double cw = double(m[3]) * p.x + double(m[7]) * p.y + double(m[11]) * p.z + m[15];
    if (cw < kMinimumW) return false;
    out.x = (cx / cw + 1.0) * 0.5 * width;
    out.y = (cy / cw + 1.0) * 0.5 * height;
    return true;
}

// The polygon's horizontal extent at height y; false when the line misses it.
bool sectionAt(const Point2 (&quad)[4], double y, double& left, double& right) {
    left = 1e300;
    right = -1e300;
    for (int i = 0; i < 4; ++i) {
        const Point2& a = quad[i];
        const Point2& b = quad[(i + 1) % 4];
        if ((a.y - y) * (b.y - y) > 0.0) continue;
        if (a.y == b.y) {
            left = std::min({left, a.x, b.x});
            right = std::max({right, a.x, b.x});
            continue;
        }
        const double t = (y - a.y) / (b.y - a.y);
        const double x = a.x + t * (b.x - a.x);
        left = std::min(left, x);
        right = std::max(right, x);
    }
    return left <= right;
}

int clampToInt(double value, int low, int high) {
    if (value < low) return low;
    if (value > high) return high;
    return static_cast<int>(value);
}

// The screen box of caster points and their shadows on the plane y = -kHiddenDepth cast from the light.
struct ScreenBox {
    double left = 1e300;
    double right = -1e300;
    double low = 1e300;
    double high = -1e300;

    bool add(const Mat4& mvp, int width, int height, Vec3 p) {
        Point2 s;
        if (!projectToWindow(mvp, p, width, height, s)) return false;
        left = std::min(left, s.x);
        right = std::max(right, s.x);
        low = std::min(low, s.y);
        high = std::max(high, s.y);
        return true;
    }

    bool addWithShadow(const Mat4& mvp, int width, int height, Vec3 p, Vec4 light) {
        const float plane = -kHiddenDepth;
        const float t = (light.y - plane) / (light.y - p.y);  // from the light through p down to the plane
        const Vec3 shadow{light.x + (p.x - light.x) * t, plane, light.z + (p.z - light.z) * t};
        return add(mvp, width, height, p) && add(mvp, width, height, shadow);
    }

    PixelRect pixels(int width, int height) const {
        return {clampToInt(std::floor(left) - kMarginPixels, 0, width),
                clampToInt(std::floor(low) - kMarginPixels, 0, height),
                clampToInt(std::ceil(right) + kMarginPixels + 1, 0, width),
                clampToInt(std::ceil(high) + kMarginPixels + 1, 0, height)};
    }
};

}  // namespace

PixelRect intersect(const PixelRect& a, const PixelRect& b) {
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

PixelRect hiddenFloorRect(const Mat4& modelView, const Mat4& projection, int viewportWidth,
                          int viewportHeight, float minX, float maxX, float minZ, float maxZ) {
    const Mat4 mvp = matMultiply(projection, modelView);
    Point2 quad[4];
    const Vec3 corners[4] = {{minX, 0.0f, minZ}, {maxX, 0.0f, minZ}, {maxX, 0.0f, maxZ}, {minX, 0.0f, maxZ}};
    for (int i = 0; i < 4; ++i) {
        if (!projectToWindow(mvp, corners[i], viewportWidth, viewportHeight, quad[i])) return {};
    }
    double bottom = quad[0].y;
    double top = quad[0].y;
    for (const Point2& p : quad) {
        bottom = std::min(bottom, p.y);
        top = std::max(top, p.y);
    }
    // A convex outline contains, between two heights, the overlap of its sections at those heights.
    PixelRect best;
    long long bestArea = 0;
    for (int i = 0; i <= kCandidateRows; ++i) {
        for (int j = i + 1; j <= kCandidateRows; ++j) {
            const double y0 = bottom + (top - bottom) * i / kCandidateRows;
            const double y1 = bottom + (top - bottom) * j / kCandidateRows;
            double left0, right0, left1, right1;
            if (!sectionAt(quad, y0, left0, right0) || !sectionAt(quad, y1, left1, right1)) continue;
            PixelRect rect;
            rect.x0 = clampToInt(std::ceil(std::max(left0, left1)) + kMarginPixels, 0, viewportWidth);
            rect.x1 = clampToInt(std::floor(std::min(right0, right1)) - kMarginPixels, 0, viewportWidth);
            rect.y0 = clampToInt(std::ceil(y0) + kMarginPixels, 0, viewportHeight);
            rect.y1 = clampToInt(std::floor(y1) - kMarginPixels, 0, viewportHeight);
            if (rect.empty()) continue;
            const long long area = static_cast<long long>(rect.x1 - rect.x0) * (rect.y1 - rect.y0);
            if (area > bestArea) {
                bestArea = area;
                best = rect;
            }
        }
    }
    return best;
}

int bandsAround(const PixelRect& inside, int viewportWidth, int viewportHeight, PixelRect bands[4]) {
    int count = 0;
    const PixelRect candidates[4] = {
        {0, 0, viewportWidth, inside.y0},                  // below
        {0, inside.y1, viewportWidth, viewportHeight},     // above
        {0, inside.y0, inside.x0, inside.y1},              // left
        {inside.x1, inside.y0, viewportWidth, inside.y1},  // right
    };
    for (const PixelRect& band : candidates) {
        if (!band.empty()) bands[count++] = band;
    }
    return count;
}

ScreenBound aboveFloorVolumeRect(const Mat4& modelViewProjection, int viewportWidth, int viewportHeight,
                                 const Box3& box, Vec4 light, PixelRect& rect) {
    rect = {};
    const float plane = -kHiddenDepth;
    if (box.max.y < plane) return ScreenBound::Known;  // sunk below the floor: nothing of it can show
    if (!(light.y > box.max.y) || light.w != 1.0f) return ScreenBound::Unknown;
    // Away from a light above it, every volume point descends from its caster point towards that point's
    // shadow on the plane: the part above the plane lies in the hull of the caster's box (cut at the plane)
    // and the shadows of the cut box's corners.
    const float bottom = std::max(box.min.y, plane);
    ScreenBox screen;
    for (int corner = 0; corner < 8; ++corner) {
        const Vec3 p{(corner & 1) ? box.max.x : box.min.x, (corner & 2) ? box.max.y : bottom,
                     (corner & 4) ? box.max.z : box.min.z};
        if (!screen.addWithShadow(modelViewProjection, viewportWidth, viewportHeight, p, light)) {
            return ScreenBound::Unknown;
        }
    }
    rect = screen.pixels(viewportWidth, viewportHeight);
    return ScreenBound::Known;
}

ScreenBound boxScreenRect(const Mat4& modelViewProjection, int viewportWidth, int viewportHeight,
                          const Box3& box, PixelRect& rect) {
    rect = {};
    ScreenBox screen;
    for (int corner = 0; corner < 8; ++corner) {
        const Vec3 p{(corner & 1) ? box.max.x : box.min.x, (corner & 2) ? box.max.y : box.min.y,
                     (corner & 4) ? box.max.z : box.min.z};
        if (!screen.add(modelViewProjection, viewportWidth, viewportHeight, p)) return ScreenBound::Unknown;
    }
    rect = screen.pixels(viewportWidth, viewportHeight);
    return ScreenBound::Known;
}

Box3 unite(const Box3& a, const Box3& b) {
    return {{std::min(a.min.x, b.min.x), std::min(a.min.y, b.min.y), std::min(a.min.z, b.min.z)},
            {std::max(a.max.x, b.max.x), std::max(a.max.y, b.max.y), std::max(a.max.z, b.max.z)}};
}

int sidesAboveFloorFirst(ShadowQuad* first, ShadowQuad* last, const Mat4& matrix) {
    const auto above = [&matrix](const ShadowQuad& side) {
        return transformPoint(matrix, {side.a.x, side.a.y, side.a.z, 1.0f}).y > 0.0f ||
               transformPoint(matrix, {side.b.x, side.b.y, side.b.z, 1.0f}).y > 0.0f;
    };
    return static_cast<int>(std::stable_partition(first, last, above) - first);
}

Box3 modelBounds(const Vec3* positions, int count) {
    Box3 box{{1e30f, 1e30f, 1e30f}, {-1e30f, -1e30f, -1e30f}};
    for (int i = 0; i < count; ++i) {
        const Vec3& p = positions[i];
        box.min = {std::min(box.min.x, p.x), std::min(box.min.y, p.y), std::min(box.min.z, p.z)};
        box.max = {std::max(box.max.x, p.x), std::max(box.max.y, p.y), std::max(box.max.z, p.z)};
    }
    return box;
}

Box3 placedBounds(const Box3& modelBox, const Mat4& matrix) {
    Box3 box{{1e30f, 1e30f, 1e30f}, {-1e30f, -1e30f, -1e30f}};
    for (int corner = 0; corner < 8; ++corner) {
        const Vec4 p{(corner & 1) ? modelBox.max.x : modelBox.min.x,
                     (corner & 2) ? modelBox.max.y : modelBox.min.y,
                     (corner & 4) ? modelBox.max.z : modelBox.min.z, 1.0f};
        const Vec4 q = transformPoint(matrix, p);
        box.min = {std::min(box.min.x, q.x), std::min(box.min.y, q.y), std::min(box.min.z, q.z)};
        box.max = {std::max(box.max.x, q.x), std::max(box.max.y, q.y), std::max(box.max.z, q.z)};
    }
    return box;
}
