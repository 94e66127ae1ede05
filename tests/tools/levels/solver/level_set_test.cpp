// Level files as the tool reads them: the same levels the game's loader counts, and a reason for every
// level that cannot be played.

#include "levels/solver/level_set.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

struct LevelFile {
    explicit LevelFile(const std::string& content, const std::string& name = "Test.lvt") : path(dir / name) {
        testing_support::writeFile(path, content);
    }
    testing_support::TempDir dir;
    std::string path;
};

std::vector<LevelEntry> scan(const LevelFile& file) {
    std::vector<LevelEntry> levels;
    EXPECT_TRUE(scanLevelFile(file.path, levels));
    return levels;
}

TEST(ScanLevelFile, CountsTheLevelsTheLoaderFinds) {
    const std::string wide(40, '#');
    const LevelFile file(
        "#####\n"  // a level row in the header is still header
        "Title\n"
        "\n"
        "; 1\n"
        "comment\r\n"
        "#####\r\n#@$.#\r\n#####\r\n"
        "\n   \n"
        "#####\n#@$.#\n#####\n"  // no title: still a level
        "text without a blank line first\n"
        "#####\n#@$.#\n#####\n"  // counted with the one before by the loader: skipped
        "\n; 3\n" +
        wide + "\n#@$.#\n" + wide + "\n" +
        "\n; 4\n"
        "  #####\n  #@$.#\n  #####");  // no newline at the end
    const std::vector<LevelEntry> levels = scan(file);
    ASSERT_EQ(levels.size(), 4u);
    EXPECT_EQ(levels[0].title, "comment");
    EXPECT_EQ(levels[0].rows.size(), 3u);
    EXPECT_EQ(levels[0].rows[1], "#@$.#");  // CRLF read like LF
    EXPECT_EQ(levels[1].title, "");
    EXPECT_EQ(levels[2].rows[0].size(), 40u);
    EXPECT_EQ(levels[3].rows.back(), "  #####");
    for (const LevelEntry& entry : levels) {
        Board board;
        Player player;
        EXPECT_EQ(loadLevelNumber(file.path, entry.number, board, player), entry.number != 3) << entry.number;
    }
    Board board;
    Player player;
    EXPECT_FALSE(loadLevelNumber(file.path, 5, board, player));
}

TEST(ScanLevelFile, SingleRowLevelOnTheLastLineIsNotALevel) {
    EXPECT_EQ(scan(LevelFile("h\n\n#####\n#@$.#\n#####\n\n#@*#")).size(), 1u);
    EXPECT_EQ(scan(LevelFile("only a header\n")).size(), 0u);
    EXPECT_EQ(scan(LevelFile("")).size(), 0u);
    std::vector<LevelEntry> levels;
    EXPECT_FALSE(scanLevelFile("/nonexistent/levels.lvt", levels));
}

TEST(CheckLevel, NamesWhyALevelIsUnplayable) {
    const LevelFile file(
        "header\n"
        "\n#####\n#@$.#\n#####\n"     // 1: fine
        "\n#####\n# $.#\n#####\n"     // 2: no keeper
        "\n######\n#@$..#\n######\n"  // 3: more goals than boxes
        "\n#####\n#@$.#\n## ##\n"     // 4: a hole in the wall
        "\n#####\n#$@.#\n#####\n"     // 5: box in a corner
        "\n#####\n#@$.#\n#####\n#####\n#####\n#####\n#####\n#####\n#####\n#####\n#####\n#####\n#####\n"
        "#####\n#####\n#####\n#####\n#####\n#####\n#####\n#####\n#####\n#####\n#####\n#####\n"  // 6: 25 rows
        "\n#####\n#@$.#\n#####   \n"  // 7: trailing spaces
        "\n####\n#@ #\n####\n");      // 8: nothing to push
    const std::vector<LevelEntry> levels = scan(file);
    ASSERT_EQ(levels.size(), 8u);
    const CheckProblem expected[] = {
        CheckProblem::None,      CheckProblem::NoKeeper,   CheckProblem::BoxesGoalsDiffer,
        CheckProblem::NotClosed, CheckProblem::NoSolution, CheckProblem::RefusedByLoader,
        CheckProblem::None,      CheckProblem::NoBoxes};
    const SolveOptions options;
    for (const LevelEntry& entry : levels) {
        const LevelReport report = checkLevel(file.path, entry, options);
        EXPECT_EQ(report.problem, expected[entry.number - 1]) << describeReport(report, options);
    }
    const LevelReport first = checkLevel(file.path, levels[0], options);
    EXPECT_EQ(describeReport(first, options),
              "level 1: 5 x 3, boxes 1, goals 1, solved in 1 moves, 1 pushes (2 positions searched)");
    const LevelReport last = checkLevel(file.path, levels[6], options);
    EXPECT_EQ(last.width, 5);
    EXPECT_EQ(checkLevel(file.path, levels[2], options).goals, 2);
}

