// Taking moves back: a push and a walk undone leave the board, the crates, the keeper and the step count
// exactly as before; nothing happens at the level's start or during a glide; a full history forgets its
// oldest moves, never its newest.

#include "core/move_history.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "board_builder.h"

namespace {

// The board and keeper as the rules see them: cells, every box entry, the keeper's cell, glide and steps.
void expectSameBoard(const Board& actual, const Board& expected) {
    EXPECT_EQ(std::memcmp(actual.cells, expected.cells, sizeof actual.cells), 0);
    for (int i = 0; i < kMaxBoxes; ++i) {
        EXPECT_EQ(actual.boxes[i].active, expected.boxes[i].active) << "box " << i;
        EXPECT_EQ(actual.boxes[i].x, expected.boxes[i].x) << "box " << i;
        EXPECT_EQ(actual.boxes[i].y, expected.boxes[i].y) << "box " << i;
        EXPECT_EQ(actual.boxes[i].offsetX, expected.boxes[i].offsetX) << "box " << i;
        EXPECT_EQ(actual.boxes[i].offsetZ, expected.boxes[i].offsetZ) << "box " << i;
    }
}

void expectSameKeeper(const Player& actual, const Player& expected) {
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.steps, expected.steps);
    EXPECT_EQ(actual.offsetX, expected.offsetX);
    EXPECT_EQ(actual.offsetZ, expected.offsetZ);
}

struct MoveHistoryTest : ::testing::Test {
    // A move as play makes it: the request, the record, the glide to its end.
    void move(Direction direction) {
        recordMove(*history, direction, tryMove(board, player, direction));
        settleAll(board, player);
    }

    std::optional<Direction> undo() {
        const std::optional<Direction> undone = undoMove(*history, board, player);
        settleAll(board, player);
        return undone;
    }

    std::optional<Direction> redo() {
        const std::optional<Direction> redone = redoMove(*history, board, player);
        settleAll(board, player);
        return redone;
    }

    std::unique_ptr<MoveHistory> history = std::make_unique<MoveHistory>();
    Player player;
    Board board;
};

TEST_F(MoveHistoryTest, PushesAndWalksUndoneLeaveEverythingAsBefore) {
    board = boardFromRows("#######\n#@$  .#\n#   $.#\n#######\n", player);
    const Board start = board;
    const Player startKeeper = player;
    move(Direction::Right);  // push crate 0
    move(Direction::Down);   // walk
    move(Direction::Right);  // walk
    move(Direction::Right);  // push crate 1 onto its goal
    ASSERT_EQ(player.steps, 4);
    ASSERT_EQ(board.boxes[1].x, 5);

    EXPECT_EQ(undo(), Direction::Right);
    EXPECT_EQ(board.boxes[1].x, 4);
    EXPECT_EQ(player.steps, 3);
    EXPECT_EQ(undo(), Direction::Right);
    EXPECT_EQ(undo(), Direction::Down);
    EXPECT_EQ(undo(), Direction::Right);
    expectSameBoard(board, start);
    expectSameKeeper(player, startKeeper);
    EXPECT_FALSE(undo());  // the level's start: nothing more to take back
    expectSameKeeper(player, startKeeper);
}

// The keeper and a crate taken back glide back over the cells they came from, as long as a move's glide.
TEST_F(MoveHistoryTest, UndoGlidesBackAndIsIgnoredDuringAGlide) {
    board = boardFromRows("######\n#@$ .#\n######\n", player);
    recordMove(*history, Direction::Right, tryMove(board, player, Direction::Right));
    EXPECT_FALSE(undoMove(*history, board, player));  // still gliding from the push
    EXPECT_EQ(history->count, 1);
    settleAll(board, player);
    ASSERT_TRUE(undoMove(*history, board, player));
    EXPECT_EQ(player.x, 1);
    EXPECT_EQ(player.offsetX, -1.0f);  // drawn at cell 2, where it stood, gliding to 1
    EXPECT_EQ(board.boxes[0].x, 2);
    EXPECT_EQ(board.boxes[0].offsetX, -1.0f);
    int ticks = 0;
    while (isPlayerGliding(player)) {
        settlePlayer(player);
        settleBoxes(board);
        ++ticks;
    }
    EXPECT_EQ(ticks, 9);
    EXPECT_FALSE(isAnyBoxGliding(board));
}

TEST_F(MoveHistoryTest, APushOntoAGoalUndoneUnsolves) {
    board = boardFromRows("#####\n#@$.#\n#####\n", player);
    move(Direction::Right);
    ASSERT_TRUE(isSolved(board));
    undo();
    EXPECT_FALSE(isSolved(board));
}

// Refused and ignored requests are not moves: undo never takes back more than was done.
TEST_F(MoveHistoryTest, OnlyMovesMadeAreRecorded) {
    board = boardFromRows("#####\n#@$#\n#####\n", player);
    move(Direction::Right);  // the crate is against the wall: refused
    move(Direction::Up);     // a wall
    EXPECT_EQ(history->count, 0);
    EXPECT_FALSE(undo());
}

TEST_F(MoveHistoryTest, AFullHistoryForgetsItsOldestMoves) {
    board = boardFromRows("#####\n#@  #\n#####\n", player);
    const int extra = 3;
    for (int i = 0; i < kMoveHistoryCapacity + extra; ++i)
        move(i % 2 == 0 ? Direction::Right : Direction::Left);
    ASSERT_EQ(history->count, kMoveHistoryCapacity);
    int undone = 0;
    while (undo()) ++undone;
    EXPECT_EQ(undone, kMoveHistoryCapacity);
    EXPECT_EQ(player.steps, extra);  // the three oldest moves stay made
    EXPECT_EQ(player.x, 2);          // after Right, Left, Right
    clearMoveHistory(*history);
    EXPECT_EQ(history->count, 0);
}

// Redo makes the moves taken back again, pushes included, until none is left; a new move forgets them, and
// so does a level load.
TEST_F(MoveHistoryTest, RedoMakesTheUndoneMovesAgainUntilANewMove) {
    board = boardFromRows("#######\n#@$  .#\n#   $.#\n#######\n", player);
    move(Direction::Right);  // push crate 0
    move(Direction::Down);
    move(Direction::Right);
    move(Direction::Right);  // push crate 1 onto its goal
    const Board solved = board;
    const Player end = player;
    for (int i = 0; i < 4; ++i) undo();
    ASSERT_EQ(history->redoable, 4);
    // The first redo glides like a move; a second request during the glide is ignored.
    ASSERT_EQ(redoMove(*history, board, player), Direction::Right);
    EXPECT_FALSE(redoMove(*history, board, player));
    settleAll(board, player);
    EXPECT_EQ(redo(), Direction::Down);
    EXPECT_EQ(redo(), Direction::Right);
    EXPECT_EQ(redo(), Direction::Right);
    EXPECT_FALSE(redo());
    expectSameBoard(board, solved);
    expectSameKeeper(player, end);

    undo();
    undo();
    move(Direction::Up);  // a new move: what was taken back is forgotten
    EXPECT_FALSE(redo());
    undo();
    clearMoveHistory(*history);
    EXPECT_FALSE(redo());
}

}  // namespace
