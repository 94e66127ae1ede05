// The GL-free decisions of the 3D picture: the keeper's frame and push pose, the lamp's grey level, the
// floor's texture coordinates, which edges cast shadow quads, and the screen regions the fast shadow path
// relies on.

#include <gtest/gtest.h>

#include <cmath>

#include "render/floor_footprint.h"
#include "render/model_geometry.h"
#include "render/model_shading.h"
#include "render/scene_rules.h"
#include "render/shadow_geometry.h"

namespace {

TEST(KeeperFrame, RoundsHalvesToEvenAndPicksThePushPoseFacingABox) {
    static ModelTables models;
    models.walkFrames[2].vertexCount = 102;
    models.walkFrames[4].vertexCount = 104;
    models.pushFrames[0].vertexCount = 200;
    EXPECT_EQ(keeperFrameModel(models, 2.5f, false).vertexCount, 102);
    EXPECT_EQ(keeperFrameModel(models, 3.5f, false).vertexCount, 104);
    EXPECT_EQ(keeperFrameModel(models, 1.0f, true).vertexCount, 200);  // push/001 while standing at a box
}

TEST(KeeperFrame, FacingBoxUsesTheDrawnPositions) {
    Board board;
    board.boxes[3] = Box{kBoxActive, 5, 4, 0.0f, 0.0f};
    const Mat4 facingRight = rotationAboutY(90.0f);  // third column (1, 0, 0)
    EXPECT_TRUE(isFacingBox(facingRight, {4.0f, 1.027f, 4.0f}, board));
    EXPECT_FALSE(isFacingBox(facingRight, {3.0f, 1.027f, 4.0f}, board));
    EXPECT_FALSE(isFacingBox(rotationAboutY(0.0f), {4.0f, 1.027f, 4.0f}, board));  // facing +z
    board.boxes[3].offsetX = 1.0f;  // still drawn in the keeper's own cell during its glide
    EXPECT_FALSE(isFacingBox(facingRight, {4.0f, 1.027f, 4.0f}, board));
}

TEST(ModelShading, LampGreyAndPlanarCoordinates) {
    const Vec4 lamp{0.0f, 0.0f, 0.0f, 1.0f};
    EXPECT_FLOAT_EQ(lampGreyLevel(lamp, {0, 0, 0}, {0, 0, 0}), 1.0f);
    EXPECT_NEAR(lampGreyLevel(lamp, {6.2831855f, 0, 0}, {0, 0, 0}), 0.0f, 1e-6f);
    EXPECT_NEAR(lampGreyLevel(lamp, {0, 0, 2.0f}, {0, 0, 2.0f * 6.2831855f - 2.0f}), -1.0f, 1e-5f);
    const PlanarCoord uv = planarTexCoord(3, 5, {0.5f, 0.0f, -0.5f});
    EXPECT_FLOAT_EQ(uv.u, 0.4375f);
    EXPECT_FLOAT_EQ(uv.v, 0.5625f);
    const Vec3 world = cellPosition(3, 5, {0.5f, 0.0f, -0.5f});
    EXPECT_EQ(world.x, 3.5f);
    EXPECT_EQ(world.z, 4.5f);
    EXPECT_FALSE(isTextureSlot(0));
    EXPECT_FALSE(isTextureSlot(13));
    EXPECT_TRUE(isTextureSlot(12));
}

Model triangles(std::initializer_list<std::array<int, 3>> faces, std::vector<Vec3> positions) {
    Model model;
    model.positions = std::move(positions);
    model.normals.assign(model.positions.size(), Vec3{0, 1, 0});
    for (const auto& corners : faces) {
        ModelFace face;
        for (int k = 0; k < 3; ++k) face.vertexIndex[k] = corners[k];
        model.faces.push_back(face);
    }
    computeModelGeometry(model);
    return model;
}

int quadCount(Model& model, Vec4 light) {
    markLitFaces(model, light);
    int count = 0;
    forEachShadowQuad(model, light, [&](const ShadowQuad&) { ++count; });
    return count;
}

TEST(ShadowGeometry, SilhouetteEdgesOfLitFaces) {
    const Vec4 above{0.2f, 5.0f, 0.2f, 1.0f};
    // A lone lit triangle: all three edges are silhouette edges.
    Model one = triangles({{0, 2, 1}}, {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}});
    EXPECT_EQ(quadCount(one, above), 3);
    // Two lit triangles sharing an edge: four quads, none on the shared edge.
    Model two = triangles({{0, 2, 1}, {1, 2, 3}}, {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {1, 0, 1}});
    EXPECT_EQ(quadCount(two, above), 4);
    // Lit from below: nothing faces the light, nothing is cast; a light exactly in the plane lights nothing.
    EXPECT_EQ(quadCount(two, {0.2f, -5.0f, 0.2f, 1.0f}), 0);
    EXPECT_EQ(quadCount(two, {3.0f, 0.0f, 3.0f, 1.0f}), 0);
    // An empty model casts nothing.
    Model none;
    EXPECT_EQ(quadCount(none, above), 0);
    const Vec3 far = extrudeFromLight({1, 0, 0}, {0, 0, 0, 1});
    EXPECT_EQ(far.x, 11.0f);
}

