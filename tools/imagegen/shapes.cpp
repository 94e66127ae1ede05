#include "shapes.h"

#include <algorithm>
#include <cmath>

float roundedBoxDistance(float px, float py, float hx, float hy, float radius) {
    const float qx = std::fabs(px) - (hx - radius);
    const float qy = std::fabs(py) - (hy - radius);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    const float inside = std::min(std::max(qx, qy), 0.0f);
    return outside + inside - radius;
}

float circleDistance(float px, float py, float radius) {
    return std::hypot(px, py) - radius;
}

float segmentDistance(float px, float py, float ax, float ay, float bx, float by, float halfWidth) {
    const float abx = bx - ax;
    const float aby = by - ay;
    const float lengthSquared = abx * abx + aby * aby;
    float t = lengthSquared > 0.0f ? ((px - ax) * abx + (py - ay) * aby) / lengthSquared : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(px - (ax + t * abx), py - (ay + t * aby)) - halfWidth;
}

float insideCoverage(float distance) {
    return std::clamp(0.5f - distance, 0.0f, 1.0f);
}
