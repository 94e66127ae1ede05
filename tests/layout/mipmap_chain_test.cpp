// The texture loader's mipmap chain: complete down to 1 x 1, each level the rounded box average of the last.

#include <gtest/gtest.h>

#include "layout/mipmap_chain.h"

namespace {

// Trilinear filtering samples an incomplete texture as no texture at all: every chain must end at 1 x 1.
TEST(MipmapChain, HalvingReachesOneByOneInTheCountedLevels) {
    EXPECT_EQ(mipLevelCount(1, 1), 1);
    EXPECT_EQ(mipLevelCount(5, 3), 3);  // 5x3, 2x1, 1x1
    EXPECT_EQ(mipLevelCount(0, 16), 0);
    Image image = makeImage(512, 256, 10, 20, 30, 40);
    int levels = 1;
    while (image.width > 1 || image.height > 1) {
        image = halvedImage(image);
        ASSERT_TRUE(isImageValid(image));
        ++levels;
    }
    EXPECT_EQ(levels, mipLevelCount(512, 256));
    EXPECT_EQ(levels, 10);
    EXPECT_EQ(pixelAt(image, 0, 0)[3], 40);  // a flat image keeps its colour all the way down
    EXPECT_FALSE(isImageValid(halvedImage(Image{})));
}

// Each channel, alpha included, is the rounded average of the 2 x 2 block below it, block by block.
TEST(MipmapChain, PixelsAreTheRoundedAverageOfTheirBlock) {
    Image image = makeImage(4, 2);
    pixelAt(image, 1, 0)[0] = pixelAt(image, 0, 1)[0] = pixelAt(image, 1, 1)[0] = 255;  // 765 / 4 = 191.25
    pixelAt(image, 2, 0)[3] = 1;  // the right block's alphas sum to 3: 0.75 rounds to 1, truncation gives 0
    pixelAt(image, 3, 1)[3] = 2;
    const Image half = halvedImage(image);
    ASSERT_EQ(half.width, 2);
    ASSERT_EQ(half.height, 1);
    EXPECT_EQ(pixelAt(half, 0, 0)[0], 191);
    EXPECT_EQ(pixelAt(half, 1, 0)[3], 1);
    EXPECT_EQ(pixelAt(half, 1, 0)[0], 0);
}

// A one-pixel-wide column halves only in height; reading a second column would run past each row.
TEST(MipmapChain, ThinImagesHalveAlongTheirLongSideOnly) {
    Image column = makeImage(1, 4);
    pixelAt(column, 0, 2)[1] = 200;
    pixelAt(column, 0, 3)[1] = 100;
    const Image half = halvedImage(column);
    ASSERT_EQ(half.width, 1);
    ASSERT_EQ(half.height, 2);
    EXPECT_EQ(pixelAt(half, 0, 1)[1], 150);
}

}  // namespace
