// Images drawn flat over the scene: the drifting fog and the mini-map icons.

#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "image_makers.h"
#include "shapes.h"

Image makeFogTexture() {
    // The game stretches a quarter of this image over the window and drifts it diagonally, wrapping round;
    // the cloud banks are sized so that a quarter holds one or two of them.
    constexpr int kSize = 512;
    Canvas canvas(kSize, kSize);
    forEachPixel(kSize, kSize, [&](int x, int y, float u, float v) {
        // Warping the lookup by two more noise fields curls the banks into billows; the offsets
        // tile, so the image still wraps seamlessly.
        const float warpU = u + 0.12f * (tiledFbm(u, v, 4, 2, 231) - 0.5f);
        const float warpV = v + 0.12f * (tiledFbm(u, v, 4, 2, 241) - 0.5f);
        const float banks = tiledFbm(warpU - std::floor(warpU), warpV - std::floor(warpV), 4, 5, 201, 0.55f);
        const float wisps = tiledFbm(u, v, 16, 2, 211);
        const float density = smoothstep(0.3f, 0.72f, banks * 0.8f + wisps * 0.2f);
        const float shade = 0.82f + 0.14f * tiledFbm(u, v, 8, 2, 221);
        canvas.at(x, y) = Colour{shade, shade, std::min(1.0f, shade * 1.04f), 0.12f + 0.88f * density};
    });
    return toImage(canvas);
}

namespace {

constexpr int kIconSize = 32;

template <typename Paint>
Image makeIcon(Paint paint) {
    Canvas canvas(kIconSize, kIconSize, Colour{0, 0, 0, 0});
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            // Centred coordinates, so shapes are symmetric about the icon's middle.
            canvas.at(x, y) = paint(x + 0.5f - kIconSize / 2.0f, y + 0.5f - kIconSize / 2.0f);
        }
    }
    return toImage(canvas);
}

Colour layered(const Colour& below, const Colour& above, float cover) {
    Colour result = below;
    blendOver(result, above, cover);
    return result;
}

// The floor every open cell shows: dark, with a faint rim so neighbouring cells stay apart.
Colour floorAt(float px, float py) {
    const float edge = roundedBoxDistance(px, py, 16.0f, 16.0f, 0.5f);
    return mix(rgb(0x262b33), rgb(0x3a414c), smoothstep(-4.0f, -0.5f, edge));
}

}  // namespace

Image makeMapIcon(MapIcon icon) {
    switch (icon) {
        case MapIcon::empty:
            return makeIcon([](float px, float py) { return floorAt(px, py); });
        case MapIcon::wall:
            // A raised grey block: light upper-left rim, dark lower-right rim, one mortar course.
            return makeIcon([](float px, float py) {
                Colour c = rgb(0x9a8f84);
                if (std::fabs(py) < 1.5f) c = rgb(0x6a625b);
                if (px < -11.0f || py < -11.0f) c = rgb(0xc8beb2);
                if (px > 11.0f || py > 11.0f) c = rgb(0x514a44);
                return c;
            });
        case MapIcon::target:
            // A bright ring with a dot: the goal, large enough to show round a crate standing on it.
            return makeIcon([](float px, float py) {
                const float ring = std::fabs(circleDistance(px, py, 12.0f)) - 2.5f;
                const float dot = circleDistance(px, py, 4.0f);
                const Colour gold = rgb(0xffd23a);
                return layered(floorAt(px, py), gold, std::max(insideCoverage(ring), insideCoverage(dot)));
            });
        case MapIcon::object:
            // A crate, smaller than the cell so a goal ring underneath stays visible.
            return makeIcon([](float px, float py) {
                const float box = roundedBoxDistance(px, py, 10.5f, 10.5f, 1.0f);
                Colour wood = rgb(0xc8873c);
                if (box > -3.0f) wood = rgb(0x7a4a1e);                               // frame
                if (std::fabs(px + py) < 2.0f && box < -3.0f) wood = rgb(0x8f5a26);  // brace
                return Colour{wood.r, wood.g, wood.b, insideCoverage(box)};
            });
        case MapIcon::player:
            // A bright disc with a dark rim, clear against floor, goal and crate alike.
            return makeIcon([](float px, float py) {
                const float disc = circleDistance(px, py, 13.0f);
                Colour c = mix(rgb(0x40ff90), rgb(0xe8fff0),
                               smoothstep(10.0f, 0.0f, std::hypot(px + 4.0f, py + 4.0f)));
                if (disc > -2.5f) c = rgb(0x0b3a1e);
                return Colour{c.r, c.g, c.b, insideCoverage(disc)};
            });
    }
    return Image{};
}
