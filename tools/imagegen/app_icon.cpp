// The desktop icon: one of the game's crates seen from above a corner, its three visible faces wearing the
// crate texture the scene draws, lit from the upper left, on a transparent square. It is painted once at
// kPaintSize and box-filtered down, so every size is the same picture with its edges smoothed.

#include <cmath>

#include "canvas.h"
#include "image_makers.h"

namespace {

constexpr int kPaintSize = 1024;             // pixels; every icon size divides it
constexpr float kEdge = 0.43f * kPaintSize;  // pixels, one cube edge before projection
constexpr float kCos30 = 0.8660254f;
constexpr float kOutline = 0.012f * kPaintSize;  // pixels of dark rim along every edge of a face

struct Point {
    float x;
    float y;
};

// Isometric axes in canvas pixels, y downwards: the two floor edges run down-right and down-left, the
// vertical edge up.
constexpr Point kAlongX{kCos30 * kEdge, 0.5f * kEdge};
constexpr Point kAlongY{-kCos30 * kEdge, 0.5f * kEdge};
constexpr Point kUp{0.0f, -kEdge};
// The cube's hidden bottom corner projects onto the middle of its hexagon: the canvas centre.
constexpr Point kHiddenCorner{kPaintSize / 2.0f, kPaintSize / 2.0f};

// One visible face: a parallelogram corner + s * across + t * down, (s, t) in 0..1 with (0, 0) at the
// face's top-left as the texture is seen, and the brightness of its lighting.
struct Face {
    Point corner;
    Point across;
    Point down;
    float light;
};

// The face's (s, t) at a pixel; false when the pixel is outside the face.
bool faceCoordinates(const Face& face, float px, float py, float& s, float& t) {
    const float dx = px - face.corner.x;
    const float dy = py - face.corner.y;
    const float determinant = face.across.x * face.down.y - face.across.y * face.down.x;
    s = (dx * face.down.y - dy * face.down.x) / determinant;
    t = (face.across.x * dy - face.across.y * dx) / determinant;
    return s >= 0.0f && s <= 1.0f && t >= 0.0f && t <= 1.0f;
}

// Distance in pixels from the inside of a face to its nearest edge.
float distanceToEdge(const Face& face, float s, float t) {
    const float across = std::hypot(face.across.x, face.across.y);
    const float down = std::hypot(face.down.x, face.down.y);
    const float determinant = std::fabs(face.across.x * face.down.y - face.across.y * face.down.x);
    // Heights of the parallelogram over each pair of sides.
    const float heightAcross = determinant / across;
    const float heightDown = determinant / down;
    return std::fmin(std::fmin(s, 1.0f - s) * heightDown, std::fmin(t, 1.0f - t) * heightAcross);
}

Colour sampleBilinear(const Canvas& texture, float s, float t) {
    const float x = s * texture.width - 0.5f;
    const float y = t * texture.height - 0.5f;
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const auto fetch = [&](int ix, int iy) -> const Colour& {
        ix = ix < 0 ? 0 : (ix >= texture.width ? texture.width - 1 : ix);
        iy = iy < 0 ? 0 : (iy >= texture.height ? texture.height - 1 : iy);
        return texture.at(ix, iy);
    };
    const float fx = x - x0;
    const float fy = y - y0;
    return mix(mix(fetch(x0, y0), fetch(x0 + 1, y0), fx), mix(fetch(x0, y0 + 1), fetch(x0 + 1, y0 + 1), fx),
               fy);
}

Point plus(Point a, Point b) {
    return Point{a.x + b.x, a.y + b.y};
}

Point minus(Point a) {
    return Point{-a.x, -a.y};
}

Canvas paintCrate() {
    const Canvas texture = fromImage(makeCrateTexture());
    const Point top = plus(kHiddenCorner, kUp);
    const Point frontTop = plus(plus(top, kAlongX), kAlongY);
    const Point leftTop = plus(top, kAlongY);
    const Face faces[] = {
        {top, kAlongX, kAlongY, 1.08f},                 // lid
        {leftTop, kAlongX, minus(kUp), 0.86f},          // left side, facing the light
        {frontTop, minus(kAlongY), minus(kUp), 0.62f},  // right side, in shade
    };

    Canvas canvas(kPaintSize, kPaintSize);
    forEachPixel(kPaintSize, kPaintSize, [&](int x, int y, float, float) {
        const float px = x + 0.5f;
        const float py = y + 0.5f;
        for (const Face& face : faces) {
            float s = 0;
            float t = 0;
            if (!faceCoordinates(face, px, py, s, t)) continue;
            Colour colour = scaled(sampleBilinear(texture, s, t), face.light);
            // A dark rim along every edge outlines the cube: the silhouette stands out on light and dark
            // panels alike, and the three faces stay apart at 64 pixels.
            const float rim = 1.0f - smoothstep(0.0f, kOutline, distanceToEdge(face, s, t));
            colour = mix(colour, rgb(0x1c120a), 0.8f * rim);
            colour.a = 1.0f;
            canvas.at(x, y) = colour;
            break;
        }
    });
    return canvas;
}

// Averages factor x factor blocks, weighting colour by coverage so that the transparent surround does not
// darken the edges.
Canvas shrunk(const Canvas& source, int factor) {
    Canvas out(source.width / factor, source.height / factor);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            Colour sum{0, 0, 0, 0};
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx) {
                    const Colour& c = source.at(x * factor + dx, y * factor + dy);
                    sum.r += c.r * c.a;
                    sum.g += c.g * c.a;
                    sum.b += c.b * c.a;
                    sum.a += c.a;
                }
            }
            Colour& pixel = out.at(x, y);
            if (sum.a > 0.0f) pixel = Colour{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, 0.0f};
            pixel.a = sum.a / static_cast<float>(factor * factor);
        }
    }
    return out;
}

}  // namespace

Image makeAppIcon(int size) {
    if (size <= 0 || size > kPaintSize || kPaintSize % size != 0) return Image{};
    return toImage(shrunk(paintCrate(), kPaintSize / size));
}
