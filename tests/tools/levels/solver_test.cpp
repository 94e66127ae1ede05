// The solver: fewest pushes on levels whose answer is known, agreement with an exhaustive search through
// the game's own move rule, solutions that replay, and the limits and verdicts the level tool reports.

#include "levels/solver.h"

#include <gtest/gtest.h>

#include "core/board_builder.h"
#include "exhaustive_search.h"

namespace {

SolverLevel levelFromRows(const std::string& rows) {
    Player player;
    const Board board = boardFromRows(rows, player);
    return solverLevelFromBoard(board, player);
}

SolveOptions plainBreadthFirst() {
    SolveOptions options;
    options.pruneDeadlocks = false;
    options.useHeuristic = false;
    return options;
}

TEST(Solver, FindsTheFewestPushesOnHandCountedLevels) {
    struct Case {
        const char* rows;
        int pushes;
        int moves;
    };
    const Case cases[] = {
        {"#######\n#@ $ .#\n#######\n", 2, 3},
        // Two pushes right along the top, then two down the right-hand wall.
        {"######\n#    #\n# $  #\n#  @ #\n#   .#\n######\n", 4, -1},
        // The goal under the keeper: walk round the box and push it back.
        {"######\n#+$  #\n#    #\n######\n", 1, 5},
        // Already solved: nothing to do.
        {"#####\n#@* #\n#####\n", 0, 0},
    };
    for (const Case& c : cases) {
        const SolveResult result = solveLevel(levelFromRows(c.rows));
        ASSERT_EQ(result.status, SolveStatus::Solved) << c.rows;
        EXPECT_EQ(result.pushes, c.pushes) << c.rows;
        if (c.moves >= 0) EXPECT_EQ(result.moves, c.moves) << c.rows;
    }
}

TEST(Solver, AgreesWithExhaustiveSearchOnFewestPushes) {
    for (const std::string& rows : smallLevels()) {
        const PositionGraph graph = explorePositions(rows);
        const SolverLevel level = levelFromRows(rows);
        const SolveResult guided = solveLevel(level);
        const SolveResult plain = solveLevel(level, plainBreadthFirst());
        if (graph.solvable[0]) {
            ASSERT_EQ(guided.status, SolveStatus::Solved) << rows;
            ASSERT_EQ(plain.status, SolveStatus::Solved) << rows;
            EXPECT_EQ(guided.pushes, graph.fewestPushes[0]) << rows;
            EXPECT_EQ(plain.pushes, graph.fewestPushes[0]) << rows;
            // The guided search is the one the tool relies on for speed: it must not look at more.
            EXPECT_LE(guided.statesStored, plain.statesStored) << rows;
        } else {
            EXPECT_EQ(guided.status, SolveStatus::NoSolution) << rows;
            EXPECT_EQ(plain.status, SolveStatus::NoSolution) << rows;
        }
    }
}

TEST(Solver, SolutionReplaysThroughTryMoveToASolvedBoard) {
    for (const std::string& rows : smallLevels()) {
        Player player;
        Board board = boardFromRows(rows, player);
        const SolveResult result = solveLevel(solverLevelFromBoard(board, player));
        if (result.status != SolveStatus::Solved) continue;
        for (const char letter : result.solution) {
            const int direction = solutionLetterDirection(letter);
            ASSERT_GE(direction, 0) << letter;
            const Position before = positionOf(board, player);
            const int steps = player.steps;
            tryMove(board, player, static_cast<Direction>(direction));
            settleAll(board, player);
            ASSERT_EQ(player.steps, steps + 1) << "refused move " << letter << " in " << result.solution;
            const bool pushed = positionOf(board, player).boxes != before.boxes;
            EXPECT_EQ(pushed, letter >= 'A' && letter <= 'Z') << "wrong case of " << letter;
        }
        EXPECT_TRUE(isSolved(board)) << rows;
    }
}

TEST(Solver, ReportsNoSolutionLimitsAndAMissingKeeper) {
    // A box in a corner off the goal.
    EXPECT_EQ(solveLevel(levelFromRows("#####\n#$  #\n# @.#\n#####\n")).status, SolveStatus::NoSolution);
    // Two boxes in a row in a corridor can never be pushed one by one.
    EXPECT_EQ(solveLevel(levelFromRows("########\n#@$$ ..#\n########\n")).status, SolveStatus::NoSolution);
    SolveOptions tiny;
    tiny.maxStates = 3;
    EXPECT_EQ(solveLevel(levelFromRows(smallLevels()[2]), tiny).status, SolveStatus::LimitReached);
    SolverLevel noKeeper = levelFromRows("#######\n#@ $ .#\n#######\n");
    noKeeper.keeper = kNoCell;
    EXPECT_EQ(solveLevel(noKeeper).status, SolveStatus::NoKeeper);
}

TEST(MeasureSolution, CountsBoxLinesAndBoxChanges) {
    // One box: a line to the right, a walk round, a line down.
    const SolutionFigures turn =
        measureSolution(levelFromRows("#######\n#     #\n#@$   #\n#     #\n#   . #\n#######\n"), "RRurDD");
    EXPECT_TRUE(turn.valid && turn.solved);
    EXPECT_EQ(turn.moves, 6);
    EXPECT_EQ(turn.pushes, 4);
    EXPECT_EQ(turn.boxLines, 2);
    EXPECT_EQ(turn.boxChanges, 0);

    // Two boxes, one push each.
    const SolverLevel two = levelFromRows("#######\n#     #\n#@$ $.#\n# .   #\n#######\n");
    const SolutionFigures both = measureSolution(two, "urrdRullD");
    EXPECT_TRUE(both.valid && both.solved);
    EXPECT_EQ(both.boxLines, 2);
    EXPECT_EQ(both.boxChanges, 1);

    EXPECT_FALSE(measureSolution(two, "Ruu").valid);  // into the wall
    EXPECT_FALSE(measureSolution(two, "r").valid);    // a push spelled as a walk
    EXPECT_FALSE(measureSolution(two, "U").valid);    // a walk spelled as a push
    EXPECT_FALSE(measureSolution(two, "x").valid);
    EXPECT_FALSE(measureSolution(two, "urrdR").solved);
}

}  // namespace
