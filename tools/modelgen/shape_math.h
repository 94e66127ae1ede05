#pragma once

#include "math/vec.h"

// Orientation and placement of the parts the generator assembles. A Basis holds where a part's local x, y
// and z axes point; a Frame adds where its origin sits. Angles in radians.

inline float dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline Vec3 normalised(Vec3 a) {
    vecNormalize(a);
    return a;
}

struct Basis {
    Vec3 x{1, 0, 0};
    Vec3 y{0, 1, 0};
    Vec3 z{0, 0, 1};
};

inline Vec3 apply(const Basis& basis, Vec3 local) {
    return vecAdd(vecAdd(vecScale(basis.x, local.x), vecScale(basis.y, local.y)), vecScale(basis.z, local.z));
}

// outer applied to each axis of inner: inner's turn first, then outer's.
inline Basis compose(const Basis& outer, const Basis& inner) {
    return {apply(outer, inner.x), apply(outer, inner.y), apply(outer, inner.z)};
}

// Right-handed turns about the axes: a positive turn about x carries +y towards +z.
Basis rotationX(float radians);
Basis rotationY(float radians);
Basis rotationZ(float radians);

struct Frame {
    Vec3 origin;
    Basis basis;

    Vec3 toWorld(Vec3 local) const { return vecAdd(origin, apply(basis, local)); }
};

// A frame at origin whose y axis runs along direction, with x as close to side as it can be.
Frame frameAlong(Vec3 origin, Vec3 direction, Vec3 side);
