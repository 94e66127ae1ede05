#include "layout/cursor_ray.h"

#include <cmath>

std::optional<Ray> cursorRay(const WindowSettings& window, Vec3 eye, Vec3 lookAt, double cursorX,
                             double cursorY) {
    const double width = window.width;
    const double height = window.height;
    if (!(cursorX >= 0.0 && cursorX < width && cursorY >= 0.0 && cursorY < height)) return std::nullopt;
    // -1 to 1 across the viewport, y up: the cursor's rows count down from the top, the picture's up.
    const double acrossX = 2.0 * cursorX / width - 1.0;
    const double acrossY = 1.0 - 2.0 * cursorY / height;
    // Half the view's height at depth 1, as the perspective's cotangent sets it.
    const double halfHeight = std::tan(window.fieldOfView * kRadiansPerDegree / 2.0);
    const float right = static_cast<float>(acrossX * halfHeight * window.aspect);
    const float up = static_cast<float>(acrossY * halfHeight);

    // The eye's frame as the look-at view builds it: forward, side = forward x up, and the true up.
    Vec3 forward = vecSub(lookAt, eye);
    vecNormalize(forward);
    Vec3 side = vecCross(forward, {0.0f, 1.0f, 0.0f});
    vecNormalize(side);
    const Vec3 trueUp = vecCross(side, forward);

    Ray ray;
    ray.origin = eye;
    ray.direction = vecAdd(forward, vecAdd(vecScale(side, right), vecScale(trueUp, up)));
    ray.nearDepth = window.nearPlane;
    ray.farDepth = window.farPlane;
    return ray;
}
