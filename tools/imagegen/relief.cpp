#include "relief.h"

#include <algorithm>
#include <cmath>

void applyRelief(Canvas& albedo, const HeightField& heights, float strength, bool wrap) {
    // Light from the upper left and in front, normalised.
    const float lx = -0.45f;
    const float ly = -0.55f;
    const float lz = 0.70f;
    const float flat = lz;  // what a level surface receives
    const auto sample = [&](int x, int y) {
        if (wrap) return heights.wrapped(x, y);
        return heights.at(std::clamp(x, 0, heights.width - 1), std::clamp(y, 0, heights.height - 1));
    };
    for (int y = 0; y < albedo.height; ++y) {
        for (int x = 0; x < albedo.width; ++x) {
            const float dx = (sample(x + 1, y) - sample(x - 1, y)) * 0.5f * strength;
            const float dy = (sample(x, y + 1) - sample(x, y - 1)) * 0.5f * strength;
            // Normal of the surface z = h(x, y) with y pointing down the image.
            const float nx = -dx;
            const float ny = -dy;
            const float nz = 1.0f;
            const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
            const float light = std::max(0.0f, (nx * lx + ny * ly + nz * lz) / length);
            const float factor = 0.35f + 0.65f * light / flat;
            Colour& c = albedo.at(x, y);
            c.r *= factor;
            c.g *= factor;
            c.b *= factor;
        }
    }
}
