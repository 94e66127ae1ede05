#pragma once

#include "formats/model.h"
#include "math/vec.h"

// The GL-free half of the shadow volumes: which faces the light sees, which of their edges are silhouette
// edges, and how far an edge is pushed away from the light.

constexpr float kShadowExtrusion =
    10.0f;  // a silhouette vertex moves to 11 times its distance from the light

// Rewrites every face's lit flag: set when the light lies strictly in front of the face's plane.
void markLitFaces(Model& model, Vec4 light);

// v + 10 (v - L).
Vec3 extrudeFromLight(Vec3 vertex, Vec4 light);

// One side of the volume: the silhouette edge a-b of a lit face and its extruded copy, as the strip
// a, a', b, b'.
struct ShadowQuad {
    Vec3 a;
    Vec3 aFar;
    Vec3 b;
    Vec3 bFar;
};

// Calls emit(quad) for every silhouette edge of every lit face, in face order and edge order. An edge is a
// silhouette edge when it has no neighbour or its neighbour is not lit. markLitFaces must have run.
template <typename Emit>
void forEachShadowQuad(const Model& model, Vec4 light, Emit emit) {
    for (const ModelFace& face : model.faces) {
        if (face.lit == 0) continue;
        for (int edge = 0; edge < 3; ++edge) {
            const int neighbour = face.neighbour[edge];
            if (neighbour != 0 && model.faces[static_cast<std::size_t>(neighbour - 1)].lit != 0) continue;
            const Vec3& a = model.positions[static_cast<std::size_t>(face.vertexIndex[edge])];
            const Vec3& b = model.positions[static_cast<std::size_t>(face.vertexIndex[(edge + 1) % 3])];
            emit(ShadowQuad{a, extrudeFromLight(a, light), b, extrudeFromLight(b, light)});
        }
    }
}
