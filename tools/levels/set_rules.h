#pragma once

#include <string>
#include <vector>

#include "levels/level_rating.h"

// What the shipped set must be: four bands of levels, limits every level meets, and rules over the whole
// set. The generator chooses by these rules and the audit checks the file against the same ones.

// 48 levels, not the 60 wanted: among the candidates the generator draws in about twelve minutes
// on two cores, no more than that many differ enough in their floors (kMostOverlap) while meeting every
// limit of their band. The bands' sizes follow from the same count: the last band has the fewest
// candidates (four levels past 10^4 states that do not look alike), the first the most.
constexpr int kSetLevels = 48;
constexpr int kTeachingLevels = 8;  // levels 1 to 8 each teach the next Idea

struct Band {
    int first, last;  // level numbers
    int minBoxes, maxBoxes;
    int minPushes, maxPushes;  // maxPushes 0: no upper limit
    bool interleaving;         // every level of the band must need it
    std::size_t minEffort;     // states the push solver expands
};
constexpr Band kBands[] = {
    {1, 15, 1, 3, 1, 20, false, 0},
    {16, 27, 3, 4, 20, 35, false, 0},
    {28, 44, 4, 6, 30, 50, true, 0},
    {45, 48, 5, 8, 15, 0, true, 10000},
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
