// Demo paths: straight runs ending in one target each, the pairs the demo reads but never walks to, and
// steering that follows the row before the column; the show's walk round the level, which pushes nothing and
// turns back only in dead ends, and its pause. (The shipped path is checked by the tool.)

#include "levels/demo/demo_path.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/board_builder.h"
#include "levels/demo/demo_tour.h"
#include "levels/solver/solver.h"
#include "support/temp_dir.h"
#include "tools/levels/exhaustive_search.h"

namespace {

struct Replayed {
    DemoReplay replay;
    Player player;
};

Replayed replayPath(const std::string& rows, const std::string& path,
                    double frameSeconds = kDemoFrameSeconds) {
    testing_support::TempDir dir;
    testing_support::writeFile(dir / "Moves.txt", path);
    Replayed result;
    Board board = boardFromRows(rows, result.player);
    result.replay = replayDemo(board, result.player, (dir / "Moves.txt").c_str(), frameSeconds, 5000);
    return result;
}

bool sameCell(const DemoTarget& a, const DemoTarget& b) {
    return a.x == b.x && a.y == b.y;
}

TEST(DemoPath, ShowsAreStraightAndReplayToSolvedAtAnyFrameRate) {
    const DemoShowOptions options{2, 1};
    for (const std::string& rows : smallLevels()) {
        Player player;
        const Board board = boardFromRows(rows, player);
        const SolveResult result = solveLevel(solverLevelFromBoard(board, player));
        if (result.status != SolveStatus::Solved) continue;
        const std::vector<DemoTarget> path = demoShow(board, player, result.solution, options);
        ASSERT_FALSE(path.empty()) << rows;
        // The pause: the last target repeated, one frame each, after the pair that makes the keeper walk to
        // it.
        std::size_t held = 0;
        while (held < path.size() && sameCell(path[path.size() - 1 - held], path.back())) ++held;
        EXPECT_GE((held - 1) * kDemoFrameSeconds, options.pauseSeconds) << rows;
        DemoTarget from{player.x, player.y};
        for (std::size_t i = 0; i + held < path.size(); ++i) {
            EXPECT_TRUE((path[i].x == from.x) != (path[i].y == from.y))
                << rows << "target " << i << " is not straight ahead";
            from = path[i];
        }
        // The demo reads a pair at every frame the keeper stands on its target; how many glide ticks a
        // frame holds must not change where it goes.
        for (const double frameSeconds : {1.0 / 60.0, kDemoFrameSeconds, 5.0 / 60.0}) {
            const Replayed replayed = replayPath(rows, formatDemoPath(path), frameSeconds);
            EXPECT_TRUE(replayed.replay.scriptEnded) << rows << frameSeconds;
            EXPECT_TRUE(replayed.replay.solved) << rows << frameSeconds;
            EXPECT_EQ(replayed.player.x, path.back().x);
            EXPECT_EQ(replayed.player.y, path.back().y);
        }
        // Counted at the game's fastest, the walk and the pause last at least what was asked.
        EXPECT_GE(replayPath(rows, formatDemoPath(path)).replay.seconds,
                  options.walkSeconds + options.pauseSeconds)
            << rows;
    }
}

// The walk before the solution, played with the game's own moves: every step walks (a push would spoil the
// level before the solution starts), it ends where it was sent, it is as long as asked, and it turns back
// only where a dead end (one open neighbour) leaves no other way: no pacing to and fro.
TEST(DemoTour, WalksRoundWithoutPushingOrPacing) {
    std::vector<std::string> levels = smallLevels();
    levels.push_back("#######\n#     #\n# @$. #\n#     #\n#######\n");  // a room: never a turn back
    for (const std::string& rows : levels) {
        Player player;
        Board board = boardFromRows(rows, player);
        const int endX = player.x;
        const int endY = player.y;
        const std::optional<std::string> tour = demoTour(board, player, 40, endX, endY);
        ASSERT_TRUE(tour.has_value()) << rows;
        EXPECT_GE(tour->size(), 40u) << rows;
        for (std::size_t i = 0; i < tour->size(); ++i) {
            const Direction direction = static_cast<Direction>(solutionLetterDirection((*tour)[i]));
            const MoveResult move = tryMove(board, player, direction);
            ASSERT_TRUE(move.moved) << rows << "step " << i;
            EXPECT_EQ(move.pushedBox, -1) << rows << "step " << i;
            settlePlayer(player);
            while (isPlayerGliding(player)) settlePlayer(player);
            if (i + 1 == tour->size() ||
                solutionLetterDirection((*tour)[i + 1]) != (static_cast<int>(direction) ^ 1))
                continue;
            int open = 0;
            for (const Direction side : {Direction::Up, Direction::Down, Direction::Left, Direction::Right}) {
                const CellStep step = directionStep(side);
                open += !isWall(board, player.x + step.dx, player.y + step.dy) &&
                        findBox(board, player.x + step.dx, player.y + step.dy) < 0;
            }
            EXPECT_EQ(open, 1) << rows << "turns back at step " << i << " in " << *tour;
        }
        EXPECT_EQ(player.x, endX);
        EXPECT_EQ(player.y, endY);
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
