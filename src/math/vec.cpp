#include "math/vec.h"

#include <cmath>

Vec3 vecAdd(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

Vec3 vecSub(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3 vecSubPoint4(Vec3 a, Vec4 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3 vecScale(Vec3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}

Vec3 vecDivide(Vec3 a, float s) {
    return {a.x / s, a.y / s, a.z / s};
}

float vecLength(Vec3 a) {
    const float length = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return length == 0.0f ? 1.0f : length;
}

void vecNormalize(Vec3& a) {
    a = vecDivide(a, vecLength(a));
}

float vecDot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 vecCross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float dot4(Vec4 p, Vec4 q) {
    return p.x * q.x + p.y * q.y + p.z * q.z + p.w * q.w;
}

float distanceToLight(Vec4 a, Vec3 b) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    const double dz = static_cast<double>(b.z) - a.z;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}
