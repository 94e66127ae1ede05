#pragma once

#include <cstddef>
#include <string>

#include "levels/rating/box_order.h"
#include "levels/rating/trap_survey.h"
#include "levels/solver/solver.h"

// Everything the level tool knows about one level as a puzzle: how hard the solver finds it, what its best
// solution looks like, whether it is solved one box at a time, how many traps lie beside the solution, and
// the shape of its floor. The set is chosen, ordered and checked by these figures.

// What a beginner's level can teach, from the simplest. A first level teaches the one idea it holds that
// no level before it held.
enum class Idea {
    Corner,          // a box pushed into a corner is lost
    WallLine,        // so is one pushed against a wall with no goal along it
    Freeze,          // two boxes side by side against a wall, or four in a square, never move again
    CorridorBlock,   // a box in a corridor one cell wide cannot be fetched back
    HiddenDeadlock,  // a push that loses the level long before any box is stuck
    FillingOrder,    // the goals must be filled in the right order
    BoxOffItsGoal,   // a box that starts on a goal has to leave it
    Parking,         // a box has to be set aside and fetched later
};
constexpr int kIdeaCount = 8;
const char* ideaName(Idea idea);

struct RatingOptions {
    std::size_t solveStates = 2000000;  // the push solver
    std::size_t moveStates = 4000000;   // the fewest-moves solver, whose positions include the keeper's cell
    std::size_t trapStates = 150000;    // proof of one wrong push
    std::size_t orderSearches = 50000;  // single-box searches of the one-at-a-time survey
    std::size_t leaveStates = 300000;   // proof that a box must leave its goal
};

struct LevelRating {
    bool solved = false;  // false: nothing below is known
    int boxes = 0;
    int floor = 0;                   // cells the keeper can walk on without boxes
    std::size_t statesExpanded = 0;  // positions the push solver expanded: the effort of the level
    int pushes = 0;                  // the fewest pushes
    std::string solution;            // among the solutions with the fewest pushes, one with the fewest moves
    int moves = 0;
    int boxLines = 0;  // of that solution
    int boxChanges = 0;
    int longestWalk = 0;
    BoxOrderSurvey order;
    TrapSurvey traps;
    double unusedFloor = 0.0;  // share of the floor the solution never touches
    double raggedness = 0.0;
    double corridorShare = 0.0;  // share of the floor in corridors one cell wide
    bool boxLeavesGoal = false;  // a box that starts on a goal must leave it
    unsigned ideas = 0;          // bit per Idea the level holds

    double movesPerPush() const { return pushes > 0 ? static_cast<double>(moves) / pushes : 0.0; }
    double boxesPerFloorCell() const { return floor > 0 ? static_cast<double>(boxes) / floor : 0.0; }
    // Boxes must be moved in turns: more than one box and no one-at-a-time solution.
    bool interleaving() const { return boxes > 1 && order.complete && !order.oneAtATime; }
    bool holds(Idea idea) const { return (ideas >> static_cast<int>(idea) & 1u) != 0; }
    // Difficulty for ordering a band: the solver's effort, the traps and the need to interleave.
    double score() const;
};

LevelRating rateLevel(const SolverLevel& level, const RatingOptions& options = RatingOptions{});

// The two halves of rateLevel, for the generator, which turns a level away on its solution before paying
// for the rest: the solvers, the solution's figures and the floor's shape; then the box orders, the traps,
// the boxes leaving their goals and the ideas.
LevelRating rateSolution(const SolverLevel& level, const RatingOptions& options = RatingOptions{});
void completeRating(const SolverLevel& level, LevelRating& rating,
                    const RatingOptions& options = RatingOptions{});

// The idea a level holds that none of the earlier ones did (ideas as bits), kNoNewIdea when it brings
// none, kSeveralNewIdeas when it brings more than one.
constexpr int kNoNewIdea = -1;
constexpr int kSeveralNewIdeas = -2;
int newIdea(unsigned ideas, unsigned earlierIdeas);

// Whether some box that starts on a goal has to leave it in every solution: with that box frozen in
// place as a wall the rest of the level cannot be solved.
bool mustABoxLeaveItsGoal(const SolverLevel& level, std::size_t maxStates);
