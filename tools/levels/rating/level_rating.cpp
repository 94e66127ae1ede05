#include "levels/rating/level_rating.h"

#include <algorithm>
#include <cmath>

#include "levels/rating/floor_shape.h"
#include "levels/solver/fewest_moves.h"

const char* ideaName(Idea idea) {
    switch (idea) {
        case Idea::Corner:
            return "corner";
        case Idea::WallLine:
            return "wall line";
        case Idea::Freeze:
            return "freeze";
        case Idea::CorridorBlock:
            return "corridor block";
        case Idea::HiddenDeadlock:
            return "hidden deadlock";
        case Idea::FillingOrder:
            return "filling order";
        case Idea::BoxOffItsGoal:
            return "box off its goal";
        case Idea::Parking:
            return "parking";
    }
    return "?";
}

int newIdea(unsigned ideas, unsigned earlierIdeas) {
    const unsigned fresh = ideas & ~earlierIdeas;
    if (fresh == 0) return kNoNewIdea;
    if ((fresh & (fresh - 1)) != 0) return kSeveralNewIdeas;
    int idea = 0;
    while ((fresh >> idea & 1u) == 0) ++idea;
    return idea;
}

double LevelRating::score() const {
    return std::log2(1.0 + static_cast<double>(statesExpanded)) + 1.5 * traps.trapsPerPush() +
           (interleaving() ? 1.0 : 0.0);
}

bool mustABoxLeaveItsGoal(const SolverLevel& level, std::size_t maxStates) {
    for (const int cell : level.boxes) {
        if (level.goal[cell] == 0) continue;
        SolverLevel frozen = level;
        frozen.wall[cell] = 1;
        frozen.goal[cell] = 0;
        frozen.boxes.erase(std::find(frozen.boxes.begin(), frozen.boxes.end(), cell));
        SolveOptions options;
        options.maxStates = maxStates;
        options.maxSeconds = 0.0;
        if (solveLevel(frozen, options).status == SolveStatus::NoSolution) return true;
    }
    return false;
}

LevelRating rateSolution(const SolverLevel& level, const RatingOptions& options) {
    LevelRating rating;
    rating.boxes = static_cast<int>(level.boxes.size());
    rating.floor = static_cast<int>(floorCells(level).size());
    SolveOptions pushOptions;
    pushOptions.maxStates = options.solveStates;
    pushOptions.maxSeconds = 0.0;
    const SolveResult pushSolution = solveLevel(level, pushOptions);
    if (pushSolution.status != SolveStatus::Solved) return rating;
    SolveOptions moveOptions;
    moveOptions.maxStates = options.moveStates;
    moveOptions.maxSeconds = 0.0;
    const SolveResult moveSolution = solveFewestMoves(level, moveOptions);
    if (moveSolution.status != SolveStatus::Solved || moveSolution.pushes != pushSolution.pushes)
        return rating;

    rating.solved = true;
    rating.statesExpanded = pushSolution.statesExpanded;
    rating.pushes = pushSolution.pushes;
    rating.solution = moveSolution.solution;
    const SolutionFigures figures = measureSolution(level, rating.solution);
    rating.moves = figures.moves;
    rating.boxLines = figures.boxLines;
    rating.boxChanges = figures.boxChanges;
    rating.longestWalk = longestWalk(rating.solution);
    rating.unusedFloor = unusedFloorShare(level, rating.solution);
    rating.raggedness = outlineRaggedness(level);
    rating.corridorShare = corridorShare(level);
    return rating;
}

void completeRating(const SolverLevel& level, LevelRating& rating, const RatingOptions& options) {
    if (!rating.solved) return;
    rating.order = surveyBoxOrders(level, options.orderSearches);
    rating.traps = surveyTraps(level, rating.solution, options.trapStates);
    rating.boxLeavesGoal = mustABoxLeaveItsGoal(level, options.leaveStates);
    rating.ideas = 0;
    auto hold = [&](Idea idea, bool present) {
        if (present) rating.ideas |= 1u << static_cast<int>(idea);
    };
    const auto& counts = rating.traps.counts;
    hold(Idea::Corner, counts[static_cast<int>(PushVerdict::Corner)] > 0);
    hold(Idea::WallLine, counts[static_cast<int>(PushVerdict::WallLine)] > 0);
    hold(Idea::Freeze, counts[static_cast<int>(PushVerdict::Freeze)] > 0);
    hold(Idea::CorridorBlock, counts[static_cast<int>(PushVerdict::CorridorBlock)] +
                                      counts[static_cast<int>(PushVerdict::DeadCorridor)] >
                                  0);
    hold(Idea::HiddenDeadlock, counts[static_cast<int>(PushVerdict::HiddenDeadlock)] > 0);
    hold(Idea::FillingOrder, counts[static_cast<int>(PushVerdict::FillingOrder)] > 0);
    hold(Idea::BoxOffItsGoal, rating.boxLeavesGoal);
    hold(Idea::Parking, rating.interleaving());
}

LevelRating rateLevel(const SolverLevel& level, const RatingOptions& options) {
    LevelRating rating = rateSolution(level, options);
    completeRating(level, rating, options);
    return rating;
}
