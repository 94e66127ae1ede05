#pragma once

// Single-precision vectors shared by the renderer, the shadows and the camera. World units: one board cell
// is 1.0, the board lies in the x-z plane (column = x, row = z) and y points up.

// Angles are in degrees, as the fixed-function calls take them.
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// A homogeneous point (the light, w = 1) or a plane (a, b, c, d) of a model face.
struct Vec4 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;
};

Vec3 vecAdd(Vec3 a, Vec3 b);
Vec3 vecSub(Vec3 a, Vec3 b);
// b.w takes no part: the light's homogeneous w is not a coordinate here.
Vec3 vecSubPoint4(Vec3 a, Vec4 b);
Vec3 vecScale(Vec3 a, float s);
// No guard against s == 0: callers divide by 16, 64 or a vecLength result, which is never 0.
Vec3 vecDivide(Vec3 a, float s);
// 1.0 instead of 0 for the zero vector, so that normalising it is a harmless division.
float vecLength(Vec3 a);
void vecNormalize(Vec3& a);
float vecDot(Vec3 a, Vec3 b);
Vec3 vecCross(Vec3 a, Vec3 b);

// Plane test value: positive means p lies in front of plane q (or q in front of p; the sum is symmetric).
float dot4(Vec4 p, Vec4 q);
// Squares summed in double precision, the root rounded to float; a.w takes no part.
float distanceToLight(Vec4 a, Vec3 b);
