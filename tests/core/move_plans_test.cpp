// Plans for play by pointing: walks that are shortest and go round boxes, the cells a box can be pushed to,
// and push plans with the fewest pushes, then the fewest moves, checked against the level tool's
// fewest-moves solver and replayed through the game's own tryMove.

#include "core/move_plans.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "board_builder.h"
#include "levels/solver/fewest_moves.h"

namespace {

// Plays steps through tryMove, each glide run to its end. Counts the pushes; a refused step, or a push of
// any box but boxIndex, makes the count -1.
int replayPushes(Board& board, Player& player, const std::vector<Direction>& steps, int boxIndex) {
    int pushes = 0;
    for (const Direction step : steps) {
        const MoveResult move = tryMove(board, player, step);
        settleAll(board, player);
        if (!move.moved || (move.pushedBox >= 0 && move.pushedBox != boxIndex)) return -1;
        pushes += move.pushedBox >= 0 ? 1 : 0;
    }
    return pushes;
}

// The shortest walk round the boxes (never through them); nothing for walls, boxes, cells shut off behind
// boxes and cells off the grid; an empty walk to the keeper's own cell.
TEST(WalkPath, ShortestWalkRoundBoxesAndNothingWhereItCannotGo) {
    Player player;
    const Board board = boardFromRows(
        "##########\n"
        "#      ###\n"
        "#@ $$  $ #\n"
        "# ###  ###\n"
        "#      # #\n"
        "##########\n",
        player);
    const struct { int x, y, moves; } reachable[] = {{6, 2, 7}, {2, 2, 1}, {4, 4, 5}, {6, 4, 7}, {1, 2, 0}};
    for (const auto& c : reachable) {
        const MovePlan plan = walkPath(board, player, c.x, c.y);
        ASSERT_TRUE(plan.found) << c.x << "," << c.y;
        EXPECT_EQ(static_cast<int>(plan.steps.size()), c.moves) << c.x << "," << c.y;
        Board played = board;
        Player walker = player;
        EXPECT_EQ(replayPushes(played, walker, plan.steps, -1), 0) << c.x << "," << c.y;
        EXPECT_EQ(walker.x, c.x);
        EXPECT_EQ(walker.y, c.y);
    }
    const struct {
        int x, y;
    } unreachable[] = {{8, 2}, {8, 4}, {3, 2}, {7, 2}, {0, 0}, {3, 3}, {-1, 1}, {1, -1}, {32, 1}, {1, 24}};
    for (const auto& c : unreachable) {
        const MovePlan plan = walkPath(board, player, c.x, c.y);
        EXPECT_FALSE(plan.found) << c.x << "," << c.y;
        EXPECT_TRUE(plan.steps.empty());
    }
}

std::string targetPicture(const PushTargets& targets, int width, int height) {
    std::string picture;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) picture += targets.cells[x][y] ? 'x' : '.';
        picture += '\n';
    }
    return picture;
}

// Against a wall a box only slides along it, up to the corner or the next box; to push it away from the
// keeper, the keeper walks round, and the box itself blocks the short way.
TEST(PushTargets, WallsCornersOtherBoxesAndTheWalkRound) {
    Player player;
    const Board wall = boardFromRows(
        "########\n"
        "# $  $ #\n"
        "#      #\n"
        "#@     #\n"
        "########\n",
        player);
    const PushTargets first = pushTargets(wall, player, 0);
    EXPECT_EQ(targetPicture(first, 8, 3), "........\n.x.xx...\n........\n");
    EXPECT_EQ(first.count, 3);
    EXPECT_EQ(targetPicture(pushTargets(wall, player, 1), 8, 3), "........\n...xx.x.\n........\n");
    for (const int missing : {2, -1, kMaxBoxes}) {
        EXPECT_EQ(pushTargets(wall, player, missing).count, 0) << missing;
        EXPECT_FALSE(pushPath(wall, player, missing, 3, 1).found) << missing;
    }

    const Board loop = boardFromRows(
        "#######\n"
        "#     #\n"
        "# ### #\n"
        "#  $@ #\n"
        "#######\n",
        player);
    EXPECT_EQ(targetPicture(pushTargets(loop, player, 0), 7, 5),
              ".......\n.......\n.......\n.xx.xx.\n.......\n");
}

