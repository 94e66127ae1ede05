#pragma once

#include <array>
#include <cmath>
#include <optional>

#include "game/scene_state.h"
#include "layout/window_settings.h"

// Where a world point lands in the window, written out forwards (the look-at frame, then the perspective
// divide, in double precision), so that tests of pointing check the game's backwards ray against an
// independent sum.

namespace testing_support {

struct CursorPosition {
    double x;
    double y;
};

// The world point's place in the window, in pixels from the top-left corner: the look-at frame, then
// the perspective divide, in double precision. Nothing for a point not in front of the eye.
inline std::optional<CursorPosition> projectToCursor(const WindowSettings& window, const SceneState& scene,
                                                     Vec3 p) {
    const auto minus = [](Vec3 a, Vec3 b) {
        return std::array<double, 3>{double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z};
    };
    const auto dot = [](const std::array<double, 3>& a, const std::array<double, 3>& b) {
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    };
    const auto unit = [&dot](std::array<double, 3> a) {
        const double length = std::sqrt(dot(a, a));
        return std::array<double, 3>{a[0] / length, a[1] / length, a[2] / length};
    };
    const std::array<double, 3> forward = unit(minus(scene.lookAt, scene.eye));
    const std::array<double, 3> side = unit({-forward[2], 0.0, forward[0]});  // forward x (0, 1, 0)
    const std::array<double, 3> up{side[1] * forward[2] - side[2] * forward[1],
                                   side[2] * forward[0] - side[0] * forward[2],
                                   side[0] * forward[1] - side[1] * forward[0]};
    const std::array<double, 3> d = minus(p, scene.eye);
    const double depth = dot(d, forward);
    if (depth <= 0.0) return std::nullopt;
    const double focal = 1.0 / std::tan(window.fieldOfView * kRadiansPerDegree / 2.0);
    const double acrossX = focal / window.aspect * dot(d, side) / depth;
    const double acrossY = focal * dot(d, up) / depth;
    return CursorPosition{(acrossX + 1.0) / 2.0 * window.width, (1.0 - acrossY) / 2.0 * window.height};
}

}  // namespace testing_support
