// Deadlock pruning: dead squares, frozen boxes and unmatched goals are found, and none of them ever
// calls a position dead that an exhaustive search through the game's move rule can still solve.

#include "levels/deadlock.h"

#include <gtest/gtest.h>

#include "core/board_builder.h"
#include "exhaustive_search.h"
#include "levels/solver.h"

namespace {

SolverLevel levelFromRows(const std::string& rows) {
    Player player;
    const Board board = boardFromRows(rows, player);
    return solverLevelFromBoard(board, player);
}

TEST(DeadSquares, CornersAndGoallessWallsAreDeadGoalsAreNot) {
    const SolverLevel level = levelFromRows("#######\n#     #\n# @   #\n#    .#\n#######\n");
    const DeadlockTables tables = buildDeadlockTables(level);
    EXPECT_TRUE(tables.deadSquare[solverCell(1, 1)]);   // corner
    EXPECT_TRUE(tables.deadSquare[solverCell(3, 1)]);   // along the top wall, which has no goal
    EXPECT_TRUE(tables.deadSquare[solverCell(1, 2)]);   // along the left wall
    EXPECT_FALSE(tables.deadSquare[solverCell(5, 3)]);  // the goal itself, in a corner
    EXPECT_FALSE(tables.deadSquare[solverCell(2, 3)]);  // along the bottom wall towards the goal
    EXPECT_FALSE(tables.deadSquare[solverCell(3, 2)]);
    EXPECT_EQ(tables.pushDistance[0][solverCell(3, 2)], 3);
}

TEST(FreezeDeadlock, BoxesHoldingEachOtherOffGoalsAreDead) {
    auto frozen = [](const std::string& rows, int x, int y) {
        const SolverLevel level = levelFromRows(rows);
        return isFreezeDeadlock(level, buildDeadlockTables(level), boxOccupancy(level.boxes),
                                solverCell(x, y));
    };
    // Two boxes side by side against the top wall.
    EXPECT_TRUE(frozen("#######\n# $$  #\n# @ ..#\n#######\n", 2, 1));
    // The same pair standing on goals is finished, not dead.
    EXPECT_FALSE(frozen("#######\n# **  #\n# @   #\n#######\n", 2, 1));
    // One on a goal, one off: still dead.
    EXPECT_TRUE(frozen("#######\n# *$  #\n# @  .#\n#######\n", 2, 1));
    // A square of four boxes in open floor, none on a goal.
    EXPECT_TRUE(frozen("########\n#      #\n# $$ @ #\n# $$   #\n# .... #\n#      #\n########\n", 2, 2));
    // A box against a wall that has a goal can still slide along it.
    EXPECT_FALSE(frozen("#######\n#  $ .#\n# @   #\n#######\n", 3, 1));
    // A chain that ends in a free box is not frozen.
    EXPECT_FALSE(frozen("#######\n#     #\n# $$  #\n#@  ..#\n#######\n", 2, 2));
}

TEST(GoalMatching, BoundIsTheCheapestAssignmentAndFailsWhenGoalsAreShared) {
    const SolverLevel level = levelFromRows("########\n#      #\n# $  $ #\n#.@   .#\n########\n");
    const DeadlockTables tables = buildDeadlockTables(level);
    // Each box is two pushes from its nearer goal.
    EXPECT_EQ(goalMatchingBound(tables, level.boxes), 4);
    // Both boxes stuck on the top wall can reach no goal: no assignment.
    const std::vector<int> stuck = {solverCell(2, 1), solverCell(5, 1)};
    EXPECT_EQ(goalMatchingBound(tables, stuck), kNoMatching);
    // A corridor where both boxes can only reach the same goal.
    const SolverLevel corridor = levelFromRows("#########\n#.$@  $ #\n##### ###\n    #.#\n    ###\n");
    EXPECT_EQ(goalMatchingBound(buildDeadlockTables(corridor), corridor.boxes), kNoMatching);
}

TEST(DeadlockPruning, NeverCallsASolvablePositionDead) {
    int deadFound = 0;
    for (const std::string& rows : smallLevels()) {
        const PositionGraph graph = explorePositions(rows);
        const SolverLevel base = solverLevelFromBoard(graph.board, graph.start);
        const DeadlockTables tables = buildDeadlockTables(base);
        for (std::size_t at = 0; at < graph.positions.size(); ++at) {
            std::vector<int> boxes;
            for (const auto& [x, y] : graph.positions[at].boxes) boxes.push_back(solverCell(x, y));
            const std::vector<std::uint8_t> boxAt = boxOccupancy(boxes);
            // Any box may be the one just pushed.
            for (const int box : boxes) {
                const bool dead = isDeadlockAfterPush(base, tables, boxAt, boxes, box);
                if (dead) ++deadFound;
                ASSERT_FALSE(dead && graph.solvable[at]) << rows << "solvable position called dead, box at "
                                                         << solverCellX(box) << "," << solverCellY(box);
            }
        }
    }
    EXPECT_GT(deadFound, 1000);  // the check has teeth on these levels
}

TEST(DeadlockPruning, PrunedSearchSolvesEverySolvablePositionInTheFewestPushes) {
    for (const std::string& rows : smallLevels()) {
        const PositionGraph graph = explorePositions(rows);
        for (std::size_t at = 0; at < graph.positions.size(); at += 7) {
            SolverLevel level = solverLevelFromBoard(graph.board, graph.start);
            level.boxes.clear();
            for (const auto& [x, y] : graph.positions[at].boxes) level.boxes.push_back(solverCell(x, y));
            std::sort(level.boxes.begin(), level.boxes.end());
            level.keeper = solverCell(graph.positions[at].keeperX, graph.positions[at].keeperY);
            const SolveResult result = solveLevel(level);
            if (graph.solvable[at]) {
                ASSERT_EQ(result.status, SolveStatus::Solved) << rows << "position " << at;
                ASSERT_EQ(result.pushes, graph.fewestPushes[at]) << rows << "position " << at;
            } else {
                ASSERT_EQ(result.status, SolveStatus::NoSolution) << rows << "position " << at;
            }
        }
    }
}

}  // namespace
