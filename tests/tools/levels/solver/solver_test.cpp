// The solver: fewest pushes on levels whose answer is known, agreement with an exhaustive search through
// the game's own move rule, solutions that replay, and the limits and verdicts the level tool reports.

#include "levels/solver/solver.h"

#include <gtest/gtest.h>

#include "core/board_builder.h"
#include "tools/levels/exhaustive_search.h"

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

// The guided search must find what the plain one finds, in the fewest pushes, looking at no more; its
// solution must replay through the game's own tryMove, with the push letters exactly where boxes move.
TEST(Solver, AgreesWithExhaustiveSearchAndReplaysThroughTryMove) {
    for (const std::string& rows : smallLevels()) {
        const PositionGraph graph = explorePositions(rows);
        const SolverLevel level = levelFromRows(rows);
        const SolveResult guided = solveLevel(level);
        const SolveResult plain = solveLevel(level, plainBreadthFirst());
        if (!graph.solvable[0]) {
            EXPECT_EQ(guided.status, SolveStatus::NoSolution) << rows;
            EXPECT_EQ(plain.status, SolveStatus::NoSolution) << rows;
            continue;
        }
        ASSERT_EQ(guided.status, SolveStatus::Solved) << rows;
        ASSERT_EQ(plain.status, SolveStatus::Solved) << rows;
        EXPECT_EQ(guided.pushes, graph.fewestPushes[0]) << rows;
        EXPECT_EQ(plain.pushes, graph.fewestPushes[0]) << rows;
        EXPECT_LE(guided.statesStored, plain.statesStored) << rows;

        Player player;
        Board board = boardFromRows(rows, player);
        for (const char letter : guided.solution) {
            const int direction = solutionLetterDirection(letter);
            ASSERT_GE(direction, 0) << letter;
            const Position before = positionOf(board, player);
            const int steps = player.steps;
            tryMove(board, player, static_cast<Direction>(direction));
            settleAll(board, player);
            ASSERT_EQ(player.steps, steps + 1) << "refused move " << letter << " in " << guided.solution;
            const bool pushed = positionOf(board, player).boxes != before.boxes;
            EXPECT_EQ(pushed, letter >= 'A' && letter <= 'Z') << "wrong case of " << letter;
        }
        EXPECT_TRUE(isSolved(board)) << rows;
    }
}

// A position no push can finish, or one already finished. (The tool's verdicts on missing keepers and
// search limits are checked with the level files.)
TEST(Solver, CornersAndCorridorsHaveNoSolutionAndASolvedLevelNeedsNone) {
    EXPECT_EQ(solveLevel(levelFromRows("########\n#@$$ ..#\n########\n")).status, SolveStatus::NoSolution);
    EXPECT_EQ(solveLevel(levelFromRows("#####\n#$  #\n# @.#\n#####\n")).status, SolveStatus::NoSolution);
    EXPECT_EQ(solveLevel(levelFromRows("#####\n#@* #\n#####\n")).pushes, 0);
}

}  // namespace
