#pragma once

#include <optional>

#include "layout/window_settings.h"
#include "math/ray.h"

// The ray through the cursor, as the 3D picture is projected: the window's perspective (field of view,
// aspect, near and far planes) over the viewport (0, 0, width, height), and the view from `eye` towards
// `lookAt` with y up. The cursor is in window pixels from the top-left corner, as the windowing layer
// reports it. Nothing when the cursor lies outside the window or the window has no area.
std::optional<Ray> cursorRay(const WindowSettings& window, Vec3 eye, Vec3 lookAt, double cursorX,
                             double cursorY);
