// Vectors, the plane test and rigid matrices: the guarded cases (zero length), the parts that must take
// no part (w), and the inverse that brings the light into an object's space.

#include <gtest/gtest.h>

#include "math/mat4.h"
#include "math/vec.h"

namespace {

TEST(Vec, ZeroLengthIsGuarded) {
    EXPECT_EQ(vecLength({0, 0, 0}), 1.0f);
    Vec3 zero{0, 0, 0};
    vecNormalize(zero);
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);
    Vec3 up{0, 0, 2};
    vecNormalize(up);
    EXPECT_EQ(up.z, 1.0f);
    EXPECT_FLOAT_EQ(vecLength({3, 4, 12}), 13.0f);
}

TEST(Vec, ArithmeticAndTheIgnoredW) {
    const Vec3 d = vecSubPoint4({1, 2, 3}, {1, 1, 1, 5});
    EXPECT_EQ(d.x, 0.0f);
    EXPECT_EQ(d.y, 1.0f);
    EXPECT_EQ(d.z, 2.0f);
    const Vec3 sum = vecAdd(vecScale({1, 2, 3}, 2.0f), vecDivide({4, 8, 16}, 4.0f));
    EXPECT_EQ(sum.x, 3.0f);
    EXPECT_EQ(sum.y, 6.0f);
    EXPECT_EQ(sum.z, 10.0f);
    EXPECT_EQ(vecSub({1, 1, 1}, {1, 2, 3}).z, -2.0f);
    EXPECT_EQ(distanceToLight({0, 0, 0, 1}, {3, 4, 0}), 5.0f);
    EXPECT_EQ(distanceToLight({1, 1, 1, 99}, {1, 1, 1}), 0.0f);
}

TEST(Vec, PlaneTestValue) {
    const Vec4 floorPlane{0, 1, 0, 0};
    EXPECT_GT(dot4(floorPlane, {3, 2, 1, 1}), 0.0f);
    EXPECT_EQ(dot4(floorPlane, {3, 0, 1, 1}), 0.0f);  // on the plane: not in front
    EXPECT_EQ(dot4({1, 2, 3, 4}, {5, 6, 7, 8}), 70.0f);
}

TEST(Mat4, TransformAppliesTranslationWhateverW) {
    const Mat4 move = translationMatrix(5, 0, 0);
    const Vec4 p = transformPoint(move, {1, 2, 3, 0});
    EXPECT_EQ(p.x, 6.0f);
    EXPECT_EQ(p.y, 2.0f);
    EXPECT_EQ(p.z, 3.0f);
    EXPECT_EQ(p.w, 0.0f);
}

TEST(Mat4, RigidInverseUndoesTheMatrix) {
    const Mat4 inverse = rigidInverse(translationMatrix(4, 0, -7));
    EXPECT_EQ(inverse.m[12], -4.0f);
    EXPECT_EQ(inverse.m[13], 0.0f);
    EXPECT_EQ(inverse.m[14], 7.0f);

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
    // glRotatef(90, 0, 1, 0) takes +x to -z and +z to +x.
    const Vec4 x = transformPoint(rotationAboutY(90.0f), {1, 0, 0, 1});
    EXPECT_NEAR(x.x, 0.0f, 1e-6f);
    EXPECT_NEAR(x.z, -1.0f, 1e-6f);
    const Vec4 z = transformPoint(rotationAboutY(90.0f), {0, 0, 1, 1});
    EXPECT_NEAR(z.x, 1.0f, 1e-6f);
    // Translation after rotation: the turn happens about the object's own origin.
    const Mat4 m = matMultiply(translationMatrix(2, 0, 3), rotationAboutY(180.0f));
    const Vec4 p = transformPoint(m, {1, 0, 0, 1});
    EXPECT_NEAR(p.x, 1.0f, 1e-6f);
    EXPECT_NEAR(p.z, 3.0f, 1e-6f);
}

}  // namespace