// Any file but the game's own set files is a collection in the genre's notation: its levels are read,
// placed and refused as the game reads a player's collection, with their titles in the report.
TEST(CheckLevel, ACollectionIsReadAsTheGameReadsIt) {
    const LevelFile file("5#|#@$.#|5#\nTitle: One\n\n#####\n#@$ #\n#####\nTitle: Two\n", "mine.sok");
    const std::vector<LevelEntry> levels = scan(file);
    ASSERT_EQ(levels.size(), 2u);
    const SolveOptions options;
    EXPECT_EQ(describeReport(checkLevel(file.path, levels[0], options), options),
              "level 1 \"One\": 5 x 3, boxes 1, goals 1, solved in 1 moves, 1 pushes (2 positions searched)");
    const LevelReport second = checkLevel(file.path, levels[1], options);
    EXPECT_EQ(second.problem, CheckProblem::RefusedByReader);
    EXPECT_EQ(second.readerProblem, LevelProblem::BoxesAndGoalsDiffer);
    Board board;
    Player player;
    EXPECT_TRUE(loadEntry(file.path, levels[0], board, player));
    EXPECT_EQ(player.x, 1);
    EXPECT_FALSE(loadEntry(file.path, levels[1], board, player));
}

TEST(CheckLevel, UnsolvedWithinTheLimitIsReported) {
    const LevelFile file("h\n\n#######\n#     #\n#@$ $ #\n# .  .#\n#######\n");
    SolveOptions tiny;
    tiny.maxStates = 2;
    const LevelReport report = checkLevel(file.path, scan(file)[0], tiny);
    EXPECT_EQ(report.problem, CheckProblem::Unsolved);
    EXPECT_NE(describeReport(report, tiny).find("unsolved within the search limit"), std::string::npos);
}

TEST(CheckLevel, JunkFilesAreReportedNotCrashedOn) {
    // Level characters, blank lines, CRs, NULs, tabs and over-long rows in random order: the sanitizers
    // catch any read or write off the board.
    const std::string alphabet = std::string("#   $.*@+\n\n\r\t;x") + std::string(1, '\0');
    std::uint32_t seed = 12345;
    int levelsChecked = 0;
    for (int round = 0; round < 40; ++round) {
        std::string content = "junk\n\n";
        const int length = 50 + round * 40;
        for (int i = 0; i < length; ++i) {
            seed = seed * 1664525u + 1013904223u;
            content += alphabet[(seed >> 16) % alphabet.size()];
            if ((seed >> 8) % 97 == 0) content += std::string(40, '#');
        }
        const LevelFile file(content);
        SolveOptions quick;
        quick.maxStates = 2000;
        for (const LevelEntry& entry : scan(file)) {
            const LevelReport report = checkLevel(file.path, entry, quick);
            EXPECT_FALSE(describeReport(report, quick).empty());
            ++levelsChecked;
        }
    }
    EXPECT_GT(levelsChecked, 100);
}

}  // namespace
