#pragma once

#include "math/vec.h"

// A ray from the eye into the picture: the points origin + t * direction for t >= 0. The direction is
// scaled so that t is the depth in front of the eye, which the near and far planes bound: only the stretch
// nearDepth <= t <= farDepth is drawn.
struct Ray {
    Vec3 origin;
    Vec3 direction;
    float nearDepth = 0.0f;
    float farDepth = 0.0f;
};
