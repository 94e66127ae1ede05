// The cell under the cursor: known points of the picture, projected to the window by the look-at view and
// the perspective written out forwards, must be picked as their own cell through the cursor's ray, with
// the camera settled behind the keeper near and far. A crate's or a wall's top overhangs the row behind
// it on screen; gliding and sinking crates are met where they are drawn. (The ray is checked against the
// driver's own projection by the scene comparison program.)

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <random>

#include "core/board_builder.h"
#include "game/cell_picking.h"
#include "game/scene_pose.h"
#include "game/scene_prepare.h"
#include "layout/cursor_ray.h"
#include "support/project_to_cursor.h"

namespace {

using testing_support::CursorPosition;
using testing_support::projectToCursor;

// Keeper at (4, 4) looking up the rows; a crate at (3, 2) and a wall block at (5, 2) in front of him.
const char* const kRows =
    "#########\n"
    "#       #\n"
    "#  $ #  #\n"
    "#       #\n"
    "#   @   #\n"
    "#########\n";

struct CellPicking : ::testing::Test {
    void SetUp() override {
        board = boardFromRows(kRows, player);
        std::mt19937 random(7);
        prepareLevelScene(scene, board, player, light, random);
    }

    // The camera at rest behind the keeper, as a few seconds of play leave it, and the frame's pose.
    void settleCamera(float zoom) {
        scene.zoom = zoom;
        startGameEye(scene, player);
        resetGameLookAt(scene);
        for (int tick = 0; tick < 2000; ++tick) updateSceneTick(scene, player, board, {});
        settleScenePose(scene, light, board, player, levelEnd);
    }

    std::optional<Ray> rayAt(double cursorX, double cursorY) const {
        return cursorRay(window, scene.eye, scene.lookAt, cursorX, cursorY);
    }

    // The ray through the cursor placed on a world point, which must be in the window.
    Ray rayThrough(Vec3 p) const {
        const std::optional<CursorPosition> cursor = projectToCursor(window, scene, p);
        EXPECT_TRUE(cursor && cursor->x >= 0.0 && cursor->x < window.width && cursor->y >= 0.0 &&
                    cursor->y < window.height);
        const std::optional<Ray> ray = cursor ? rayAt(cursor->x, cursor->y) : std::nullopt;
        return ray ? *ray : Ray{};
    }

    void expectPicked(Vec3 p, int x, int y, PickedObject object, const char* what) const {
        const std::optional<PickedCell> picked = pickCell(rayThrough(p), scene, board);
        ASSERT_TRUE(picked) << what << " at zoom " << scene.zoom;
        EXPECT_EQ(picked->x, x) << what << " at zoom " << scene.zoom;
        EXPECT_EQ(picked->y, y) << what << " at zoom " << scene.zoom;
        EXPECT_EQ(picked->object, object) << what << " at zoom " << scene.zoom;
        const Vec3 miss = vecSub(picked->point, p);
        EXPECT_LT(std::fabs(miss.x) + std::fabs(miss.y) + std::fabs(miss.z), 1e-3f)
            << what << " at zoom " << scene.zoom;
        // The level's one crate is entry 0.
        EXPECT_EQ(picked->boxIndex, object == PickedObject::Crate ? 0 : -1) << what;
    }

