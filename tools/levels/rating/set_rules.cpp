#include "levels/rating/set_rules.h"

#include <algorithm>
#include <cstdio>

#include "levels/rating/figures.h"
#include "levels/rating/floor_shape.h"

int bandOf(int number) {
    for (int band = 0; band < kBandCount; ++band) {
        if (number >= kBands[band].first && number <= kBands[band].last) return band;
    }
    return -1;
}

double leastTrapsPerPush(int number) {
    if (number < kTeachingLevels) return 0.0;
    if (number <= 20) return 0.3;
    if (bandOf(number) == kBandCount - 1) return 1.0;
    return 0.6;
}

std::vector<std::string> levelProblems(int number, const LevelRating& rating) {
    std::vector<std::string> problems;
    if (!rating.solved) return {"not solved within the rating's limits"};
    const int band = bandOf(number);
    if (band < 0) return {"outside the set's " + std::to_string(kSetLevels) + " levels"};
    const Band& limits = kBands[band];
    if (rating.boxes < limits.minBoxes || rating.boxes > limits.maxBoxes)
        problems.push_back(figureText("%.0f boxes, the band wants %.0f", rating.boxes, limits.minBoxes) +
                           " to " + std::to_string(limits.maxBoxes));
    if (rating.pushes < limits.minPushes || (limits.maxPushes > 0 && rating.pushes > limits.maxPushes))
        problems.push_back(
            figureText("%.0f pushes, outside the band's range from %.0f", rating.pushes, limits.minPushes));
    if (rating.statesExpanded < limits.minEffort)
        problems.push_back(figureText("%.0f states expanded, the band wants %.0f",
                                      static_cast<double>(rating.statesExpanded),
                                      static_cast<double>(limits.minEffort)));
    if (!rating.order.complete) problems.push_back("the one-box-at-a-time survey ran out of budget");
    const bool rareOrder = rating.order.oneAtATime && rating.order.share() <= kMostWorkingOrders;
    if (limits.interleaving && !rating.interleaving()) {
        problems.push_back("solved one box at a time, but the band needs interleaving");
    } else if (number > kTeachingLevels && rating.boxes >= 2 && !rating.interleaving() && !rareOrder) {
        problems.push_back(
            figureText("solved one box at a time in %.0f%% of the goal orders (at most %.0f%%)",
                       100.0 * rating.order.share(), 100.0 * kMostWorkingOrders));
    }
    if (rating.traps.trapsPerPush() < leastTrapsPerPush(number))
        problems.push_back(figureText("%.2f traps per push, fewer than %.2f", rating.traps.trapsPerPush(),
                                      leastTrapsPerPush(number)));
    if (rating.traps.counts[static_cast<int>(PushVerdict::Unknown)] > 0)
        problems.push_back("some wrong pushes could not be judged within the budget");
    if (rating.longestWalk > kMostWalk)
        problems.push_back(figureText("a walk of %.0f moves (at most %.0f)", rating.longestWalk, kMostWalk));
    if (rating.movesPerPush() > kMostMovesPerPush)
        problems.push_back(
            figureText("%.2f moves per push (at most %.2f)", rating.movesPerPush(), kMostMovesPerPush));
    if (rating.unusedFloor > kMostUnusedFloor)
        problems.push_back(figureText("%.1f%% of the floor unused (at most %.0f%%)",
                                      100.0 * rating.unusedFloor, 100.0 * kMostUnusedFloor));
    if (rating.raggedness > kMostRaggedness)
        problems.push_back(
            figureText("outline raggedness %.2f (at most %.2f)", rating.raggedness, kMostRaggedness));
    if (rating.corridorShare > kMostCorridorShare)
        problems.push_back(figureText("%.0f%% of the floor in one-cell corridors (at most %.0f%%)",
                                      100.0 * rating.corridorShare, 100.0 * kMostCorridorShare));
    return problems;
}

std::vector<std::string> setProblems(const std::vector<LevelRating>& ratings,
                                     const std::vector<SolverLevel>& levels) {
    std::vector<std::string> problems;
    const int count = static_cast<int>(ratings.size());
    if (count != kSetLevels) problems.push_back(figureText("%.0f levels, not %.0f", count, kSetLevels));
    int oneAtATime = 0;
    int leaving = 0;
    int firstLeaving = 0;
    for (int i = 0; i < count; ++i) {
        if (ratings[i].boxes > 1 && ratings[i].order.oneAtATime) ++oneAtATime;
        if (ratings[i].boxLeavesGoal) {
            ++leaving;
            if (firstLeaving == 0) firstLeaving = i + 1;
        }
    }
    if (oneAtATime > kMostOneAtATimeShare * count)
        problems.push_back(figureText("%.0f multi-box levels are solved one box at a time (at most %.0f)",
                                      oneAtATime, kMostOneAtATimeShare * count));
    if (leaving < kLeastLeavingShare * count)
        problems.push_back(figureText("%.0f levels with a box that must leave its goal (at least %.0f)",
                                      leaving, kLeastLeavingShare * count));
    // The first levels each bring one idea of their own, so that together they teach them all.
    unsigned ideas = 0;
    for (int i = 0; i < std::min(count, kTeachingLevels); ++i) {
        const int idea = newIdea(ratings[i].ideas, ideas);
        if (idea == kNoNewIdea) problems.push_back(figureText("level %.0f teaches nothing new", i + 1));
        if (idea == kSeveralNewIdeas)
            problems.push_back(figureText("level %.0f brings several new ideas at once", i + 1));
        ideas |= ratings[i].ideas;
    }
    if (firstLeaving == 0 || firstLeaving > kTeachingLevels)
        problems.push_back(
            figureText("the first box that must leave its goal comes at level %.0f", firstLeaving));

    for (int i = 1; i < count; ++i) {
        if (bandOf(i + 1) == bandOf(i) && ratings[i].score() < ratings[i - 1].score() && i > kTeachingLevels)
            problems.push_back(figureText("level %.0f scores below level %.0f in its band", i + 1, i));
    }
    for (int i = 5; i < count; ++i) {
        std::vector<double> before;
        for (int j = i - 5; j < i; ++j) before.push_back(static_cast<double>(ratings[j].statesExpanded));
        if (static_cast<double>(ratings[i].statesExpanded) < 0.5 * median(before))
            problems.push_back(
                figureText("level %.0f takes less than half the median effort of the five before it", i + 1));
    }
    for (int i = 0; i + 1 < count; ++i) {
        if (ratings[i].score() >= ratings.back().score() ||
            ratings[i].statesExpanded >= ratings.back().statesExpanded)
            problems.push_back(figureText("level %.0f is as hard as the last", i + 1));
    }
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            const double overlap = floorOverlap(levels[i], levels[j]);
            if (overlap >= kMostOverlap)
                problems.push_back(figureText("levels %.0f and ", i + 1) +
                                   figureText("%.0f share %.0f%% of their floor", j + 1, 100.0 * overlap));
        }
    }
    return problems;
}
