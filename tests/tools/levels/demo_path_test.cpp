// Demo paths: straight runs ending in one target each, the closing pair the demo reads but never walks
// to, steering that follows the row before the column, and the shipped "Moves.txt" solving level 1.

#include "levels/demo_path.h"

#include <gtest/gtest.h>

#include <string>

#include "core/board_builder.h"
#include "exhaustive_search.h"
#include "levels/level_set.h"
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

TEST(DemoPath, OneTargetPerStraightRunThenTheLastOnceMore) {
    const std::vector<DemoTarget> path = demoPathFromSolution(1, 1, "rrRdDl");
    ASSERT_EQ(path.size(), 4u);
    EXPECT_EQ(path[0].x, 4);
    EXPECT_EQ(path[0].y, 1);
    EXPECT_EQ(path[1].x, 4);
    EXPECT_EQ(path[1].y, 3);
    EXPECT_EQ(path[2].x, 3);
    EXPECT_EQ(path[2].y, 3);
    EXPECT_EQ(path[3].x, 3);
    EXPECT_EQ(path[3].y, 3);
    EXPECT_EQ(formatDemoPath(path), "4,1\n4,3\n3,3\n3,3\n");
    // Nothing to do still gives the one closing pair to read, on the keeper's own cell.
    EXPECT_EQ(formatDemoPath(demoPathFromSolution(5, 2, "")), "5,2\n5,2\n");
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

TEST(DemoPath, LastPairIsReadButNeverWalked) {
    // A path ending on a far cell: the keeper stops at the target before it.
    const std::string rows = "#######\n#@ $ .#\n#     #\n#######\n";
    const Replayed replayed = replayPath(rows, "3,1\n1,2\n");
    EXPECT_TRUE(replayed.replay.scriptEnded);
    EXPECT_FALSE(replayed.replay.solved);
    EXPECT_EQ(replayed.player.x, 3);
    EXPECT_EQ(replayed.player.y, 1);
}

TEST(ShippedDemo, MovesTxtSolvesLevelOneOfClassic) {
    const std::string levels = std::string(TARMELO_SOURCE_DIR) + "/data/levels/Classic.lvt";
    const std::string moves = std::string(TARMELO_SOURCE_DIR) + "/data/Moves.txt";
    Board board;
    Player player;
    ASSERT_TRUE(loadLevelNumber(levels, 1, board, player));
    ASSERT_FALSE(isSolved(board));
    const DemoReplay replay = replayDemo(board, player, moves.c_str());
    EXPECT_TRUE(replay.scriptEnded);
    EXPECT_TRUE(replay.solved);
    // The closing pair repeats the last target, so the keeper ends where the path says.
    const std::string text = testing_support::readFile(moves);
    const std::size_t lastLine = text.rfind('\n', text.size() - 2);
    const std::size_t lineBefore = text.rfind('\n', lastLine - 1);
    EXPECT_EQ(text.substr(lastLine + 1), text.substr(lineBefore + 1, lastLine - lineBefore));
    EXPECT_EQ(text.substr(lastLine + 1), std::to_string(player.x) + "," + std::to_string(player.y) + "\n");
}

}  // namespace
