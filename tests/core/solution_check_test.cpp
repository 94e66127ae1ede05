// Checking a solution before it is kept: only letters that make exactly the moves they say, pushes where
// they say, ending on the solved level, pass; the counts are those of the moves made.

#include "core/solution_check.h"

#include <gtest/gtest.h>

#include "board_builder.h"

namespace {

TEST(CheckSolution, CountsASolutionThatSolvesTheLevel) {
    Player keeper;
    const Board start = boardFromRows("#######\n#@ $ .#\n#     #\n#######\n", keeper);
    const std::optional<SolutionCount> count = checkSolution(start, keeper, "rRR");
    ASSERT_TRUE(count);
    EXPECT_EQ(count->moves, 3);
    EXPECT_EQ(count->pushes, 2);
    EXPECT_TRUE(checkSolution(start, keeper, "druRR"));  // a detour is still a solution
}

TEST(CheckSolution, RefusesWhatTheMovesDoNotShow) {
    Player keeper;
    const Board start = boardFromRows("#######\n#@ $ .#\n#     #\n#######\n", keeper);
    EXPECT_FALSE(checkSolution(start, keeper, "rrr"));   // pushes written as walks
    EXPECT_FALSE(checkSolution(start, keeper, "RRR"));   // a walk written as a push
    EXPECT_FALSE(checkSolution(start, keeper, "rR"));    // not solved at the end
    EXPECT_FALSE(checkSolution(start, keeper, "urRR"));  // a move into a wall
    EXPECT_FALSE(checkSolution(start, keeper, "rR R"));  // not a move letter
    EXPECT_TRUE(checkSolution(start, keeper, "rRRl"));   // a step after the solving push leaves it solved
}

}  // namespace
