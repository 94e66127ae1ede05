// Floor shapes: raggedness and corridors on rooms whose figures are known, floor a solution leaves
// unused, and overlaps that see through turns and mirror images.

#include "levels/rating/floor_shape.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/board_builder.h"

namespace {

SolverLevel levelFromRows(const std::string& rows) {
    Player player;
    const Board board = boardFromRows(rows, player);
    return solverLevelFromBoard(board, player);
}

TEST(FloorShape, RaggednessAndCorridorsOfKnownRooms) {
    const SolverLevel square = levelFromRows("######\n#@   #\n#    #\n#   $#\n#   .#\n######\n");
    EXPECT_EQ(floorCells(square).size(), 16u);
    EXPECT_DOUBLE_EQ(outlineRaggedness(square), 1.0);
    EXPECT_DOUBLE_EQ(corridorShare(square), 0.0);
    // A pillar in the middle adds its four sides; the ring around it is two cells wide nowhere.
    const SolverLevel ring = levelFromRows("#####\n#@$.#\n# # #\n#   #\n#####\n");
    EXPECT_EQ(floorCells(ring).size(), 8u);
    EXPECT_NEAR(outlineRaggedness(ring), 16.0 / (4.0 * std::sqrt(8.0)), 1e-9);
    EXPECT_DOUBLE_EQ(corridorShare(ring), 0.5);  // the middles of the four sides
}

TEST(FloorShape, UnusedFloorAndLongestWalk) {
    const SolverLevel level = levelFromRows("######\n#@$ .#\n#    #\n######\n");
    EXPECT_DOUBLE_EQ(unusedFloorShare(level, "RR"), 4.0 / 8.0);  // the lower row is never touched
    EXPECT_DOUBLE_EQ(unusedFloorShare(level, "RRdl"), 2.0 / 8.0);
    EXPECT_DOUBLE_EQ(unusedFloorShare(level, "L"), 1.0);  // into the wall: not a solution
    EXPECT_EQ(longestWalk("RRdl"), 2);
    EXPECT_EQ(longestWalk("rrdRRuuul"), 4);
    EXPECT_EQ(longestWalk(""), 0);
}

TEST(FloorShape, OverlapSeesTurnsAndMirrorImages) {
    const SolverLevel ell = levelFromRows("#####\n#@  #\n# ###\n# #\n###\n");
    const SolverLevel turned = levelFromRows("#####\n# $.#\n###@#\n  # #\n  ###\n");  // mirrored
    const SolverLevel rotated = levelFromRows("####\n#@ #\n#  #\n#  ###\n#    #\n######\n");
    EXPECT_DOUBLE_EQ(floorOverlap(ell, ell), 1.0);
    EXPECT_DOUBLE_EQ(floorOverlap(ell, turned), 1.0);
    EXPECT_DOUBLE_EQ(floorOverlap(turned, ell), 1.0);
    // The ell, turned, lies inside the larger room's ten cells.
    EXPECT_DOUBLE_EQ(floorOverlap(ell, rotated), 0.5);
}

}  // namespace
