// The keeper's clothes and face. The model's texture mapping is simple, so the cloth patterns read under
// any mapping and the few placed details (belt, buttons, face) sit where image_makers.h says.

#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "image_makers.h"
#include "relief.h"
#include "shapes.h"

namespace {

constexpr int kKeeperSize = 256;  // pixels; legs, body and head

// Paints a shape's colour over the canvas wherever distance says it covers.
template <typename Distance>
void paintShape(Canvas& canvas, const Colour& colour, Distance distance) {
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            const float cover = insideCoverage(distance(x + 0.5f, y + 0.5f));
            if (cover > 0.0f) blendOver(canvas.at(x, y), colour, cover);
        }
    }
}

// Running stitches along a seam: short light dashes, every few pixels.
bool stitchAt(float along, float across) {
    return std::fabs(across) < 0.9f && std::fmod(along, 7.0f) < 4.0f;
}

}  // namespace

Image makeLegsTexture() {
    const Colour denim = rgb(0x34496e);
    const Colour seam = rgb(0x26354f);
    const Colour thread = rgb(0xc9a45c);
    const Colour leather = rgb(0x4b2f1c);
    constexpr int kBeltTop = 0;
    constexpr int kBeltBottom = 22;
    constexpr int kHemTop = kKeeperSize - 14;
    Canvas canvas(kKeeperSize, kKeeperSize);
    HeightField heights(kKeeperSize, kKeeperSize);

    forEachPixel(kKeeperSize, kKeeperSize, [&](int x, int y, float u, float v) {
        // Twill: fine diagonal ribs, plus the fading of worn cloth at the knees.
        const float twill = 0.5f + 0.5f * std::sin((x + y) * 2.0f * 3.14159265f / 4.0f);
        const float wear = tiledFbm(u, v, 4, 3, 101);
        const float knee = smoothstep(0.12f, 0.0f, std::fabs(v - 0.58f)) * 0.12f;
        Colour cloth = scaled(denim, 0.86f + 0.12f * twill + 0.16f * wear + knee);
        float height = 0.3f * twill;

        // Side seams at the edges and down the middle of the image, with top-stitching.
        for (const float seamX : {0.0f, kKeeperSize / 2.0f, static_cast<float>(kKeeperSize)}) {
            const float across = x + 0.5f - seamX;
            if (std::fabs(across) < 3.0f) {
                cloth = mix(cloth, seam, 1.0f - std::fabs(across) / 3.0f);
                height -= 1.0f - std::fabs(across) / 3.0f;
            }
            if (stitchAt(y + 0.5f, std::fabs(across) - 5.0f)) cloth = mix(cloth, thread, 0.8f);
        }
        // Hems: a folded band at the bottom with a stitch line.
        if (y >= kHemTop) {
            cloth = scaled(cloth, 0.82f);
            height += 0.8f;
            if (stitchAt(x + 0.5f, y + 0.5f - (kHemTop + 5.0f))) cloth = mix(cloth, thread, 0.8f);
        }
        if (y >= kBeltTop && y < kBeltBottom) {
            const float grain = tiledFbm(u * 8.0f, v, 16, 2, 103);
            cloth = scaled(leather, 0.85f + 0.3f * grain);
            height = 1.5f - 1.5f * smoothstep(kBeltBottom - 4.0f, kBeltBottom * 1.0f, y + 0.5f);
            if (stitchAt(x + 0.5f, y + 0.5f - 4.0f) || stitchAt(x + 0.5f, y + 0.5f - (kBeltBottom - 5.0f)))
                cloth = mix(cloth, rgb(0x8a6a44), 0.8f);
        }
        canvas.at(x, y) = cloth;
        heights.at(x, y) = height;
    });
    // Brass buckle at the front.
    const float buckleX = kKeeperSize / 4.0f;
    const float buckleY = (kBeltTop + kBeltBottom) / 2.0f;
    paintShape(canvas, rgb(0xd6b24c), [&](float px, float py) {
        const float outer = roundedBoxDistance(px - buckleX, py - buckleY, 14.0f, 10.0f, 3.0f);
        const float hole = roundedBoxDistance(px - buckleX, py - buckleY, 9.0f, 5.5f, 2.0f);
        return std::max(outer, -hole);
    });
    applyRelief(canvas, heights, 0.8f, true);
    return toImage(canvas);
}

