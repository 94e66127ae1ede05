// The demo path file and the demo step: how pairs are read and where reading stops, the steering order,
// the end-of-file-first rule, and leaving the demo with Space or Escape.

#include "core/demo.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/moves.h"
#include "support/temp_dir.h"

namespace {

struct Pair {
    int x;
    int y;
};

// Every pair a script yields: the first as the start target, the rest as the keeper reaches each target.
std::vector<Pair> pairsOf(const std::string& content) {
    testing_support::TempDir dir;
    testing_support::writeFile(dir / "Moves.txt", content);
    DemoState demo;
    demo.targetX = demo.targetY = -7;
    startDemoScript(demo, (dir / "Moves.txt").c_str());
    std::vector<Pair> pairs;
    if (demo.targetX != -7) pairs.push_back({demo.targetX, demo.targetY});
    Player player;
    for (int guard = 0; guard < 100; ++guard) {
        player.x = demo.targetX;
        player.y = demo.targetY;
        if (runDemoStep(demo, player, false, false).end != DemoEnd::None) break;
        pairs.push_back({demo.targetX, demo.targetY});
    }
    closeDemoScript(demo);
    return pairs;
}

TEST(DemoScript, ReadsPairsSeparatedByCommasOrWhiteSpace) {
    const auto pairs = pairsOf("3,2\n4 , 5\r\n 6\t7 8,\n9\n");
    ASSERT_EQ(pairs.size(), 4u);
    EXPECT_EQ(pairs[1].x, 4);
    EXPECT_EQ(pairs[1].y, 5);
    EXPECT_EQ(pairs[3].x, 8);
    EXPECT_EQ(pairs[3].y, 9);
}

TEST(DemoScript, AnythingButACompletePairIsTheEnd) {
    EXPECT_EQ(pairsOf("1,2\n3,4\n5\n").size(), 2u);         // a lone last number
    EXPECT_EQ(pairsOf("1,2\nthree,4\n5,6\n").size(), 1u);   // a word
    EXPECT_EQ(pairsOf("1,2\n3x,4\n").size(), 1u);           // a number glued to text
    EXPECT_EQ(pairsOf("1,2\n99999999999,4\n").size(), 1u);  // beyond 32 bits
    EXPECT_EQ(pairsOf("-1,+2\n").size(), 1u);               // signs are part of a number
    EXPECT_EQ(pairsOf("").size(), 0u);
    EXPECT_EQ(pairsOf(std::string("\0\xff,1", 4)).size(), 0u);
    EXPECT_EQ(pairsOf("1,2\n\n\n   \n").size(), 1u);  // trailing blank lines
}

TEST(DemoScript, MissingFileEndsTheDemoOnItsFirstFrame) {
    DemoState demo;
    demo.demoMode = true;
    startDemoScript(demo, "/nonexistent/Moves.txt");
    EXPECT_TRUE(demoScriptAtEnd(demo));
    const DemoStep step = runDemoStep(demo, Player{}, false, false);
    EXPECT_EQ(step.end, DemoEnd::ScriptEnded);
    EXPECT_FALSE(demo.demoMode);
}

TEST(DemoSteering, RowDifferenceFirstThenColumn) {
    EXPECT_EQ(demoSteering(1, 1, 4, 4), Direction::Down);
    EXPECT_EQ(demoSteering(5, 5, 1, 2), Direction::Up);
    EXPECT_EQ(demoSteering(1, 4, 4, 4), Direction::Right);
    EXPECT_EQ(demoSteering(4, 4, 1, 4), Direction::Left);
    EXPECT_FALSE(demoSteering(4, 4, 4, 4).has_value());
}

struct DemoFixture : ::testing::Test {
    void start(const std::string& script) {
        testing_support::writeFile(dir / "Moves.txt", script);
        demo.demoMode = true;
        startDemoScript(demo, (dir / "Moves.txt").c_str());
    }
    void TearDown() override { closeDemoScript(demo); }

    testing_support::TempDir dir;
    DemoState demo;
};

// A target at the keeper is passed over on the next frame; the last pair is read but never walked to.
TEST_F(DemoFixture, TargetsAreReadAsTheKeeperReachesThemButTheLastIsNeverWalkedTo) {
    start("1,1\n2,1\n3,1\n");
    Player player;
    player.x = 1;
    player.y = 1;
    EXPECT_EQ(runDemoStep(demo, player, false, false).direction, Direction::Right);
    EXPECT_EQ(demo.targetX, 2);
    player.x = 2;
    // Reaching the target reads the last pair; the file is then used up.
    EXPECT_EQ(runDemoStep(demo, player, false, false).end, DemoEnd::None);
    EXPECT_EQ(demo.targetX, 3);
    const DemoStep last = runDemoStep(demo, player, false, false);
    EXPECT_EQ(last.end, DemoEnd::ScriptEnded);
    EXPECT_FALSE(last.direction.has_value());
    EXPECT_FALSE(demo.demoMode);
}

// The stall clock runs while the keeper comes no closer to its target: a step closer starts it again, so a
// slow walk never ends the demo, and a long frame (a key's release waited for) counts as a short one.
TEST_F(DemoFixture, AKeeperThatComesNoCloserEndsTheDemoAsTheEndOfTheFileDoes) {
    start("1,1\n9,1\n9,1\n");
    Player player;
    player.x = 1;
    player.y = 1;
    double now = 0.0;
    const auto step = [&](double frameSeconds) {
        now += frameSeconds;
        return runDemoStep(demo, player, false, false, DemoClock{now, false});
    };
    for (int cell = 2; cell <= 4; ++cell) {
        for (int frame = 0; frame < 29; ++frame) ASSERT_EQ(step(0.1).end, DemoEnd::None) << "cell " << cell;
        player.x = cell;
    }
    EXPECT_EQ(step(0.1).end, DemoEnd::None);  // the step onto cell 4 is seen
    EXPECT_EQ(step(10.0).end, DemoEnd::None);
    int frames = 1;
    DemoStep last = step(0.1);
    for (; last.end == DemoEnd::None && frames < 100; ++frames) last = step(0.1);
    EXPECT_EQ(last.end, DemoEnd::ScriptEnded);
    EXPECT_FALSE(last.direction.has_value());
    EXPECT_FALSE(demo.demoMode);
    EXPECT_NEAR(frames, (kDemoStallSeconds - kDemoStallFrameSeconds) / 0.1, 1.5);
}

TEST_F(DemoFixture, SpaceOrEscapeHandsOverToThePlayer) {
    for (const bool space : {true, false}) {
        start("2,1\n3,1\n4,1\n");
        Player player;
        const DemoStep step = runDemoStep(demo, player, space, !space);
        EXPECT_EQ(step.end, space ? DemoEnd::SpacePressed : DemoEnd::EscapePressed);
        EXPECT_FALSE(step.direction.has_value());
        EXPECT_FALSE(demo.demoMode);
        EXPECT_EQ(demo.script.file, nullptr);
    }
}

}  // namespace