    WindowSettings window;
    Board board;
    Player player;
    SceneState scene;
    LightSettings light;
    LevelEnd levelEnd;
};

TEST_F(CellPicking, PointsOfThePictureGiveTheirCellNearAndFar) {
    struct Target {
        const char* what;
        Vec3 point;
        int x;
        int y;
        PickedObject object;
        bool overhangsRowBehind;  // the floor under the same cursor lies in a row further back
    };
    const Target targets[] = {
        {"floor between the crate and the wall", {4.0f, 0.0f, 2.0f}, 4, 2, PickedObject::Floor, false},
        {"floor just in front of the wall", {5.0f, 0.0f, 2.6f}, 5, 3, PickedObject::Floor, false},
        {"floor ahead of the keeper, to the side", {2.0f, 0.0f, 3.0f}, 2, 3, PickedObject::Floor, false},
        {"crate's top", {3.0f, 0.86f, 2.0f}, 3, 2, PickedObject::Crate, false},
        {"far edge of the crate's top", {3.0f, 0.86f, 1.62f}, 3, 2, PickedObject::Crate, true},
        {"crate's near side", {3.0f, 0.3f, 2.43f}, 3, 2, PickedObject::Crate, false},
        {"wall's top", {5.0f, 1.0f, 2.0f}, 5, 2, PickedObject::Wall, false},
        {"far edge of the wall's top", {5.0f, 1.0f, 1.55f}, 5, 2, PickedObject::Wall, true},
        {"wall's near side", {5.0f, 0.5f, 2.5f}, 5, 2, PickedObject::Wall, false},
        {"wall's side facing the keeper's column", {4.5f, 0.5f, 2.0f}, 5, 2, PickedObject::Wall, false},
    };
    for (const float zoom : {kZoomMin, kZoomMax}) {
        settleCamera(zoom);
        for (const Target& t : targets) {
            expectPicked(t.point, t.x, t.y, t.object, t.what);
            if (!t.overhangsRowBehind) continue;
            const Ray ray = rayThrough(t.point);
            const float floorZ = ray.origin.z - ray.origin.y / ray.direction.y * ray.direction.z;
            EXPECT_LT(floorZ, static_cast<float>(t.y) - 0.5f) << t.what << " at zoom " << zoom;
        }
    }
}

TEST_F(CellPicking, CratesAreMetWhereTheyAreDrawn) {
    settleCamera(10.0f);
    // Pushed from (2, 2) to (3, 2) and halfway there: drawn across both cells, standing on the new one.
    board.boxes[0].offsetX = 0.5f;
    settleScenePose(scene, light, board, player, levelEnd);
    expectPicked({2.5f, 0.86f, 2.0f}, 3, 2, PickedObject::Crate, "gliding crate's top");
    // Sinking at the level's end: its top goes down with it, and once under the floor the floor shows.
    board.boxes[0].offsetX = 0.0f;
    levelEnd.boxHeight[0] = -0.5f;
    settleScenePose(scene, light, board, player, levelEnd);
    expectPicked({3.0f, 0.36f, 2.0f}, 3, 2, PickedObject::Crate, "sinking crate's top");
    levelEnd.boxHeight[0] = kSunkHeight;
    settleScenePose(scene, light, board, player, levelEnd);
    expectPicked({3.0f, 0.0f, 2.0f}, 3, 2, PickedObject::Floor, "floor over a sunk crate");
}

TEST_F(CellPicking, NothingOffTheLevelOrOutsideTheWindow) {
    settleCamera(kZoomMax);
    // The far top corners look past the level's floor.
    EXPECT_FALSE(pickCell(*rayAt(0.0, 0.0), scene, board));
    EXPECT_FALSE(pickCell(*rayAt(window.width - 1.0, 0.0), scene, board));
    // The window's middle shows the keeper's floor.
    EXPECT_TRUE(pickCell(*rayAt(window.width / 2.0, window.height / 2.0), scene, board));
    EXPECT_FALSE(rayAt(-1.0, 10.0));
    EXPECT_FALSE(rayAt(window.width, 10.0));
    EXPECT_FALSE(rayAt(10.0, window.height));
    window.height = 0;  // minimised
    EXPECT_FALSE(rayAt(0.0, 0.0));
    // A floor beyond the far plane is not drawn: the camera raised far above the level.
    window.height = 600;
    scene.eye = {4.0f, 40.0f, 20.0f};
    EXPECT_FALSE(pickCell(*rayAt(window.width / 2.0, window.height / 2.0), scene, board));
}

}  // namespace
