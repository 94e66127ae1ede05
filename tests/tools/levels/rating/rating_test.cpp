// The figures a level is rated by: the fewest-moves solution against an exhaustive search, the verdict on
// every wrong push against the exhaustive search's solvable positions, and the one-box-at-a-time survey
// on levels whose answer is worked out by hand.

#include "levels/rating/level_rating.h"

#include <gtest/gtest.h>

#include <map>
#include <queue>

#include "core/board_builder.h"
#include "levels/solver/fewest_moves.h"
#include "tools/levels/exhaustive_search.h"

namespace {

SolverLevel levelFromRows(const std::string& rows) {
    Player player;
    const Board board = boardFromRows(rows, player);
    return solverLevelFromBoard(board, player);
}

// Fewest pushes, then fewest moves, to a solved position: Dijkstra over the exhaustive graph.
std::pair<int, int> fewestPushesThenMoves(const PositionGraph& graph) {
    using Cost = std::pair<int, int>;
    std::vector<Cost> best(graph.positions.size(), {1 << 30, 1 << 30});
    std::priority_queue<std::pair<Cost, int>, std::vector<std::pair<Cost, int>>, std::greater<>> open;
    best[0] = {0, 0};
    open.push({best[0], 0});
    Board board = graph.board;
    Player player = graph.start;
    while (!open.empty()) {
        const auto [cost, at] = open.top();
        open.pop();
        if (cost != best[at]) continue;
        placePosition(board, player, graph.positions[at]);
        if (isSolved(board)) return cost;
        for (const auto& [next, push] : graph.moves[at]) {
            const Cost through{cost.first + (push ? 1 : 0), cost.second + 1};
            if (through < best[next]) {
                best[next] = through;
                open.push({through, next});
            }
        }
    }
    return {-1, -1};
}

TEST(FewestMoves, AgreesWithExhaustiveSearch) {
    for (const std::string& rows : smallLevels()) {
        const PositionGraph graph = explorePositions(rows);
        if (!graph.solvable[0]) continue;
        const SolveResult result = solveFewestMoves(levelFromRows(rows));
        ASSERT_EQ(result.status, SolveStatus::Solved) << rows;
        const auto [pushes, moves] = fewestPushesThenMoves(graph);
        EXPECT_EQ(result.pushes, pushes) << rows;
        EXPECT_EQ(result.moves, moves) << rows;
        const SolutionFigures figures = measureSolution(levelFromRows(rows), result.solution);
        EXPECT_TRUE(figures.valid && figures.solved) << rows;
    }
}

// Every wrong push beside the solution is judged solvable exactly when the exhaustive search can still
// solve the position it leads to; and the small levels hold traps as well as plain deadlocks.
TEST(TrapSurvey, VerdictsMatchExhaustiveSearch) {
    int traps = 0;
    int simple = 0;
    for (const std::string& rows : smallLevels()) {
        const PositionGraph graph = explorePositions(rows);
        if (!graph.solvable[0]) continue;
        std::map<std::string, int> indexOf;
        for (std::size_t i = 0; i < graph.positions.size(); ++i)
            indexOf[keyOf(graph.positions[i])] = static_cast<int>(i);
        const SolverLevel level = levelFromRows(rows);
        const std::string solution = solveFewestMoves(level).solution;
        std::vector<int> boxes(level.boxes);
        int keeper = level.keeper;
        for (const char letter : solution) {
            const int direction = solutionLetterDirection(letter);
            if (letter >= 'A' && letter <= 'Z') {
                // Every push the keeper could make here, judged against the graph.
                const std::vector<std::uint8_t> boxAt = boxOccupancy(boxes);
                KeeperReach reach;
                reach.fill(level, boxAt, keeper);
                for (std::size_t i = 0; i < boxes.size(); ++i) {
                    for (int d = 0; d < 4; ++d) {
                        const int to = boxes[i] + kCellStep[d];
                        if (!reach.reached(boxes[i] - kCellStep[d]) || level.wall[to] != 0 || boxAt[to] != 0)
                            continue;
                        std::vector<int> after(boxes);
                        after[i] = to;
                        const PushVerdict verdict = judgePush(level, after, boxes[i], to, d);
                        Position position{solverCellX(boxes[i]), solverCellY(boxes[i]), {}};
                        for (const int cell : after)
                            position.boxes.push_back({solverCellX(cell), solverCellY(cell)});
                        std::sort(position.boxes.begin(), position.boxes.end());
                        ASSERT_TRUE(indexOf.count(keyOf(position))) << rows;
                        const bool solvable = graph.solvable[indexOf[keyOf(position)]];
                        ASSERT_NE(verdict, PushVerdict::Unknown) << rows;
                        EXPECT_EQ(verdict == PushVerdict::Solvable, solvable) << rows << " push " << d;
                        traps += isTrap(verdict) ? 1 : 0;
                        simple += !solvable && !isTrap(verdict) ? 1 : 0;
                    }
                }
                const int from = keeper + kCellStep[direction];
                *std::find(boxes.begin(), boxes.end(), from) = from + kCellStep[direction];
            }
            keeper += kCellStep[direction];
        }
    }
    EXPECT_GT(traps, 0);
    EXPECT_GT(simple, 0);
}

TEST(BoxOrders, CountsTheOrdersThatWorkOneBoxAtATime) {
    // Two boxes that never meet: every order works.
    const BoxOrderSurvey free = surveyBoxOrders(levelFromRows("######\n#@ $.#\n#    #\n# $ .#\n######\n"));
    EXPECT_TRUE(free.complete && free.oneAtATime);
    EXPECT_DOUBLE_EQ(free.share(), 1.0);
    // A pocket of two goals: only the deep one first.
    const std::string pocket = "#######\n#@    #\n#  $$ #\n###.###\n  #.#\n  ###\n";
    const BoxOrderSurvey pocketOrders = surveyBoxOrders(levelFromRows(pocket));
    EXPECT_TRUE(pocketOrders.complete && pocketOrders.oneAtATime);
    EXPECT_DOUBLE_EQ(pocketOrders.share(), 0.5);
    EXPECT_FALSE(rateLevel(levelFromRows(pocket)).interleaving());
}

TEST(LevelRating, NamesTheIdeasALevelHolds) {
    // One box whose only wrong push goes into a corner: that is all it teaches.
    const LevelRating corner = rateLevel(levelFromRows("#####\n#@  #\n# $.#\n#####\n"));
    ASSERT_TRUE(corner.solved);
    EXPECT_EQ(corner.traps.counts[static_cast<int>(PushVerdict::Corner)], 1);
    EXPECT_EQ(newIdea(corner.ideas, 0), static_cast<int>(Idea::Corner));
    EXPECT_EQ(newIdea(corner.ideas, corner.ideas), kNoNewIdea);
    EXPECT_EQ(newIdea(0b1010u, 0u), kSeveralNewIdeas);
    // A box that starts on the pocket's way in must leave it for the other to pass.
    const LevelRating leaving =
        rateLevel(levelFromRows("#######\n#@    #\n#   $ #\n###*###\n  #.#\n  ###\n"));
    ASSERT_TRUE(leaving.solved);
    EXPECT_TRUE(leaving.boxLeavesGoal);
    EXPECT_TRUE(leaving.holds(Idea::BoxOffItsGoal));
}

}  // namespace
