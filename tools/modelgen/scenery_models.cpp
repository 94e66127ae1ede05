#include "scenery_models.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "mesh_builder.h"
#include "shapes.h"

namespace {

constexpr float kGoalHeight = 0.005f;
constexpr float kFloorTextureCells = 8.0f;  // the floor texture repeats every 8 cells

// The floor's own texture rule, so that the stored coordinates agree with the planar ones the scene uses.
TexCoord floorTexCoord(Vec3 p) {
    return {p.x / kFloorTextureCells, p.z / kFloorTextureCells};
}

// One whole texture image per cell, upright when the board is seen from its front (+z).
TexCoord cellTexCoord(Vec3 p) {
    return {p.x + 0.5f, 0.5f - p.z};
}

// A square outline of half size h at the goal's height: corners and side middles, counter-clockwise seen
// from above, starting at the middle of the +z side.
std::vector<int> squareLoop(MeshBuilder& builder, float h) {
    const Vec3 points[8] = {{0, 0, h},  {h, 0, h},   {h, 0, 0},  {h, 0, -h},
                            {0, 0, -h}, {-h, 0, -h}, {-h, 0, 0}, {-h, 0, h}};
    std::vector<int> loop;
    for (Vec3 p : points) loop.push_back(builder.vertex({p.x, kGoalHeight, p.z}));
    return loop;
}

// Flat pieces face up: any point below the decal is "inside".
constexpr Vec3 kBelow{0.0f, -1.0f, 0.0f};

void addFlatTriangle(MeshBuilder& builder, int a, int b, int c, TexCoord (*texCoord)(Vec3)) {
    builder.convexTriangle(a, b, c, texCoord(builder.position(a)), texCoord(builder.position(b)),
                           texCoord(builder.position(c)), kBelow);
}

// The band between two outlines with the same number of points.
void addBand(MeshBuilder& builder, const std::vector<int>& outer, const std::vector<int>& inner,
             TexCoord (*texCoord)(Vec3)) {
    const std::size_t n = outer.size();
    for (std::size_t j = 0; j < n; ++j) {
        const std::size_t next = (j + 1) % n;
        addFlatTriangle(builder, outer[j], outer[next], inner[next], texCoord);
        addFlatTriangle(builder, outer[j], inner[next], inner[j], texCoord);
    }
}

}  // namespace

Model buildFloorTile() {
    MeshBuilder builder;
    builder.setTextureSlot(kSlotFloor);
    const int a = builder.vertex({-0.5f, 0.0f, 0.5f});
    const int b = builder.vertex({0.5f, 0.0f, 0.5f});
    const int c = builder.vertex({0.5f, 0.0f, -0.5f});
    const int d = builder.vertex({-0.5f, 0.0f, -0.5f});
    builder.quad(a, b, c, d, floorTexCoord(builder.position(a)), floorTexCoord(builder.position(b)),
                 floorTexCoord(builder.position(c)), floorTexCoord(builder.position(d)));
    return builder.build();
}

Model buildWallBlock() {
    MeshBuilder builder;
    BoxTexturing texturing;
    texturing.sideSlot = kSlotWallSide;
    texturing.topSlot = kSlotWallTop;
    texturing.bottomSlot = kUncovered;
    texturing.textureSize = 1.0f;
    Frame frame;
    frame.origin = {0.0f, 0.5f, 0.0f};
    addBox(builder, frame, {0.5f, 0.5f, 0.5f}, texturing);
    return builder.build();
}

