// The generator's parts: rooms whose written rows the game's loader reads back as the same level, closed by
// walls; starts pulled back from the goals exactly as many pushes from solved as their layer says; and
// candidates that come out the same from the same seed whatever was drawn before them, which the shipped
// set's byte-for-byte regeneration rests on.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/board_builder.h"
#include "levels/generator/candidate.h"
#include "levels/generator/pull_search.h"
#include "levels/generator/room.h"
#include "levels/rating/floor_shape.h"
#include "levels/solver/level_set.h"

namespace {

// The teaching pool's room shape and the last band's, the smallest rooms and the most boxes.
constexpr RoomShape kTeachingRoom{6, 16, 0, 20};
constexpr RoomShape kCrowdedRoom{5, 8, 10, 25};

// A drawn room with goals, boxes and keeper on its floor; no walls at all when the draw failed.
SolverLevel drawLevel(Random& random, const RoomShape& shape, int boxes) {
    SolverLevel level = drawRoom(random, shape, boxes);
    const std::vector<int> goals = placeGoals(random, level, boxes);
    if (goals.empty()) return SolverLevel{};
    for (const int goal : goals) level.goal[goal] = 1;
    std::vector<int> floor;
    for (int cell = 0; cell < kSolverCellCount; ++cell) {
        if (level.wall[cell] == 0) floor.push_back(cell);
    }
    for (int i = static_cast<int>(floor.size()) - 1; i > 0; --i)
        std::swap(floor[i], floor[random.below(i + 1)]);
    level.boxes.assign(floor.begin(), floor.begin() + boxes);
    std::sort(level.boxes.begin(), level.boxes.end());
    level.keeper = floor[boxes];
    return level;
}

std::vector<int> shifted(std::vector<int> cells, int by) {
    for (int& cell : cells) cell += by;
    return cells;
}

TEST(Room, WrittenRowsLoadBackAsTheSameClosedLevel) {
    int drawn = 0;
    for (const RoomShape& shape : {kTeachingRoom, kCrowdedRoom}) {
        for (std::uint64_t draw = 0; draw < 60; ++draw) {
            Random random(derivedSeed(5, shape.minFloorPerBox, draw));
            const SolverLevel level = drawLevel(random, shape, random.between(1, 6));
            if (level.keeper == kNoCell) continue;
            ++drawn;
            ASSERT_TRUE(isOpenAndConnected(level));
            const std::vector<std::string> rows = levelRows(level);
            std::string text;
            for (const std::string& row : rows) text += row + "\n";
            Player player;
            const Board board = boardFromRows(text, player);
            ASSERT_TRUE(isInsideGrid(player.x, player.y)) << text;
            EXPECT_TRUE(isClosedByWalls(board, player, rows)) << text;
            // The rows start at the top-left corner: the same level, moved.
            const SolverLevel loaded = solverLevelFromBoard(board, player);
            const int shift = loaded.keeper - level.keeper;
            EXPECT_EQ(floorCells(loaded), shifted(floorCells(level), shift)) << text;
            EXPECT_EQ(loaded.boxes, shifted(level.boxes, shift)) << text;
            for (const int cell : floorCells(level))
                EXPECT_EQ(loaded.goal[cell + shift], level.goal[cell]) << text;
        }
    }
    EXPECT_GT(drawn, 100);
}

// Every pull undoes a push, so a start in layer d of the full search is exactly d pushes from solved; a
// layer cut down to a sample only ever overstates it.
TEST(PullSearch, StartsAreAsManyPushesFromSolvedAsTheirLayer) {
    for (const std::size_t beam : {std::size_t{0}, std::size_t{30}}) {
        int checked = 0;
        for (std::uint64_t draw = 0; draw < 6; ++draw) {
            Random random(derivedSeed(9, beam, draw));
            SolverLevel room = drawRoom(random, kTeachingRoom, 2);
            const std::vector<int> goals = placeGoals(random, room, 2);
            if (goals.empty()) continue;
            for (const int goal : goals) room.goal[goal] = 1;
            const std::vector<PulledStart> starts = deepestStarts(room, goals, random, beam, 4000, 1);
            for (std::size_t i = 0; i < starts.size(); i += 1 + starts.size() / 6) {
                SolverLevel level = room;
                level.boxes = starts[i].boxes;
                level.keeper = starts[i].keeper;
                const SolveResult solved = solveLevel(level);
                ASSERT_EQ(solved.status, SolveStatus::Solved);
                ++checked;
                if (beam == 0) {
                    EXPECT_EQ(solved.pushes, starts[i].depth);
                } else {
                    EXPECT_LE(solved.pushes, starts[i].depth);
                }
                EXPECT_GE(solved.pushes, starts[i].bound);
            }
        }
        EXPECT_GT(checked, 10) << beam;
    }
}

TEST(Candidate, TheSameSeedDrawsTheSameCandidateWhateverCameBefore) {
    // The teaching pool's plan.
    const DrawPlan plan{kTeachingRoom, 1, 3, 2, 20, 0, 100000, 0, false, 0.0, 40, 1, 30, 100000, {1, 17}};
    constexpr int kSeeds = 4;
    std::vector<Candidate> first;
    for (int i = 0; i < kSeeds; ++i) first.push_back(drawCandidate(plan, derivedSeed(1, 1, i)));
    int rated = 0;
    for (int i = kSeeds - 1; i >= 0; --i) {
        const Candidate again = drawCandidate(plan, derivedSeed(1, 1, i));
        EXPECT_EQ(again.stage, first[i].stage) << i;
        EXPECT_EQ(again.level.wall, first[i].level.wall) << i;
        EXPECT_EQ(again.level.goal, first[i].level.goal) << i;
        EXPECT_EQ(again.level.boxes, first[i].level.boxes) << i;
        EXPECT_EQ(again.level.keeper, first[i].level.keeper) << i;
        EXPECT_EQ(again.rating.solution, first[i].rating.solution) << i;
        EXPECT_EQ(again.rating.statesExpanded, first[i].rating.statesExpanded) << i;
        EXPECT_EQ(again.rating.traps.counts, first[i].rating.traps.counts) << i;
        if (again.rating.solved) ++rated;
    }
    EXPECT_GT(rated, 0);  // some got as far as a solution
}

}  // namespace
