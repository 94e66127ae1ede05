// Room outlines: whatever the family and turn, the outline fits the sides it was given and opens about
// the floor it was asked for, so rooms keep the size their boxes want.

#include "levels/generator/room_outline.h"

#include <gtest/gtest.h>

namespace {

TEST(RoomOutline, FitsItsSidesAndOpensAboutTheFloorWanted) {
    for (const double wanted : {12.0, 40.0, 90.0}) {
        double opened = 0.0;
        constexpr int kDraws = 400;
        for (int draw = 0; draw < kDraws; ++draw) {
            Random random(
                derivedSeed(7, static_cast<std::uint64_t>(wanted), static_cast<std::uint64_t>(draw)));
            const RoomOutline outline = drawOutline(random, wanted, 20, 22);
            ASSERT_GE(outline.width, 3);
            ASSERT_LE(outline.width, 22);
            ASSERT_LE(outline.height, 22);
            ASSERT_EQ(outline.open.size(), static_cast<std::size_t>(outline.width * outline.height));
            ASSERT_GT(outline.openCount(), 0);
            ASSERT_LE(outline.wallPercent, 20);
            opened += outline.openCount() * (100 - outline.wallPercent) / 100.0;
        }
        // Small rooms come out larger: every family has a least size of its own.
        EXPECT_GT(opened / kDraws, 0.9 * wanted) << wanted;
        EXPECT_LT(opened / kDraws, (wanted < 20 ? 2.0 : 1.15) * wanted) << wanted;
    }
}

}  // namespace