Image makeBodyTexture() {
    // Flannel check: red ground crossed by dark bands and thin light lines, both ways.
    const Colour red = rgb(0xa8342c);
    const Colour dark = rgb(0x3c1c1a);
    const Colour light = rgb(0xd9a27c);
    constexpr int kCheck = 32;
    constexpr int kCollarBottom = 18;
    constexpr int kHemTop = kKeeperSize - 10;
    const float placketX = kKeeperSize / 4.0f;
    Canvas canvas(kKeeperSize, kKeeperSize);
    HeightField heights(kKeeperSize, kKeeperSize);

    const auto band = [](int p) {
        const int inCheck = p % kCheck;
        const float darkBand = (inCheck >= 4 && inCheck < 14) ? 1.0f : 0.0f;
        const float lightLine = (inCheck == 22) ? 1.0f : 0.0f;
        return std::pair<float, float>(darkBand, lightLine);
    };
    forEachPixel(kKeeperSize, kKeeperSize, [&](int x, int y, float u, float v) {
        const auto [darkX, lightX] = band(x);
        const auto [darkY, lightY] = band(y);
        // Where two dark bands cross the weave is darkest; a single band is half as dark.
        Colour cloth = mix(red, dark, 0.45f * darkX + 0.45f * darkY);
        cloth = mix(cloth, light, 0.5f * std::max(lightX, lightY));
        const float weave = ((x + y) % 2 == 0) ? 1.0f : 0.0f;
        const float fold = tiledFbm(u, v, 4, 3, 111);
        cloth = scaled(cloth, 0.88f + 0.08f * weave + 0.16f * fold);
        float height = 0.2f * weave + 1.5f * fold;

        // Button band down the front.
        const float fromPlacket = std::fabs(x + 0.5f - placketX);
        if (fromPlacket < 9.0f) {
            cloth = scaled(cloth, 0.92f);
            height += 0.6f;
            if (std::fabs(fromPlacket - 9.0f) < 1.0f) {
                cloth = scaled(cloth, 0.6f);
                height -= 0.6f;
            }
        }
        if (y < kCollarBottom) {
            cloth = scaled(mix(red, dark, 0.5f), 0.8f + 0.1f * weave);
            height = 1.2f;
        }
        if (y >= kHemTop) {
            cloth = scaled(cloth, 0.8f);
            height += 0.5f;
        }
        canvas.at(x, y) = cloth;
        heights.at(x, y) = height;
    });
    // Buttons down the placket, and a chest pocket on the wearer's left.
    for (int i = 0; i < 5; ++i) {
        const float by = 40.0f + i * 46.0f;
        paintShape(canvas, rgb(0xe8e0cc),
                   [&](float px, float py) { return circleDistance(px - placketX, py - by, 4.5f); });
    }
    paintShape(canvas, Colour{0.15f, 0.05f, 0.05f, 0.55f}, [&](float px, float py) {
        const float outer = roundedBoxDistance(px - (placketX + 34.0f), py - 70.0f, 18.0f, 20.0f, 3.0f);
        return std::fabs(outer) - 1.0f;
    });
    applyRelief(canvas, heights, 0.7f, true);
    return toImage(canvas);
}