Model buildCrate() {
    constexpr float h = kCrateHalfSize;
    constexpr float bevel = 0.035f;
    const Vec3 centre{0.0f, h, 0.0f};
    MeshBuilder builder;

    // Vertex (corner, axis): the corner pulled in by the bevel on the two other axes, so it lies on the
    // side that faces along `axis`.
    int vertex[8][3];
    auto sign = [](int corner, int axis) { return (corner >> axis) & 1 ? 1.0f : -1.0f; };
    for (int corner = 0; corner < 8; ++corner) {
        for (int axis = 0; axis < 3; ++axis) {
            float c[3];
            for (int i = 0; i < 3; ++i) c[i] = sign(corner, i) * (i == axis ? h : h - bevel);
            vertex[corner][axis] = builder.vertex({c[0], c[1] + h, c[2]});
        }
    }
    // Texture coordinates as seen on a side (axis 0 or 2) or the top: the whole crate face spans the whole
    // image, so the bevels take the image's border.
    auto sideTexCoord = [&](int index, int axis, float facing) {
        const Vec3 p = vecSub(builder.position(index), centre);
        const float across = axis == 0 ? -facing * p.z : facing * p.x;
        return TexCoord{(across + h) / (2 * h), (p.y + h) / (2 * h)};
    };
    auto topTexCoord = [&](int index) {
        const Vec3 p = vecSub(builder.position(index), centre);
        return TexCoord{(p.x + h) / (2 * h), (h - p.z) / (2 * h)};
    };
    // Slot of a face touching the given corner signs: bottom pieces are shadow-only.
    auto slotFor = [](bool bottom, bool top) {
        return bottom ? kUncovered : top ? kSlotCrateTop : kSlotCrateSide;
    };

    // The six faces.
    for (int axis = 0; axis < 3; ++axis) {
        for (int s = 0; s < 2; ++s) {
            int corners[4];
            int n = 0;
            for (int corner = 0; corner < 8; ++corner) {
                if (((corner >> axis) & 1) == s) corners[n++] = corner;
            }
            // Order the four around the face: 0, 1, 3, 2 of the two remaining bits.
            const int ring[4] = {corners[0], corners[1], corners[3], corners[2]};
            const float facing = s ? 1.0f : -1.0f;
            builder.setTextureSlot(axis == 1 ? slotFor(s == 0, s == 1) : kSlotCrateSide);
            TexCoord uv[4];
            for (int k = 0; k < 4; ++k) {
                const int index = vertex[ring[k]][axis];
                uv[k] = axis == 1 ? topTexCoord(index) : sideTexCoord(index, axis, facing);
            }
            builder.convexQuad(vertex[ring[0]][axis], vertex[ring[1]][axis], vertex[ring[2]][axis],
                               vertex[ring[3]][axis], uv[0], uv[1], uv[2], uv[3], centre);
        }
    }
    // The twelve bevels, each between the sides of axes a and b, running along the third axis t.
    for (int a = 0; a < 3; ++a) {
        for (int b = a + 1; b < 3; ++b) {
            const int t = 3 - a - b;
            const int side = a == 1 ? b : a;  // a vertical side whose texture border the bevel takes
            for (int corner = 0; corner < 8; ++corner) {
                if ((corner >> t) & 1) continue;  // one bevel per pair of corners along t
                const int other = corner | (1 << t);
                const bool bottom = (a == 1 || b == 1) && sign(corner, 1) < 0;
                builder.setTextureSlot(slotFor(bottom, false));
                const float facing = sign(corner, side);
                const int quad[4] = {vertex[corner][a], vertex[other][a], vertex[other][b],
                                     vertex[corner][b]};
                TexCoord uv[4];
                for (int k = 0; k < 4; ++k) uv[k] = sideTexCoord(quad[k], side, facing);
                builder.convexQuad(quad[0], quad[1], quad[2], quad[3], uv[0], uv[1], uv[2], uv[3], centre);
            }
        }
    }
    // The eight corners.
    for (int corner = 0; corner < 8; ++corner) {
        builder.setTextureSlot(slotFor(sign(corner, 1) < 0, false));
        const float facing = sign(corner, 0);
        builder.convexTriangle(vertex[corner][0], vertex[corner][1], vertex[corner][2],
                               sideTexCoord(vertex[corner][0], 0, facing),
                               sideTexCoord(vertex[corner][1], 0, facing),
                               sideTexCoord(vertex[corner][2], 0, facing), centre);
    }
    return builder.build();
}

Model buildGoalTile() {
    MeshBuilder builder;
    const std::vector<int> edge = squareLoop(builder, 0.5f);
    const std::vector<int> frameOuter = squareLoop(builder, 0.47f);
    const std::vector<int> frameInner = squareLoop(builder, 0.37f);
    constexpr float tip = 0.2f;
    const Vec3 tips[4] = {{0, 0, tip}, {tip, 0, 0}, {0, 0, -tip}, {-tip, 0, 0}};
    std::vector<int> diamond;
    for (Vec3 p : tips) diamond.push_back(builder.vertex({p.x, kGoalHeight, p.z}));

    builder.setTextureSlot(kSlotFloor);
    addBand(builder, edge, frameOuter, floorTexCoord);
    // Between the frame and the diamond: per side middle k, the corner after it and the next middle.
    for (std::size_t k = 0; k < 4; ++k) {
        const int middle = frameInner[2 * k];
        const int corner = frameInner[2 * k + 1];
        const int nextMiddle = frameInner[(2 * k + 2) % 8];
        addFlatTriangle(builder, middle, corner, diamond[k], floorTexCoord);
        addFlatTriangle(builder, corner, diamond[(k + 1) % 4], diamond[k], floorTexCoord);
        addFlatTriangle(builder, corner, nextMiddle, diamond[(k + 1) % 4], floorTexCoord);
    }
    builder.setTextureSlot(kSlotWallTop);
    addBand(builder, frameOuter, frameInner, cellTexCoord);
    addFlatTriangle(builder, diamond[0], diamond[1], diamond[2], cellTexCoord);
    addFlatTriangle(builder, diamond[0], diamond[2], diamond[3], cellTexCoord);
    return builder.build();
}
