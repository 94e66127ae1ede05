#include "levels/generator/candidate.h"

#include <algorithm>
#include <cstdio>

#include "levels/generator/pull_search.h"
#include "levels/rating/box_order.h"
#include "levels/rating/floor_shape.h"
#include "levels/rating/set_rules.h"

namespace {

constexpr std::size_t kCandidateSolveStates = 250000;
constexpr int kMostTrims = 4;

// The limits the solution alone decides.
bool meetsSolutionLimits(const LevelRating& rating) {
    return rating.longestWalk <= kMostWalk && rating.movesPerPush() <= kMostMovesPerPush &&
           rating.unusedFloor <= kMostUnusedFloor;
}

bool meetsShapeLimits(const SolverLevel& level) {
    return outlineRaggedness(level) <= kMostRaggedness && corridorShare(level) <= kMostCorridorShare;
}

// Start positions to try, drawn from the last layers of the pull search: most with the fewest boxes
// already home, some with a box standing on a goal, which may then have to leave it. Each comes with the
// keeper anywhere in its area.
std::vector<SolverLevel> startsToTry(Random& random, const DrawPlan& plan, const SolverLevel& room,
                                     const std::vector<int>& goals) {
    const std::vector<PulledStart> starts =
        deepestStarts(room, goals, random, plan.beamWidth, plan.pullStates, 2);
    std::vector<const PulledStart*> plain, leaving;
    int deepest = 0;
    for (const PulledStart& start : starts) deepest = std::max(deepest, start.depth);
    for (const PulledStart& start : starts) {
        const int boxes = static_cast<int>(start.boxes.size());
        if (start.boxesOnGoals > 0 && start.boxesOnGoals < boxes) leaving.push_back(&start);
        if ((plan.beamWidth > 0 || start.depth == deepest) && start.boxesOnGoals == 0)
            plain.push_back(&start);
    }
    std::vector<SolverLevel> levels;
    for (int attempt = 0; attempt < plan.startsTried; ++attempt) {
        std::vector<const PulledStart*>& from =
            !leaving.empty() && (plain.empty() || random.chance(plan.leavingPercent)) ? leaving : plain;
        if (from.empty()) break;
        const int pick = random.below(static_cast<int>(from.size()));
        const PulledStart& start = *from[pick];
        from.erase(from.begin() + pick);
        SolverLevel level = room;
        level.boxes = start.boxes;
        KeeperReach reach;
        reach.fill(level, boxOccupancy(level.boxes), start.keeper);
        std::vector<int> area;
        for (int cell = 0; cell < kSolverCellCount; ++cell) {
            if (reach.reached(cell)) area.push_back(cell);
        }
        level.keeper = area[random.below(static_cast<int>(area.size()))];
        levels.push_back(std::move(level));
    }
    return levels;
}

SolveResult quickSolve(const SolverLevel& level) {
    SolveOptions quick;
    quick.maxStates = kCandidateSolveStates;
    quick.maxSeconds = 0.0;
    return solveLevel(level, quick);
}

bool pushesInRange(const DrawPlan& plan, int pushes) {
    return pushes >= plan.minPushes && (plan.maxPushes == 0 || pushes <= plan.maxPushes);
}

// Pulls one box one cell, as the keeper could from where it stands, and leaves the keeper anywhere in its
// new area. Every pull undoes a push, so the level stays solvable. False when the drawn pull is blocked.
bool pullOnce(Random& random, SolverLevel& level) {
    std::vector<std::uint8_t> boxAt = boxOccupancy(level.boxes);
    KeeperReach reach;
    reach.fill(level, boxAt, level.keeper);
    const int box = random.below(static_cast<int>(level.boxes.size()));
    const int step = kCellStep[random.below(4)];
    const int from = level.boxes[box];
    const int stand = from + step;
    const int back = stand + step;
    if (!reach.reached(stand) || level.wall[back] != 0 || boxAt[back] != 0) return false;
    level.boxes[box] = stand;
    std::sort(level.boxes.begin(), level.boxes.end());
    boxAt[from] = 0;
    boxAt[stand] = 1;
    reach.fill(level, boxAt, back);
    std::vector<int> area;
    for (int cell = 0; cell < kSolverCellCount; ++cell) {
        if (reach.reached(cell)) area.push_back(cell);
    }
    level.keeper = area[random.below(static_cast<int>(area.size()))];
    return true;
}

// 1 for every cell the keeper or a box stands on at some point of the solution, the start included.
std::vector<std::uint8_t> cellsTheSolutionTouches(const SolverLevel& level, const std::string& solution) {
    std::vector<std::uint8_t> touched(kSolverCellCount, 0);
    std::vector<std::uint8_t> boxAt = boxOccupancy(level.boxes);
    int keeper = level.keeper;
    touched[keeper] = 1;
    for (const int cell : level.boxes) touched[cell] = 1;
    for (const char letter : solution) {
        const int direction = solutionLetterDirection(letter);
        keeper += kCellStep[direction];
        if (boxAt[keeper] != 0) {
            boxAt[keeper] = 0;
            boxAt[keeper + kCellStep[direction]] = 1;
            touched[keeper + kCellStep[direction]] = 1;
        }
        touched[keeper] = 1;
    }
    return touched;
}

// Walls up one floor cell (one the solution never touches, when onlyUntouched) if the floor stays open,
// connected and within the shape limits.
bool wallUpFloor(Random& random, SolverLevel& level, const std::string& solution, bool onlyUntouched) {
    const std::vector<std::uint8_t> touched = cellsTheSolutionTouches(level, solution);
    std::vector<int> untouched;
    for (const int cell : floorCells(level)) {
        const bool occupied = cell == level.keeper ||
                              std::find(level.boxes.begin(), level.boxes.end(), cell) != level.boxes.end();
        if ((touched[cell] == 0 || !onlyUntouched) && level.goal[cell] == 0 && !occupied)
            untouched.push_back(cell);
    }
    for (int i = static_cast<int>(untouched.size()) - 1; i > 0; --i)
        std::swap(untouched[i], untouched[random.below(i + 1)]);
    for (const int cell : untouched) {
        level.wall[cell] = 1;
        if (isOpenAndConnected(level) && meetsShapeLimits(level)) return true;
        level.wall[cell] = 0;
    }
    return false;
}

// A start and room as the climb sees them: the solver's effort and the floor its solution leaves unused.
struct Standing {
    bool valid = false;
    std::size_t work = 0;  // states the solver expanded to find out
    std::size_t effort = 0;
    int pushes = 0;
    double unused = 1.0;
    std::string solution;
};

Standing standingOf(const DrawPlan& plan, const SolverLevel& level) {
    Standing standing;
    const SolveResult solved = quickSolve(level);
    standing.work = solved.statesExpanded;
    if (solved.status != SolveStatus::Solved || (plan.maxPushes > 0 && solved.pushes > plan.maxPushes))
        return standing;
    standing.valid = true;
    standing.pushes = solved.pushes;
    standing.effort = solved.statesExpanded;
    standing.unused = unusedFloorShare(level, solved.solution);
    standing.solution = solved.solution;
    return standing;
}

// First pushes, until there are enough for the pool; then less unused floor, down to the limit; then more
// effort. Never back under or over a limit once reached.
bool isBetter(const DrawPlan& plan, const Standing& trial, const Standing& current) {
    if (!trial.valid) return false;
    if (current.pushes < plan.minPushes) {
        return trial.pushes > current.pushes ||
               (trial.pushes == current.pushes && trial.effort > current.effort);
    }
    if (trial.pushes < plan.minPushes) return false;
    if (current.unused > kMostUnusedFloor) {
        return trial.unused < current.unused ||
               (trial.unused == current.unused && trial.effort > current.effort);
    }
    return trial.unused <= kMostUnusedFloor && trial.effort > current.effort;
}

// A hill climb over the level: a few random pulls of the start, or a floor cell the solution never uses
// walled up, kept when the level gets better by isBetter.
Standing climb(Random& random, const DrawPlan& plan, SolverLevel& level, Standing current) {
    std::size_t work = 0;  // states the solver expanded for the climb: it stops at plan.climbWork
    for (int attempt = 0; attempt < plan.climbSteps && work < plan.climbWork; ++attempt) {
        // A level still far from what the pool wants after a part of the climb is given up.
        if (work >= plan.climbWork / 5 && current.effort * 5 < plan.minEffort) break;
        if (attempt >= plan.climbSteps / 10 && current.effort * 20 < plan.minEffort) break;
        if (attempt >= plan.climbSteps / 3 && current.effort * 5 < plan.minEffort) break;
        if (attempt >= plan.climbSteps / 3 && current.pushes * 5 < plan.minPushes * 3) break;
        SolverLevel trial = level;
        bool changed = false;
        const bool deepening = current.pushes < plan.minPushes;
        const bool trimming = !deepening && current.unused > kMostUnusedFloor;
        if (random.chance(trimming ? 60 : deepening ? 40 : 10)) {
            // Walls that close short cuts make the way longer; walls on floor nobody uses make it tidier.
            changed = wallUpFloor(random, trial, current.solution, !deepening);
        } else {
            const int pulls = random.between(1, 3);
            for (int pull = 0; pull < pulls; ++pull) changed = pullOnce(random, trial) || changed;
        }
        if (!changed) continue;
        Standing standing = standingOf(plan, trial);
        work += standing.work;
        if (!isBetter(plan, standing, current)) continue;
        current = std::move(standing);
        level = std::move(trial);
    }
    return current;
}

}  // namespace