Image makeHeadTexture() {
    const Colour skin = rgb(0xe2ad88);
    const Colour hair = rgb(0x3d2716);
    constexpr float kHalf = kKeeperSize / 2.0f;
    const float faceX = kHalf / 2.0f;  // centre of the face
    Canvas canvas(kKeeperSize, kKeeperSize);
    HeightField heights(kKeeperSize, kKeeperSize);

    forEachPixel(kKeeperSize, kKeeperSize, [&](int x, int y, float u, float v) {
        const float px = x + 0.5f;
        const float py = y + 0.5f;
        const bool front = px < kHalf;
        Colour tone = scaled(skin, 0.94f + 0.1f * tiledFbm(u, v, 8, 3, 121));
        // Cheeks warmer, the jaw a little shaded.
        if (front) {
            const float cheek =
                std::max(0.0f, 1.0f - std::hypot(std::fabs(px - faceX) - 34.0f, py - 160.0f) / 18.0f);
            tone = mix(tone, rgb(0xd98a78), 0.35f * cheek);
            tone = scaled(tone, 1.0f - 0.12f * smoothstep(200.0f, 250.0f, py));
        }
        // Hair: over the top of the face with a soft fringe; on the back all but the neck.
        const float strands = tiledFbm(u * 12.0f, v * 0.8f, 8, 3, 131);
        const float fringe =
            front ? 78.0f + 10.0f * std::sin(px * 0.25f) + 14.0f * std::fabs(px - faceX) / kHalf * 2.0f
                  : 200.0f + 6.0f * std::sin(px * 0.3f);
        float sideburns = 0.0f;
        if (front)
            sideburns = smoothstep(14.0f, 8.0f, std::min(px, kHalf - px)) * (py < 150.0f ? 1.0f : 0.0f);
        const float hairCover = std::max(smoothstep(fringe + 3.0f, fringe - 3.0f, py), sideburns);
        const Colour hairColour = scaled(hair, 0.75f + 0.5f * strands);
        canvas.at(x, y) = mix(tone, hairColour, hairCover);
        heights.at(x, y) = hairCover * (1.0f + 0.8f * strands);
    });

    // The face, on the front half: brows, eyes, nose, mouth, ears at the sides.
    const float eyeY = 122.0f;
    for (const float side : {-1.0f, 1.0f}) {
        const float ex = faceX + side * 24.0f;
        paintShape(canvas, rgb(0x2e1e12), [&](float px, float py) {
            return segmentDistance(px, py, ex - 12.0f, eyeY - 16.0f + side * 0.0f, ex + 12.0f, eyeY - 19.0f,
                                   2.8f);
        });
        paintShape(canvas, rgb(0xf4f1ea), [&](float px, float py) {
            return (std::hypot((px - ex) / 11.0f, (py - eyeY) / 6.5f) - 1.0f) * 6.5f;
        });
        paintShape(canvas, rgb(0x4a6a8a),
                   [&](float px, float py) { return circleDistance(px - ex, py - eyeY, 5.0f); });
        paintShape(canvas, rgb(0x101010),
                   [&](float px, float py) { return circleDistance(px - ex, py - eyeY, 2.4f); });
        paintShape(canvas, Colour{0.35f, 0.2f, 0.15f, 0.6f}, [&](float px, float py) {
            return std::fabs((std::hypot((px - ex) / 11.0f, (py - eyeY) / 6.5f) - 1.0f) * 6.5f) - 0.8f;
        });
        // Ears, on the edges of the front half so a head wrapped round shows them at the sides.
        const float earX = side < 0 ? 0.0f : kHalf;
        paintShape(canvas, scaled(skin, 0.85f), [&](float px, float py) {
            return (std::hypot((px - earX) / 7.0f, (py - 135.0f) / 16.0f) - 1.0f) * 7.0f;
        });
    }
    paintShape(canvas, Colour{0.55f, 0.32f, 0.24f, 0.55f}, [&](float px, float py) {
        return segmentDistance(px, py, faceX + 2.0f, 128.0f, faceX + 6.0f, 156.0f, 2.2f);
    });
    paintShape(canvas, Colour{0.5f, 0.28f, 0.22f, 0.7f}, [&](float px, float py) {
        return segmentDistance(px, py, faceX - 6.0f, 160.0f, faceX + 8.0f, 160.0f, 2.0f);
    });
    paintShape(canvas, rgb(0x8c3a34), [&](float px, float py) {
        // A slight smile: the lower lip line curves up at the corners.
        const float dx = px - faceX;
        return (std::fabs(py - (182.0f - 0.008f * dx * dx)) - 2.2f) + std::max(0.0f, std::fabs(dx) - 17.0f);
    });
    applyRelief(canvas, heights, 1.2f, true);
    return toImage(canvas);
}
