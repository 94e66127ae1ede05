#include "canvas.h"

#include <algorithm>
#include <cmath>

Canvas::Canvas(int w, int h, Colour fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

Colour& Canvas::wrapped(int x, int y) {
    x %= width;
    y %= height;
    if (x < 0) x += width;
    if (y < 0) y += height;
    return at(x, y);
}

float FloatGrid::orZero(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
    return at(x, y);
}

float FloatGrid::wrapped(int x, int y) const {
    x = ((x % width) + width) % width;
    y = ((y % height) + height) % height;
    return at(x, y);
}

namespace {

std::uint8_t toByte(float v) {
    return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0f));
}

}  // namespace

Image toImage(const Canvas& canvas) {
    Image image = makeImage(canvas.width, canvas.height);
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            const Colour& c = canvas.at(x, y);
            std::uint8_t* p = pixelAt(image, x, canvas.height - 1 - y);
            p[0] = toByte(c.r);
            p[1] = toByte(c.g);
            p[2] = toByte(c.b);
            p[3] = toByte(c.a);
        }
    }
    return image;
}

Canvas fromImage(const Image& image) {
    Canvas canvas(image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = pixelAt(image, x, image.height - 1 - y);
            canvas.at(x, y) = Colour{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
        }
    }
    return canvas;
}

float clamp01(float v) {
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

float mix(float a, float b, float t) {
    return a + (b - a) * t;
}

Colour mix(const Colour& a, const Colour& b, float t) {
    return Colour{mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t), mix(a.a, b.a, t)};
}

Colour scaled(const Colour& c, float factor) {
    return Colour{c.r * factor, c.g * factor, c.b * factor, c.a};
}

float smoothstep(float edge0, float edge1, float x) {
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

Colour rgb(int hex, float alpha) {
    return Colour{((hex >> 16) & 0xFF) / 255.0f, ((hex >> 8) & 0xFF) / 255.0f, (hex & 0xFF) / 255.0f, alpha};
}

std::uint32_t hash32(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

std::uint32_t hash2(int x, int y, std::uint32_t seed) {
    return hash32(static_cast<std::uint32_t>(x) * 0x9E3779B1U ^ hash32(static_cast<std::uint32_t>(y) + seed));
}

float hashUnit(int x, int y, std::uint32_t seed) {
    return static_cast<float>(hash2(x, y, seed) >> 8) / static_cast<float>(1u << 24);
}

float tiledNoise(float x, float y, int period, std::uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const float tx = x - fx;
    const float ty = y - fy;
    const auto corner = [&](int cx, int cy) {
        cx %= period;
        cy %= period;
        if (cx < 0) cx += period;
        if (cy < 0) cy += period;
        return hashUnit(cx, cy, seed);
    };
    // Quintic easing: smooth in its second derivative too, so the lattice does not show as creases.
    const float sx = tx * tx * tx * (tx * (tx * 6.0f - 15.0f) + 10.0f);
    const float sy = ty * ty * ty * (ty * (ty * 6.0f - 15.0f) + 10.0f);
    const float top = mix(corner(x0, y0), corner(x0 + 1, y0), sx);
    const float bottom = mix(corner(x0, y0 + 1), corner(x0 + 1, y0 + 1), sx);
    return mix(top, bottom, sy);
}

float tiledFbm(float u, float v, int basePeriod, int octaves, std::uint32_t seed, float persistence) {
    float sum = 0.0f;
    float weight = 1.0f;
    float total = 0.0f;
    int period = basePeriod;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * tiledNoise(u * period, v * period, period, seed + 101u * octave);
        total += weight;
        weight *= persistence;
        period *= 2;
    }
    return sum / total;
}

void blurGrid(FloatGrid& grid, int radiusX, int radiusY) {
    std::vector<float> line;
    // One running-sum box pass along count lines of the given length; edges repeat their last value.
    const auto pass = [&](int count, int length, int radius, const auto& ref) {
        if (radius <= 0) return;
        const float norm = 1.0f / (2 * radius + 1);
        line.resize(length);
        for (int k = 0; k < count; ++k) {
            const auto get = [&](int i) { return ref(k, std::clamp(i, 0, length - 1)); };
            float sum = 0.0f;
            for (int i = -radius; i <= radius; ++i) sum += get(i);
            for (int i = 0; i < length; ++i) {
                line[i] = sum * norm;
                sum += get(i + radius + 1) - get(i - radius);
            }
            for (int i = 0; i < length; ++i) ref(k, i) = line[i];
        }
    };
    pass(grid.height, grid.width, radiusX, [&](int row, int i) -> float& { return grid.at(i, row); });
    pass(grid.width, grid.height, radiusY, [&](int column, int i) -> float& { return grid.at(column, i); });
}

void blendOver(Colour& dst, const Colour& src, float opacity) {
    const float a = clamp01(src.a * opacity);
    const float outA = a + dst.a * (1.0f - a);
    if (outA <= 0.0f) {
        dst = Colour{src.r, src.g, src.b, 0.0f};
        return;
    }
    const float keep = dst.a * (1.0f - a);
    dst.r = (src.r * a + dst.r * keep) / outA;
    dst.g = (src.g * a + dst.g * keep) / outA;
    dst.b = (src.b * a + dst.b * keep) / outA;
    dst.a = outA;
}
