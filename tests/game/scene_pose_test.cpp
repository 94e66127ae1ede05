// The pose of the scene the step settles before each frame is drawn.

#include <gtest/gtest.h>

#include "game/scene_pose.h"

namespace {

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

}  // namespace
