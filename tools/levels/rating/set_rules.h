#pragma once

#include <string>
#include <vector>

#include "levels/rating/level_rating.h"

// What the shipped set must be: four bands of levels, limits every level meets, and rules over the whole
// set. The generator chooses by these rules and the audit checks the file against the same ones.

// 60 levels: the rule that no two floors cover each other mostly (kMostOverlap) is what limits the set,
// and the rooms' many outline families let about that many differ. The last band is the scarcest: among
// the 13 candidates past 10^4 states its pool draws (about four minutes on two cores), six differ enough
// and stay below the finale, and the bands before it need pools of 40 and 34 candidates to fill 15 and
// 22 levels around them. Smaller pools for these bands leave the set short; the whole generation takes
// about a quarter of an hour on two idle cores.
constexpr int kSetLevels = 60;
constexpr int kTeachingLevels = 8;  // levels 1 to 8 each teach the next Idea

struct Band {
    int first, last;  // level numbers
    int minBoxes, maxBoxes;
    int minPushes, maxPushes;  // maxPushes 0: no upper limit
    bool interleaving;         // every level of the band must need it
    std::size_t minEffort;     // states the push solver expands
};
constexpr Band kBands[] = {
    {1, 17, 1, 3, 1, 20, false, 0},
    {18, 32, 3, 4, 20, 35, false, 0},
    {33, 54, 4, 6, 30, 50, true, 0},
    {55, 60, 5, 8, 15, 0, true, 10000},
};
constexpr int kBandCount = static_cast<int>(sizeof kBands / sizeof kBands[0]);

// Limits on every level.
constexpr int kMostWalk = 15;  // moves in one walk between pushes
constexpr double kMostMovesPerPush = 4.5;
constexpr double kMostUnusedFloor = 0.05;
constexpr double kMostRaggedness = 2.1;
constexpr double kMostCorridorShare = 0.25;
// A level solved one box at a time is allowed after the teaching levels only when hardly any order works,
// and only so many of them in the set.
constexpr double kMostWorkingOrders = 0.05;
constexpr double kMostOneAtATimeShare = 0.10;
constexpr double kLeastLeavingShare = 0.20;  // levels with a box that must leave its goal
constexpr double kMostOverlap = 0.8;         // of two floors, under every turn and mirror image

int bandOf(int number);  // index into kBands; -1 outside the set
double leastTrapsPerPush(int number);

// Everything one level at position number breaks, as short sentences; empty when it meets them all.
std::vector<std::string> levelProblems(int number, const LevelRating& rating);

// The rules over the whole set in order: box counts of the teaching levels, the one-at-a-time share, the
// boxes leaving their goals, the ordering by score and effort, the hardest last, and overlapping floors.
std::vector<std::string> setProblems(const std::vector<LevelRating>& ratings,
                                     const std::vector<SolverLevel>& levels);
