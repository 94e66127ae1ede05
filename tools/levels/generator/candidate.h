#pragma once

#include <cstddef>
#include <cstdint>

#include "levels/generator/room.h"
#include "levels/rating/level_rating.h"

// One candidate level: a room, goals, a start pulled back from the goals as far as the search reaches,
// then tested stage by stage, cheapest first, against what its pool asks for.

struct DrawPlan {
    RoomShape shape;
    int minBoxes, maxBoxes;
    int minPushes, maxPushes;  // maxPushes 0: no upper limit
    std::size_t beamWidth;     // positions kept in each layer of the pull search, 0 for all
    std::size_t pullStates;    // positions the pull search may see
    std::size_t minEffort;     // states the push solver must expand
    bool interleaving;         // reject levels solved one box at a time
    double minTrapsPerPush;
    int leavingPercent;     // how often a start with a box on a goal is tried
    int startsTried;        // starts from one pull search solved to find the hardest
    int climbSteps;         // tries to make the level better by a few pulls or a wall
    std::size_t climbWork;  // states the solver may expand for those tries
    int fitsAt[2];          // level numbers: a candidate must meet every limit of one of them
};

// Where a candidate was turned away, for the generator's progress lines.
enum class DrawStage {
    Room,
    Shape,     // raggedness or corridors over the limits
    Depth,     // no start with pushes in range
    Effort,    // too easy for the solver
    Order,     // solved one box at a time where the pool wants interleaving
    Rating,    // the rating could not finish
    Solution,  // a long walk, many moves per push or unused floor, even after trimming
    Traps,     // too few traps, or no place in the set it meets every limit of
    Accepted,
};
constexpr int kDrawStageCount = 9;

struct Candidate {
    SolverLevel level;
    LevelRating rating;
    DrawStage stage = DrawStage::Room;
};

Candidate drawCandidate(const DrawPlan& plan, std::uint64_t seed);

// Walls up floor the solution never touches, a cell at a time while the floor stays open and connected;
// then rates the solution again. False when nothing could be walled up or the pushes changed.
bool trimUnusedFloor(Random& random, Candidate& candidate);
