#include "shape_math.h"

#include <cmath>

Basis rotationX(float radians) {
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    return {{1, 0, 0}, {0, c, s}, {0, -s, c}};
}

Basis rotationY(float radians) {
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    return {{c, 0, -s}, {0, 1, 0}, {s, 0, c}};
}

Basis rotationZ(float radians) {
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    return {{c, s, 0}, {-s, c, 0}, {0, 0, 1}};
}

Frame frameAlong(Vec3 origin, Vec3 direction, Vec3 side) {
    const Vec3 y = normalised(direction);
    const Vec3 x = normalised(vecSub(side, vecScale(y, dot(side, y))));
    return {origin, {x, y, cross(x, y)}};
}