bool trimUnusedFloor(Random& random, Candidate& candidate) {
    SolverLevel& level = candidate.level;
    const std::vector<std::uint8_t> touched = cellsTheSolutionTouches(level, candidate.rating.solution);
    std::vector<int> unused;
    for (const int cell : floorCells(level)) {
        if (touched[cell] == 0) unused.push_back(cell);
    }
    for (int i = static_cast<int>(unused.size()) - 1; i > 0; --i)
        std::swap(unused[i], unused[random.below(i + 1)]);
    bool walled = false;
    for (const int cell : unused) {
        level.wall[cell] = 1;
        if (isOpenAndConnected(level)) {
            walled = true;
        } else {
            level.wall[cell] = 0;
        }
    }
    if (!walled) return false;
    const int pushes = candidate.rating.pushes;
    candidate.rating = rateSolution(level);
    return candidate.rating.solved && candidate.rating.pushes == pushes;
}

Candidate drawCandidate(const DrawPlan& plan, std::uint64_t seed) {
    Random random(seed);
    Candidate candidate;
    const int boxes = random.between(plan.minBoxes, plan.maxBoxes);
    const SolverLevel room = drawRoom(random, plan.shape, boxes);
    if (std::count(room.wall.begin(), room.wall.end(), 0) == 0) return candidate;
    const std::vector<int> goals = placeGoals(random, room, boxes);
    if (goals.empty()) return candidate;
    SolverLevel withGoals = room;
    for (const int goal : goals) withGoals.goal[goal] = 1;
    withGoals.keeper = goals.front();  // anywhere on the floor, for the shape measures

    candidate.stage = DrawStage::Shape;
    if (!meetsShapeLimits(withGoals)) return candidate;

    // The start the solver finds hardest among those tried, then the climb.
    candidate.stage = DrawStage::Depth;
    Standing best;
    for (SolverLevel& level : startsToTry(random, plan, withGoals, goals)) {
        Standing standing = standingOf(plan, level);
        if (standing.valid && (!best.valid || standing.effort > best.effort)) {
            best = std::move(standing);
            candidate.level = std::move(level);
        }
    }
    if (!best.valid) return candidate;
    best = climb(random, plan, candidate.level, best);
    if (!pushesInRange(plan, measureSolution(candidate.level, best.solution).pushes)) return candidate;
    candidate.stage = DrawStage::Effort;
    if (best.effort < plan.minEffort) return candidate;

    candidate.stage = DrawStage::Order;
    if (plan.interleaving) {
        const BoxOrderSurvey order = surveyBoxOrders(candidate.level, 50000, false);
        if (!order.complete || order.oneAtATime) return candidate;
    }

    // The solution first: its walks, its moves and the floor it leaves unused (walled up when it can be).
    candidate.stage = DrawStage::Rating;
    candidate.rating = rateSolution(candidate.level);
    if (!candidate.rating.solved) return candidate;
    candidate.stage = DrawStage::Solution;
    for (int trim = 0; trim < kMostTrims && candidate.rating.unusedFloor > kMostUnusedFloor; ++trim) {
        if (!trimUnusedFloor(random, candidate)) return candidate;
    }
    if (!meetsSolutionLimits(candidate.rating) || !meetsShapeLimits(candidate.level)) return candidate;
    if (candidate.rating.statesExpanded < plan.minEffort) return candidate;

    // Then the dearer half: the traps and the rest, and a place in the set it would fit.
    candidate.stage = DrawStage::Traps;
    completeRating(candidate.level, candidate.rating);
    if (candidate.rating.traps.trapsPerPush() < plan.minTrapsPerPush) return candidate;
    bool fits = false;
    for (const int number : plan.fitsAt)
        fits = fits || (number > 0 && levelProblems(number, candidate.rating).empty());
    if (!fits) return candidate;
    candidate.stage = DrawStage::Accepted;
    return candidate;
}
