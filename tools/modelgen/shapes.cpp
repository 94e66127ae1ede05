#include "shapes.h"

#include <cmath>

namespace {

constexpr float kTurn = 6.2831853f;

struct BoxSide {
    Vec3 normal;
    Vec3 up;
};

TexCoord sideTexCoord(const BoxSide& side, Vec3 local, Vec3 half, float textureSize, TexCoord offset) {
    const Vec3 right = cross(side.up, side.normal);
    const float halfRight =
        std::fabs(dot(half, {std::fabs(right.x), std::fabs(right.y), std::fabs(right.z)}));
    const float halfUp =
        std::fabs(dot(half, {std::fabs(side.up.x), std::fabs(side.up.y), std::fabs(side.up.z)}));
    return {(dot(local, right) + halfRight) / textureSize + offset.u,
            (dot(local, side.up) + halfUp) / textureSize + offset.v};
}

}  // namespace

void addBox(MeshBuilder& builder, const Frame& frame, Vec3 halfSize, const BoxTexturing& texturing) {
    // Corner i has x = +half when bit 0 is set, y when bit 1, z when bit 2.
    Vec3 local[8];
    int index[8];
    for (int i = 0; i < 8; ++i) {
        local[i] = {(i & 1) ? halfSize.x : -halfSize.x, (i & 2) ? halfSize.y : -halfSize.y,
                    (i & 4) ? halfSize.z : -halfSize.z};
        index[i] = builder.vertex(frame.toWorld(local[i]));
    }
    struct SideCorners {
        BoxSide side;
        int corners[4];
        int slot;
    };
    const SideCorners sides[6] = {
        {{{0, 0, 1}, {0, 1, 0}}, {4, 5, 7, 6}, texturing.sideSlot},
        {{{1, 0, 0}, {0, 1, 0}}, {5, 1, 3, 7}, texturing.sideSlot},
        {{{0, 0, -1}, {0, 1, 0}}, {1, 0, 2, 3}, texturing.sideSlot},
        {{{-1, 0, 0}, {0, 1, 0}}, {0, 4, 6, 2}, texturing.sideSlot},
        {{{0, 1, 0}, {0, 0, -1}}, {6, 7, 3, 2}, texturing.topSlot},
        {{{0, -1, 0}, {0, 0, 1}}, {0, 1, 5, 4}, texturing.bottomSlot},
    };
    for (const SideCorners& side : sides) {
        builder.setTextureSlot(side.slot);
        TexCoord uv[4];
        for (int k = 0; k < 4; ++k) {
            uv[k] = sideTexCoord(side.side, local[side.corners[k]], halfSize, texturing.textureSize,
                                 texturing.offset);
        }
        builder.convexQuad(index[side.corners[0]], index[side.corners[1]], index[side.corners[2]],
                           index[side.corners[3]], uv[0], uv[1], uv[2], uv[3], frame.origin);
    }
}

void addTube(MeshBuilder& builder, const std::vector<TubeRing>& rings, const TubeStyle& style) {
    const int segments = style.segments;
    std::vector<std::vector<int>> ringVertices;
    for (const TubeRing& ring : rings) {
        std::vector<int> vertices;
        for (int j = 0; j < segments; ++j) {
            const float angle =
                style.seamAngle + kTurn * static_cast<float>(j) / static_cast<float>(segments);
            const Vec3 local{-ring.radiusX * std::sin(angle), 0.0f, -ring.radiusZ * std::cos(angle)};
            vertices.push_back(builder.vertex(ring.frame.toWorld(local)));
        }
        ringVertices.push_back(vertices);
    }
    // u of corner j; the last segment ends on the seam at a full turn rather than back at uStart.
    auto u = [&](int j) {
        return style.uStart + style.uPerTurn * static_cast<float>(j) / static_cast<float>(segments);
    };

    for (std::size_t i = 0; i + 1 < rings.size(); ++i) {
        const std::vector<int>& lower = ringVertices[i];
        const std::vector<int>& upper = ringVertices[i + 1];
        for (int j = 0; j < segments; ++j) {
            const int next = (j + 1) % segments;
            builder.quad(lower[static_cast<std::size_t>(j)], lower[static_cast<std::size_t>(next)],
                         upper[static_cast<std::size_t>(next)], upper[static_cast<std::size_t>(j)],
                         {u(j), rings[i].v}, {u(j + 1), rings[i].v}, {u(j + 1), rings[i + 1].v},
                         {u(j), rings[i + 1].v});
        }
    }

    const TubeRing& first = rings.front();
    const TubeRing& last = rings.back();
    const int startPoint = builder.vertex(first.frame.toWorld({0.0f, -style.startCap, 0.0f}));
    const int endPoint = builder.vertex(last.frame.toWorld({0.0f, style.endCap, 0.0f}));
    const std::vector<int>& bottom = ringVertices.front();
    const std::vector<int>& top = ringVertices.back();
    for (int j = 0; j < segments; ++j) {
        const std::size_t here = static_cast<std::size_t>(j);
        const std::size_t next = static_cast<std::size_t>((j + 1) % segments);
        const float middle = 0.5f * (u(j) + u(j + 1));
        builder.triangle(bottom[next], bottom[here], startPoint, {u(j + 1), first.v}, {u(j), first.v},
                         {middle, style.startCapV});
        builder.triangle(top[here], top[next], endPoint, {u(j), last.v}, {u(j + 1), last.v},
                         {middle, style.endCapV});
    }
}

void addEllipsoid(MeshBuilder& builder, const Frame& frame, Vec3 radii, int bands, TubeStyle style) {
    std::vector<TubeRing> rings;
    for (int k = 1; k < bands; ++k) {
        const float latitude =
            -kTurn / 4.0f + kTurn / 2.0f * static_cast<float>(k) / static_cast<float>(bands);
        TubeRing ring;
        ring.frame = frame;
        ring.frame.origin = frame.toWorld({0.0f, radii.y * std::sin(latitude), 0.0f});
        ring.radiusX = radii.x * std::cos(latitude);
        ring.radiusZ = radii.z * std::cos(latitude);
        ring.v = static_cast<float>(k) / static_cast<float>(bands);
        rings.push_back(ring);
    }
    // The poles lie one band's height of latitude beyond the outermost rings.
    style.startCap = style.endCap = radii.y * (1.0f - std::cos(kTurn / 2.0f / static_cast<float>(bands)));
    style.startCapV = 0.0f;
    style.endCapV = 1.0f;
    addTube(builder, rings, style);
}
