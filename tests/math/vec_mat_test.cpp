// Vectors and rigid matrices: the guarded zero length, the w that takes no part, and the inverse that
// brings the light into an object's space.

#include <gtest/gtest.h>

#include "math/mat4.h"
#include "math/vec.h"

namespace {

TEST(Vec, ZeroLengthIsGuardedAndWIsIgnored) {
    EXPECT_EQ(vecLength({0, 0, 0}), 1.0f);
    Vec3 zero{0, 0, 0};
    vecNormalize(zero);
    EXPECT_EQ(zero.x + zero.y + zero.z, 0.0f);
    EXPECT_EQ(vecSubPoint4({1, 2, 3}, {1, 1, 1, 5}).z, 2.0f);
    EXPECT_EQ(distanceToLight({1, 1, 1, 99}, {1, 1, 1}), 0.0f);
    EXPECT_EQ(dot4({0, 1, 0, 0}, {3, 0, 1, 1}), 0.0f);  // on the plane: not in front
    const Vec4 p = transformPoint(translationMatrix(5, 0, 0), {1, 2, 3, 0});
    EXPECT_EQ(p.x, 6.0f);  // the translation applies whatever w
    EXPECT_EQ(p.w, 0.0f);
}

TEST(Mat4, RigidInverseUndoesTheMatrix) {
    for (const float degrees : {0.0f, 90.0f, 180.0f, 270.0f, 33.0f}) {
        const Mat4 m = matMultiply(translationMatrix(3.5f, 1.027f, 8.0f), rotationAboutY(degrees));
        const Vec4 p{1.5f, -2.0f, 0.25f, 1.0f};
        const Vec4 back = transformPoint(rigidInverse(m), transformPoint(m, p));
        EXPECT_NEAR(back.x, p.x, 1e-5f) << degrees;
        EXPECT_NEAR(back.y, p.y, 1e-5f) << degrees;
        EXPECT_NEAR(back.z, p.z, 1e-5f) << degrees;
        EXPECT_EQ(back.w, p.w);
    }
}

TEST(Mat4, TurnAboutYMatchesTheFixedFunctionConvention) {
    // glRotatef(90, 0, 1, 0) takes +x to -z; translation after rotation turns about the object's origin.
    const Vec4 x = transformPoint(rotationAboutY(90.0f), {1, 0, 0, 1});
    EXPECT_NEAR(x.x, 0.0f, 1e-6f);
    EXPECT_NEAR(x.z, -1.0f, 1e-6f);
    const Vec4 p =
        transformPoint(matMultiply(translationMatrix(2, 0, 3), rotationAboutY(180.0f)), {1, 0, 0, 1});
    EXPECT_NEAR(p.x, 1.0f, 1e-6f);
    EXPECT_NEAR(p.z, 3.0f, 1e-6f);
}

}  // namespace
