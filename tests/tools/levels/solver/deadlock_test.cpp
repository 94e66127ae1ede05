// Deadlock pruning (dead squares, frozen boxes, unmatched goals) never calls a position dead that an
// exhaustive search through the game's move rule can still solve, and the pruned search stays optimal.

#include "levels/solver/deadlock.h"

#include <gtest/gtest.h>

#include "levels/solver/solver.h"
#include "tools/levels/exhaustive_search.h"

namespace {

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
