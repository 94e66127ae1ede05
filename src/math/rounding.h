#pragma once

#include <algorithm>
#include <cmath>

// Nearest integer, halves to the even one (0.5 -> 0, 1.5 -> 2, -0.5 -> 0): how the keeper's animation
// phase picks its frame and the mini-map places a sliding box. Values far outside the board are clamped
// first, so that no float gives an undefined conversion; NaN becomes 0.
inline int roundHalfToEven(float value) {
    constexpr float kLimit = 1.0e6f;
    if (!(value == value)) return 0;
    // The default rounding mode is to nearest, ties to even; nothing in the program changes it.
    return static_cast<int>(std::nearbyint(std::clamp(value, -kLimit, kLimit)));
}
