// Demo paths: straight runs ending in one target each, the closing pair the demo reads but never walks
// to, and steering that follows the row before the column. (The shipped path is checked by the tool.)

#include "levels/demo_path.h"

#include <gtest/gtest.h>

#include <string>

#include "core/board_builder.h"
#include "exhaustive_search.h"
#include "levels/solver.h"
#include "support/temp_dir.h"

namespace {

struct Replayed {
    DemoReplay replay;
    Player player;
};

Replayed replayPath(const std::string& rows, const std::string& path, int ticksPerFrame = 2) {
    testing_support::TempDir dir;
    testing_support::writeFile(dir / "Moves.txt", path);
    Replayed result;
    Board board = boardFromRows(rows, result.player);
    result.replay = replayDemo(board, result.player, (dir / "Moves.txt").c_str(), ticksPerFrame, 5000);
    return result;
}

TEST(DemoPath, SolverPathsAreStraightAndReplayToSolvedAtAnyFrameRate) {
    for (const std::string& rows : smallLevels()) {
        Player player;
        const Board board = boardFromRows(rows, player);
        const SolveResult result = solveLevel(solverLevelFromBoard(board, player));
        if (result.status != SolveStatus::Solved) continue;
        const std::vector<DemoTarget> path = demoPathFromSolution(player.x, player.y, result.solution);
        int fromX = player.x;
        int fromY = player.y;
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            EXPECT_TRUE((path[i].x == fromX) != (path[i].y == fromY))
                << "target " << i << " is not straight ahead";
            fromX = path[i].x;
            fromY = path[i].y;
        }
        EXPECT_EQ(path.back().x, fromX);
        EXPECT_EQ(path.back().y, fromY);
        // The demo reads a pair at every frame the keeper stands on its target; how many glide ticks a
        // frame holds must not change where it goes.
        for (const int ticks : {1, 2, 5}) {
            const Replayed replayed = replayPath(rows, formatDemoPath(path), ticks);
            EXPECT_TRUE(replayed.replay.scriptEnded) << rows << ticks;
            EXPECT_TRUE(replayed.replay.solved) << rows << ticks;
            EXPECT_EQ(replayed.replay.steps, result.moves);
            EXPECT_EQ(replayed.player.x, path.back().x);
            EXPECT_EQ(replayed.player.y, path.back().y);
        }
    }
}

TEST(DemoPath, ColumnThenRowTurnsKeepTheirCorner) {
    // Right along the top, down the right-hand side, then left to push the box home. Steering takes the
    // row first, so a single target at the bottom right would send the keeper down into the wall.
    const std::string rows = "######\n#@   #\n#### #\n#.$  #\n######\n";
    Player player;
    const Board board = boardFromRows(rows, player);
    const SolveResult result = solveLevel(solverLevelFromBoard(board, player));
    ASSERT_EQ(result.solution, "rrrddlL");
    const std::string path = formatDemoPath(demoPathFromSolution(player.x, player.y, result.solution));
    EXPECT_EQ(path, "4,1\n4,3\n2,3\n2,3\n");
    EXPECT_TRUE(replayPath(rows, path).replay.solved);
    const Replayed cutCorner = replayPath(rows, "4,3\n2,3\n2,3\n");
    EXPECT_FALSE(cutCorner.replay.scriptEnded);  // stuck against the wall below the keeper
    EXPECT_EQ(cutCorner.player.x, 1);
    EXPECT_EQ(cutCorner.player.y, 1);
}

}  // namespace