TEST(FloorFootprint, BandsTileTheScreenOutsideTheHiddenRectangle) {
    const PixelRect inside{100, 50, 700, 500};
    PixelRect bands[4];
    const int count = bandsAround(inside, 800, 600, bands);
    EXPECT_EQ(count, 4);
    // Every pixel in exactly one of the bands or the rectangle.
    for (int y = 0; y < 600; y += 7) {
        for (int x = 0; x < 800; x += 7) {
            int owners = (x >= inside.x0 && x < inside.x1 && y >= inside.y0 && y < inside.y1) ? 1 : 0;
            for (int i = 0; i < count; ++i) {
                owners +=
                    (x >= bands[i].x0 && x < bands[i].x1 && y >= bands[i].y0 && y < bands[i].y1) ? 1 : 0;
            }
            ASSERT_EQ(owners, 1) << x << "," << y;
        }
    }
    EXPECT_EQ(bandsAround({0, 0, 800, 600}, 800, 600, bands), 0);
}

TEST(FloorFootprint, VolumeAboveTheFloorIsBoundedOrUnknown) {
    // An orthographic top view: screen x = world x * 10, screen y = -world z * 10 + 300.
    Mat4 topView;
    topView.m[0] = 10.0f / 400.0f;
    topView.m[5] = 0.0f;
    topView.m[9] = -10.0f / 300.0f;
    topView.m[10] = 0.0f;
    topView.m[6] = 1.0f;
    PixelRect rect;
    const Box3 wall{{-0.5f, 0.0f, -0.5f}, {0.5f, 1.0f, 0.5f}};
    ASSERT_EQ(aboveFloorVolumeRect(topView, 800, 600, wall, {0.0f, 20.0f, 0.0f, 1.0f}, rect),
              ScreenBound::Known);
    // The block and its short shadow under a high light: a few pixels round the block's 10 x 10.
    EXPECT_LE(rect.x1 - rect.x0, 20);
    EXPECT_GE(rect.x1 - rect.x0, 10);
    // A light below the caster's top gives no bound; a sunk caster needs nothing inside the outline.
    EXPECT_EQ(aboveFloorVolumeRect(topView, 800, 600, wall, {0.0f, 0.5f, 0.0f, 1.0f}, rect),
              ScreenBound::Unknown);
    const Box3 sunk{{-0.5f, -2.0f, -0.5f}, {0.5f, -1.0f, 0.5f}};
    ASSERT_EQ(aboveFloorVolumeRect(topView, 800, 600, sunk, {0.0f, 20.0f, 0.0f, 1.0f}, rect),
              ScreenBound::Known);
    EXPECT_TRUE(rect.empty());
}

}  // namespace
