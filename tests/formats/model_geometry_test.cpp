// The derived data of a model: face planes by the shadow code's formula, face and vertex normals, and the
// neighbour pairing by vertex index that the silhouette search follows.

#include "formats/model_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

Model meshOf(const std::vector<Vec3>& positions, const std::vector<std::vector<int>>& triangles) {
    Model model;
    model.positions = positions;
    for (const auto& t : triangles) {
        ModelFace face;
        for (int k = 0; k < 3; ++k) face.vertexIndex[k] = t[static_cast<std::size_t>(k)];
        model.faces.push_back(face);
    }
    computeModelGeometry(model);
    return model;
}

// A tetrahedron wound counter-clockwise from outside.
Model tetrahedron() {
    return meshOf({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}});
}

// The plane test puts the side the counter-clockwise face looks at in front.
TEST(FacePlane, TheSideACounterClockwiseFaceLooksAtIsInFront) {
    const Vec4 plane = facePlane({1, 2, 3}, {3, 2, 3}, {1, 5, 3});
    EXPECT_GT(dot4(plane, {0, 0, 4, 1}), 0.0f);
    EXPECT_LT(dot4(plane, {0, 0, 2, 1}), 0.0f);
}

TEST(Normals, DegenerateFaceGivesZeroNotNaNAndVerticesSumTheirFaces) {
    const Vec3 n = faceNormal({1, 1, 1}, {2, 2, 2}, {3, 3, 3});
    EXPECT_EQ(n.x * n.x + n.y * n.y + n.z * n.z, 0.0f);
    const Model model = tetrahedron();
    // Vertex 0 touches the three faces in the coordinate planes, whose normals are -x, -y and -z.
    const float third = -1.0f / std::sqrt(3.0f);
    EXPECT_NEAR(model.normals[0].x, third, 1e-6f);
    EXPECT_NEAR(model.normals[0].y, third, 1e-6f);
    EXPECT_NEAR(model.normals[0].z, third, 1e-6f);
}

TEST(Neighbours, ClosedSurfacePairsEveryEdgeSymmetrically) {
    const Model model = tetrahedron();
    for (int f = 0; f < model.faceCount; ++f) {
        const ModelFace& face = model.faces[static_cast<std::size_t>(f)];
        for (int edge = 0; edge < 3; ++edge) {
            const int n = face.neighbour[edge];
            ASSERT_GT(n, 0) << "face " << f << " edge " << edge;
            const ModelFace& other = model.faces[static_cast<std::size_t>(n - 1)];
            int backLinks = 0;
            for (const int back : other.neighbour) backLinks += back == f + 1 ? 1 : 0;
            EXPECT_EQ(backLinks, 1);
        }
    }
}

TEST(Neighbours, EdgeGoesWithTheMatchingCornerPairOfSharedVertexIndices) {
    // Two triangles sharing vertices 1 and 2: the shared edge is edge 2 (corner 2 -> 3) of face 0 and
    // edge 1 (corner 1 -> 2) of face 1.
    const Model model = meshOf({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {{0, 1, 2}, {2, 1, 3}});
    EXPECT_EQ(model.faces[0].neighbour[0] + model.faces[0].neighbour[2], 0);
    EXPECT_EQ(model.faces[0].neighbour[1], 2);
    EXPECT_EQ(model.faces[1].neighbour[0], 1);
    EXPECT_EQ(model.faces[1].neighbour[1], 0);
    // The same positions, but face 1 with its own copies of the shared corners: the seam stays open.
    const Model seam =
        meshOf({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 1, 2}, {3, 4, 5}});
    for (const ModelFace& face : seam.faces) {
        for (const int n : face.neighbour) EXPECT_EQ(n, 0);
    }
}

TEST(Neighbours, ThreeFacesOnOneEdgeGiveOnePartnerEachPreferringOppositeWinding) {
    // Faces 0 and 1 run the edge 0-1 the same way; face 2 runs it the other way and pairs with face 0.
    const Model model =
        meshOf({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, -1, 0}}, {{0, 1, 2}, {0, 1, 3}, {1, 0, 4}});
    EXPECT_EQ(model.faces[0].neighbour[0], 3);
    EXPECT_EQ(model.faces[2].neighbour[0], 1);
    EXPECT_EQ(model.faces[1].neighbour[0], 0);
}

}  // namespace
