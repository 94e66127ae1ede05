// The GL-free decisions of the 3D picture: the keeper's frame and push pose, the texture slots bound,
// which edges cast shadow quads, the picture's detail for the player's setting. (The fast shadow path's
// screen regions are checked by comparing its pictures with the full path's.)

#include <gtest/gtest.h>

#include <cmath>

#include "formats/model_geometry.h"
#include "layout/floor_footprint.h"
#include "layout/keeper_frame.h"
#include "layout/model_shading.h"
#include "layout/picture_choice.h"
#include "layout/shadow_geometry.h"

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

// A model file may name any texture slot: only the table's own are bound.
TEST(ModelShading, TextureSlotsOutsideTheTableAreNotBound) {
    EXPECT_FALSE(isTextureSlot(0));
    EXPECT_FALSE(isTextureSlot(13));
    EXPECT_FALSE(isTextureSlot(-1));
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

// Sides hanging from the floor are sent only outside its outline, so a side that rises above the floor
// anywhere must never be taken for one of them: that would drop real shadow.
TEST(ShadowGeometry, SidesAboveTheFloorComeFirstAndOnlyTheyAreCounted) {
    auto side = [](float ya, float yb) { return ShadowQuad{{0, ya, 0}, {0, -9, 0}, {1, yb, 0}, {1, -9, 0}}; };
    ShadowQuad sides[] = {side(0, 0), side(0.5f, 0), side(-1, -1), side(0, 0.005f)};
    const Mat4 inPlace = translationMatrix(3.0f, 0.0f, 4.0f);
    ASSERT_EQ(sidesAboveFloorFirst(sides, sides + 4, inPlace), 2);
    EXPECT_EQ(sides[0].a.y, 0.5f);
    EXPECT_EQ(sides[1].b.y, 0.005f);
    // The caster's matrix decides: lifted by one and a half cells all its sides rise above, sunk
    // by more than half a cell none.
    EXPECT_EQ(sidesAboveFloorFirst(sides, sides + 4, translationMatrix(0.0f, 1.5f, 0.0f)), 4);
    EXPECT_EQ(sidesAboveFloorFirst(sides, sides + 4, translationMatrix(0.0f, -0.6f, 0.0f)), 0);
}

// Automatic draws fast only where a software rasterizer does the work; a renderer not named keeps the
// full picture, and the player's own choice holds on any renderer.
TEST(PictureChoice, AutomaticIsFastOnlyOnASoftwareRenderer) {
    const struct {
        const char* renderer;
        PictureDetail detail;
    } cases[] = {{"llvmpipe (LLVM 15.0.6, 256 bits)", PictureDetail::Fast},
                 {"softpipe", PictureDetail::Fast},
                 {"Mesa DRI swrast", PictureDetail::Fast},
                 {"Software Rasterizer", PictureDetail::Fast},
                 {"zink (LLVMPIPE)", PictureDetail::Fast},
                 {"llvm", PictureDetail::Full},
                 {"AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)", PictureDetail::Full},
                 {"", PictureDetail::Full},
                 {nullptr, PictureDetail::Full}};
    for (const auto& c : cases) {
        EXPECT_EQ(resolvePicture(PictureSetting::Automatic, c.renderer), c.detail)
            << (c.renderer != nullptr ? c.renderer : "null");
    }
    EXPECT_EQ(resolvePicture(PictureSetting::Full, "llvmpipe"), PictureDetail::Full);
    EXPECT_EQ(resolvePicture(PictureSetting::Fast, "NVIDIA GeForce"), PictureDetail::Fast);
}

// Full is always the window's size; Fast keeps a window of up to 960 x 540 pixels' worth (the game's 800 x
// 600 among them) and scales a larger one down to that many, keeping its shape, never to a side of 0.
TEST(PictureChoice, FastDrawsTheSceneWithABoundedNumberOfPixels) {
    const struct {
        PictureDetail detail;
        int windowWidth, windowHeight;
        int width, height;
    } cases[] = {
        {PictureDetail::Full, 1920, 1080, 1920, 1080},
        {PictureDetail::Fast, 800, 600, 800, 600},
        {PictureDetail::Fast, 960, 540, 960, 540},
        {PictureDetail::Fast, 1920, 1080, 960, 540},
        {PictureDetail::Fast, 3840, 2160, 960, 540},
        {PictureDetail::Fast, 1280, 960, 831, 624},
        {PictureDetail::Fast, 4000, 100, 4000, 100},
        {PictureDetail::Fast, 100000, 10, 72000, 7},
        {PictureDetail::Fast, 0, 0, 0, 0},
        {PictureDetail::Fast, 1000000, 1, 720000, 1},
    };
    for (const auto& c : cases) {
        const SceneSize size = sceneDrawSize(c.detail, c.windowWidth, c.windowHeight);
        EXPECT_EQ(size.width, c.width) << c.windowWidth << "x" << c.windowHeight;
        EXPECT_EQ(size.height, c.height) << c.windowWidth << "x" << c.windowHeight;
    }
}

}  // namespace
