// The rules of the shipped set, on made-up figures: each limit of a level named when broken, and the
// rules over the set (the first ideas, the ordering, the finale, alike floors) caught.

#include "levels/rating/set_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/board_builder.h"

namespace {

// A level that meets every limit of level 40.
LevelRating goodRating() {
    LevelRating rating;
    rating.solved = true;
    rating.boxes = 5;
    rating.floor = 40;
    rating.statesExpanded = 5000;
    rating.pushes = 40;
    rating.moves = 120;
    rating.longestWalk = 10;
    rating.order.complete = true;
    rating.traps.pushes = 40;
    rating.traps.counts[static_cast<int>(PushVerdict::HiddenDeadlock)] = 30;
    rating.raggedness = 1.8;
    rating.corridorShare = 0.1;
    return rating;
}

bool mentions(const std::vector<std::string>& problems, const std::string& text) {
    return std::any_of(problems.begin(), problems.end(),
                       [&](const std::string& problem) { return problem.find(text) != std::string::npos; });
}

TEST(SetRules, EveryLimitOfALevelIsNamed) {
    EXPECT_TRUE(levelProblems(40, goodRating()).empty());
    LevelRating rating = goodRating();
    rating.longestWalk = 16;
    rating.moves = 181;
    rating.unusedFloor = 0.06;
    rating.raggedness = 2.2;
    rating.corridorShare = 0.3;
    rating.order.oneAtATime = true;  // the band needs interleaving
    rating.traps.counts[static_cast<int>(PushVerdict::HiddenDeadlock)] = 20;
    const std::vector<std::string> problems = levelProblems(40, rating);
    EXPECT_EQ(problems.size(), 7u);
    EXPECT_TRUE(mentions(problems, "a walk of 16 moves"));
    EXPECT_TRUE(mentions(problems, "0.50 traps per push"));
    // The same figures are fine where the limits are lower, and other bands want other boxes.
    rating = goodRating();
    rating.traps.counts[static_cast<int>(PushVerdict::HiddenDeadlock)] = 0;
    rating.pushes = 10;
    rating.traps.pushes = 10;
    rating.moves = 30;
    rating.boxes = 2;
    rating.order.oneAtATime = true;
    rating.order.orders = 2.0;
    rating.order.workingOrders = 1.0;
    EXPECT_TRUE(levelProblems(5, rating).empty());
    EXPECT_TRUE(mentions(levelProblems(9, rating), "one box at a time in 50%"));
    EXPECT_TRUE(mentions(levelProblems(45, rating), "boxes, the band wants"));
    EXPECT_EQ(bandOf(0), -1);
    EXPECT_EQ(bandOf(kSetLevels), kBandCount - 1);
}

TEST(SetRules, TheWholeSetIsOrderedAndVaried) {
    Player player;
    const SolverLevel small = solverLevelFromBoard(boardFromRows("#####\n#@$.#\n#####\n", player), player);
    const SolverLevel large =
        solverLevelFromBoard(boardFromRows("######\n#@   #\n#  $ #\n#  . #\n######\n", player), player);
    std::vector<LevelRating> ratings;
    std::vector<SolverLevel> levels;
    for (int number = 1; number <= kSetLevels; ++number) {
        LevelRating rating = goodRating();
        rating.statesExpanded = 100 * static_cast<std::size_t>(number);
        rating.ideas = number <= kTeachingLevels ? (1u << number) - 1 : 0xFFu;  // one new idea each
        rating.boxLeavesGoal = number % 4 == 3;
        ratings.push_back(rating);
        levels.push_back(number % 2 == 0 ? small : large);
    }
    const std::vector<std::string> clean = setProblems(ratings, levels);
    // Every other level has the same floor: those are the only complaints.
    ASSERT_FALSE(clean.empty());
    for (const std::string& problem : clean)
        EXPECT_NE(problem.find("share 100% of their floor"), std::string::npos) << problem;

    ratings[20].statesExpanded = 800;  // less than half of the 1800 the five before it take at the median
    ratings[3].ideas = ratings[2].ideas;
    const std::vector<std::string> broken = setProblems(ratings, levels);
    EXPECT_TRUE(mentions(broken, "level 21 takes less than half the median effort"));
    EXPECT_TRUE(mentions(broken, "level 21 scores below level 20"));
    EXPECT_TRUE(mentions(broken, "level 4 teaches nothing new"));
    EXPECT_TRUE(mentions(broken, "level 5 brings several new ideas"));
    ratings.back().statesExpanded = 10;
    EXPECT_TRUE(mentions(setProblems(ratings, levels),
                         "level " + std::to_string(kSetLevels - 1) + " is as hard as the last"));
}

}  // namespace