// One push after a walk of twelve beats five pushes with nine moves in all (up twice, round, down three
// times), which the replay shows to exist.
TEST(PushPath, FewestPushesComeBeforeFewestMoves) {
    Player player;
    const Board board = boardFromRows(
        "###########\n"
        "#         #\n"
        "#         #\n"
        "#         #\n"
        "####$#### #\n"
        "#   +     #\n"
        "###########\n",
        player);
    using D = Direction;
    Board played = board;
    Player keeper = player;
    ASSERT_EQ(replayPushes(played, keeper,
                           {D::Up, D::Up, D::Left, D::Up, D::Up, D::Right, D::Down, D::Down, D::Down}, 0),
              5);
    ASSERT_TRUE(isSolved(played));

    const MovePlan plan = pushPath(board, player, 0, 4, 5);
    ASSERT_TRUE(plan.found);
    EXPECT_EQ(plan.pushes, 1);
    EXPECT_EQ(plan.steps.size(), 13u);
    played = board;
    keeper = player;
    EXPECT_EQ(replayPushes(played, keeper, plan.steps, 0), 1);
    EXPECT_TRUE(isSolved(played));
}

// A room of random walls with one box to move and up to two that stay put.
Board randomRoom(std::mt19937& random, Player& player) {
    Board board;
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 7; ++y) {
            const bool edge = x == 0 || y == 0 || x == 8 || y == 6;
            board.cells[x][y] = edge || random() % 6 == 0 ? Cell::Wall : Cell::Floor;
        }
    }
    const auto freeCell = [&](std::int32_t& x, std::int32_t& y) {
        do {
            x = 1 + static_cast<int>(random() % 7);
            y = 1 + static_cast<int>(random() % 5);
        } while (board.cells[x][y] == Cell::Wall || findBox(board, x, y) >= 0);
    };
    for (int i = 0, boxes = 1 + static_cast<int>(random() % 3); i < boxes; ++i) {
        freeCell(board.boxes[i].x, board.boxes[i].y);
        board.boxes[i].active = kBoxActive;
    }
    freeCell(player.x, player.y);
    return board;
}

// The solver's level: the boxes that stay put turned to walls, a single goal on the target.
SolverLevel oneBoxLevel(const Board& board, const Player& player, int targetX, int targetY) {
    SolverLevel level = solverLevelFromBoard(board, player);
    level.boxes = {solverCell(board.boxes[0].x, board.boxes[0].y)};
    for (int i = 1; i < kMaxBoxes; ++i) {
        if (board.boxes[i].active != 0) level.wall[solverCell(board.boxes[i].x, board.boxes[i].y)] = 1;
    }
    std::fill(level.goal.begin(), level.goal.end(), 0);
    level.goal[solverCell(targetX, targetY)] = 1;
    return level;
}

// Every cell of many rooms: the box reaches it exactly when the solver can bring it there, with the
// solver's fewest pushes and, among those, fewest moves; the plan replays to the cell with exactly those
// counts, moving no other box, and pushTargets holds the same cells. Walls and the other boxes are never
// targets.
TEST(PushPath, AgreesWithTheLevelToolsFewestMovesSolver) {
    std::mt19937 random(20240611);
    int reachedCells = 0;
    for (int room = 0; room < 40; ++room) {
        Player player;
        const Board board = randomRoom(random, player);
        const PushTargets targets = pushTargets(board, player, 0);
        for (int x = 0; x < 9; ++x) {
            for (int y = 0; y < 7; ++y) {
                const std::string where =
                    "room " + std::to_string(room) + " at " + std::to_string(x) + "," + std::to_string(y);
                const MovePlan plan = pushPath(board, player, 0, x, y);
                if (board.cells[x][y] == Cell::Wall || findBox(board, x, y) > 0) {
                    EXPECT_FALSE(plan.found || targets.cells[x][y]) << where;
                    continue;
                }
                const SolveResult solved = solveFewestMoves(oneBoxLevel(board, player, x, y));
                ASSERT_NE(solved.status, SolveStatus::LimitReached) << where;
                ASSERT_EQ(plan.found, solved.status == SolveStatus::Solved) << where;
                const bool ownCell = x == board.boxes[0].x && y == board.boxes[0].y;
                EXPECT_EQ(targets.cells[x][y], plan.found && !ownCell) << where;
                if (!plan.found) continue;
                reachedCells += 1;
                EXPECT_EQ(plan.pushes, solved.pushes) << where;
                EXPECT_EQ(static_cast<int>(plan.steps.size()), solved.moves) << where;

                Board played = board;
                Player keeper = player;
                EXPECT_EQ(replayPushes(played, keeper, plan.steps, 0), plan.pushes) << where;
                EXPECT_EQ(played.boxes[0].x, x) << where;
                EXPECT_EQ(played.boxes[0].y, y) << where;
            }
        }
    }
    EXPECT_GT(reachedCells, 300);  // the rooms leave the box room to move, not just a few cells
}

}  // namespace
