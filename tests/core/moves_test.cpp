// The move rule and the glide: what blocks, what a push does, what counts as a step, and the exact
// length of a glide in single precision.

#include "core/moves.h"

#include <gtest/gtest.h>

#include "board_builder.h"

namespace {

TEST(TryMove, WalkCountsAStepAndStartsAGlide) {
    Player player;
    Board board = boardFromRows("#####\n#@ .#\n#####\n", player);
    tryMove(board, player, Direction::Right);
    EXPECT_EQ(player.x, 2);
    EXPECT_EQ(player.steps, 1);
    EXPECT_EQ(player.offsetX, 1.0f);
    EXPECT_EQ(player.offsetZ, 0.0f);
    // Goal cells are walkable like floor.
    settleAll(board, player);
    tryMove(board, player, Direction::Right);
    EXPECT_EQ(player.x, 3);
    EXPECT_EQ(player.steps, 2);
}

TEST(TryMove, PushMovesTheBoxInLockstep) {
    Player player;
    Board board = boardFromRows("######\n#@$ .#\n######\n", player);
    tryMove(board, player, Direction::Right);
    EXPECT_EQ(player.x, 2);
    EXPECT_EQ(board.boxes[0].x, 3);
    EXPECT_EQ(board.boxes[0].offsetX, player.offsetX);
    EXPECT_EQ(board.boxes[0].offsetZ, player.offsetZ);
    EXPECT_EQ(player.steps, 1);  // pushes are steps like walks
    // The box's cell changes at the push; it is drawn sliding from its old cell.
    EXPECT_EQ(board.boxes[0].x - board.boxes[0].offsetX, 2.0f);
}

// A wall, a push into a box and a push into a wall: nothing moves, no step counts, no glide starts.
TEST(TryMove, BlockedMovesAndPushesChangeNothing) {
    Player player;
    Board board = boardFromRows("######\n#@$$ #\n#   $#\n#   ##\n######\n", player);
    const struct {
        int x, y;
        Direction direction;
    } cases[] = {{1, 1, Direction::Up}, {1, 1, Direction::Right}, {4, 1, Direction::Down}};
    for (const auto& c : cases) {
        player.x = c.x;
        player.y = c.y;
        tryMove(board, player, c.direction);
        EXPECT_EQ(player.x, c.x);
        EXPECT_EQ(player.y, c.y);
        EXPECT_EQ(player.steps, 0);
        EXPECT_EQ(player.offsetX + player.offsetZ, 0.0f);
        for (const Box& box : board.boxes) EXPECT_EQ(box.offsetX + box.offsetZ, 0.0f);
    }
    EXPECT_EQ(board.boxes[0].x, 2);
    EXPECT_EQ(board.boxes[2].y, 2);
}

TEST(TryMove, RequestsWhileGlidingAreIgnoredNotQueued) {
    Player player;
    Board board = boardFromRows("######\n#@   #\n######\n", player);
    tryMove(board, player, Direction::Right);
    for (int tick = 0; tick < 8; ++tick) {
        settlePlayer(player);
        tryMove(board, player, Direction::Right);
        EXPECT_EQ(player.x, 2) << "tick " << tick;
    }
    settlePlayer(player);  // the ninth tick ends the glide
    tryMove(board, player, Direction::Right);
    EXPECT_EQ(player.x, 3);
    EXPECT_EQ(player.steps, 2);
}

TEST(TryMove, NeverLeavesTheGrid) {
    // An empty board (a level that was not found) has no walls at all.
    Board board;
    Player player;
    tryMove(board, player, Direction::Up);
    tryMove(board, player, Direction::Left);
    EXPECT_EQ(player.x, 0);
    EXPECT_EQ(player.y, 0);
    EXPECT_EQ(player.steps, 0);

    // A box on the last column cannot be pushed past it.
    player.x = kBoardWidth - 2;
    player.y = 5;
    board.boxes[0] = Box{kBoxActive, kBoardWidth - 1, 5, 0.0f, 0.0f};
    tryMove(board, player, Direction::Right);
    EXPECT_EQ(board.boxes[0].x, kBoardWidth - 1);
    EXPECT_EQ(player.x, kBoardWidth - 2);
    player.x = 3;
    player.y = kBoardHeight - 1;
    tryMove(board, player, Direction::Down);
    EXPECT_EQ(player.y, kBoardHeight - 1);
}

TEST(FindBox, LowestActiveIndexOnly) {
    Board board;
    board.boxes[3] = Box{kBoxActive, 2, 2, 0.0f, 0.0f};
    board.boxes[5] = Box{kBoxActive, 2, 2, 0.0f, 0.0f};
    board.boxes[1] = Box{0, 2, 2, 0.0f, 0.0f};  // a free entry keeps old coordinates
    EXPECT_EQ(findBox(board, 2, 2), 3);
    EXPECT_EQ(findBox(board, 1, 2), -1);
    EXPECT_TRUE(isWall(board, -1, 0));
    EXPECT_TRUE(isWall(board, 0, kBoardHeight));
    EXPECT_FALSE(isWall(board, 0, 0));
}

TEST(Settle, GlideTakesExactlyNineTicksEitherWay) {
    for (const float start : {1.0f, -1.0f}) {
        Player player;
        player.offsetZ = start;
        int ticks = 0;
        while (player.offsetZ != 0.0f && ticks < 100) {
            settlePlayer(player);
            ++ticks;
        }
        EXPECT_EQ(ticks, 9) << start;
    }
    // Offsets decay one step per tick, each axis on its own, for active boxes only.
    Board board;
    board.boxes[0] = Box{kBoxActive, 1, 1, 1.0f, 0.0f};
    board.boxes[1] = Box{0, 1, 1, 1.0f, 0.0f};
    settleBoxes(board);
    EXPECT_FLOAT_EQ(board.boxes[0].offsetX, 0.9f);
    EXPECT_EQ(board.boxes[1].offsetX, 1.0f);
    EXPECT_TRUE(isAnyBoxGliding(board));
}

}  // namespace
