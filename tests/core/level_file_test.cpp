// Level files: which lines count, how levels are counted, what a load leaves in the board, and the guards
// that keep a level inside the 32 x 24 grid and the 32-entry box list.

#include "core/level_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "support/temp_dir.h"

namespace {

struct LoadResult {
    Board board;
    Player player;
};

// Loads level `level` from text held in memory, through the same reader loadLevel uses.
LoadResult loadFromText(const std::string& text, int level, Player player = Player{}) {
    LoadResult result;
    result.player = player;
    result.player.level = level;
    std::FILE* file = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    loadLevelFromFile(result.board, result.player, file);
    std::fclose(file);
    return result;
}

int activeBoxes(const Board& board) {
    int count = 0;
    for (const Box& box : board.boxes) count += box.active != 0 ? 1 : 0;
    return count;
}

int wallCount(const Board& board) {
    int count = 0;
    for (const auto& column : board.cells) {
        for (const auto cell : column) count += cell == CELL_WALL ? 1 : 0;
    }
    return count;
}

const std::string kTwoLevels =
    "Test set\n"
    "\n"
    "Level one\n"
    "#####\n"
    "#@$.#\n"
    "#####\n"
    "\n"
    "Level two\n"
    "######\n"
    "#+ *$#\n"
    "#.   #\n"
    "######\n";

TEST(IsLevelLine, AcceptsRowsOfLevelCharactersOnly) {
    EXPECT_TRUE(isLevelLine("#####"));
    EXPECT_TRUE(isLevelLine("  #@$.*+ #  "));
    EXPECT_FALSE(isLevelLine(""));
    EXPECT_FALSE(isLevelLine("     "));  // a line of spaces is blank, never a row
    EXPECT_FALSE(isLevelLine("#\t#"));   // a tab makes the whole line a non-row
    EXPECT_FALSE(isLevelLine("Level 1"));
    EXPECT_FALSE(isLevelLine("#####\r"));  // a stray carriage return is a character like any other
    EXPECT_FALSE(isLevelLine(std::string("#\0#", 3)));
}

TEST(LoadLevel, ReadsCellsKeeperAndBoxesOfTheWantedLevel) {
    const LoadResult first = loadFromText(kTwoLevels, 1);
    EXPECT_EQ(first.board.notFound, 0);
    EXPECT_EQ(first.player.x, 1);
    EXPECT_EQ(first.player.y, 1);
    EXPECT_EQ(first.board.cells[3][1], CELL_GOAL);
    EXPECT_EQ(first.board.cells[0][0], CELL_WALL);
    ASSERT_EQ(activeBoxes(first.board), 1);
    EXPECT_EQ(first.board.boxes[0].x, 2);
    EXPECT_EQ(first.board.boxes[0].y, 1);
    EXPECT_EQ(first.board.boxes[0].active, kBoxActive);

    const LoadResult second = loadFromText(kTwoLevels, 2);
    EXPECT_EQ(second.board.notFound, 0);
    EXPECT_EQ(second.player.x, 1);  // "+": keeper on a goal
    EXPECT_EQ(second.board.cells[1][1], CELL_GOAL);
    EXPECT_EQ(second.board.cells[3][1], CELL_GOAL);  // "*": box on a goal
    EXPECT_EQ(second.board.cells[4][1], CELL_FLOOR);
    // Boxes are numbered row by row, left to right.
    ASSERT_EQ(activeBoxes(second.board), 2);
    EXPECT_EQ(second.board.boxes[0].x, 3);
    EXPECT_EQ(second.board.boxes[1].x, 4);
    EXPECT_EQ(wallCount(second.board), 6 + 2 + 2 + 6);
}

TEST(LoadLevel, CountsLevelsOnlyAfterTheFirstBlankLine) {
    // The first line is a level row with no blank line before it: it is header, not level 1.
    const std::string text = "###\n#@#\n###\n\n#####\n#@$.#\n#####\n";
    const LoadResult result = loadFromText(text, 1);
    EXPECT_EQ(result.board.notFound, 0);
    EXPECT_EQ(activeBoxes(result.board), 1);
    EXPECT_EQ(loadFromText(text, 2).board.notFound, 1);
}

TEST(LoadLevel, SpaceOnlyLineSeparatesLevels) {
    const std::string text = "head\n   \n###\n#@#\n###\n    \n#####\n#@$.#\n#####\n";
    EXPECT_EQ(loadFromText(text, 2).board.notFound, 0);
    EXPECT_EQ(activeBoxes(loadFromText(text, 2).board), 1);
}

TEST(LoadLevel, TabOrLetterEndsTheLevelOrIsSkippedBeforeIt) {
    // A row with a tab ends the level before it: row 2 is never read.
    const std::string tabRow = "h\n\n#####\n#@ $.#\n#\t###\n#####\n";
    const LoadResult cut = loadFromText(tabRow, 1);
    EXPECT_EQ(cut.board.notFound, 0);
    EXPECT_EQ(wallCount(cut.board), 5 + 2);
    // Title and comment lines between the blank line and the level are skipped.
    const std::string titled = "h\n\nTitle\t1\n; comment\n###\n#@#\n###\n";
    const LoadResult skipped = loadFromText(titled, 1);
    EXPECT_EQ(skipped.board.notFound, 0);
    EXPECT_EQ(skipped.player.y, 1);
}

TEST(LoadLevel, EndOfFileRules) {
    // A level whose last row is the last line loads completely, with or without a final line break.
    for (const std::string end : {"###\n", "###"}) {
        const LoadResult result = loadFromText("h\n\n###\n#@#\n" + end, 1);
        EXPECT_EQ(result.board.notFound, 0) << end;
        EXPECT_EQ(result.board.cells[2][2], CELL_WALL) << end;
    }
    // A one-row level that is the last line of the file is not found: the end test comes first.
    EXPECT_EQ(loadFromText("h\n\n#@#\n", 1).board.notFound, 1);
    // A file whose only blank line is its last line holds no level.
    EXPECT_EQ(loadFromText("h\n###\n#@#\n###\n\n", 1).board.notFound, 1);
    // Two levels with only a text line between them are one level.
    const std::string joined = "h\n\n###\n#@#\n###\nnext\n#####\n#@$.#\n#####\n";
    EXPECT_EQ(loadFromText(joined, 1).board.notFound, 0);
    EXPECT_EQ(loadFromText(joined, 2).board.notFound, 1);
}

TEST(LoadLevel, LeadingSpacesArePartOfTheRow) {
    const LoadResult result = loadFromText("h\n\n  ###\n  #@#\n  ###\n", 1);
    EXPECT_EQ(result.board.cells[2][0], CELL_WALL);
    EXPECT_EQ(result.board.cells[0][0], CELL_FLOOR);
    EXPECT_EQ(result.player.x, 3);
}

TEST(LoadLevel, KeeperIsTheLastOneReadOrStaysWhereItWas) {
    const LoadResult twoKeepers = loadFromText("h\n\n#####\n#@ @#\n#####\n", 1);
    EXPECT_EQ(twoKeepers.player.x, 3);
    Player before;
    before.x = 7;
    before.y = 5;
    const LoadResult noKeeper = loadFromText("h\n\n####\n#$.#\n####\n", 1, before);
    EXPECT_EQ(noKeeper.board.notFound, 0);
    EXPECT_EQ(noKeeper.player.x, 7);
    EXPECT_EQ(noKeeper.player.y, 5);
}

TEST(LoadLevel, LevelNumbersOutsideTheFileAreNotFoundAndClearTheBoard) {
    Player before;
    before.x = 4;
    before.y = 9;
    for (const int level : {0, -1, 3, 1000}) {
        const LoadResult result = loadFromText(kTwoLevels, level, before);
        EXPECT_EQ(result.board.notFound, 1) << level;
        EXPECT_EQ(activeBoxes(result.board), 0) << level;
        EXPECT_EQ(wallCount(result.board), 0) << level;
        EXPECT_EQ(result.player.x, 4) << level;
        EXPECT_EQ(result.player.y, 9) << level;
    }
}

TEST(LoadLevel, KeepsCoordinatesOfFreeBoxEntriesAndResetsNotFound) {
    LoadResult result = loadFromText(kTwoLevels, 2);
    result.board.notFound = 1;
    result.player.level = 1;
    std::FILE* file = std::tmpfile();
    std::fwrite(kTwoLevels.data(), 1, kTwoLevels.size(), file);
    std::rewind(file);
    loadLevelFromFile(result.board, result.player, file);
    std::fclose(file);
    EXPECT_EQ(result.board.notFound, 0);
    EXPECT_EQ(result.board.boxes[1].active, 0);
    EXPECT_EQ(result.board.boxes[1].x, 4);  // only active decides which entries count
}

TEST(LoadLevel, CrlfFilesReadLikeLfFiles) {
    std::string crlf;
    for (const char c : kTwoLevels) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const int level : {1, 2}) {
        const LoadResult a = loadFromText(kTwoLevels, level);
        const LoadResult b = loadFromText(crlf, level);
        EXPECT_EQ(b.board.notFound, 0);
        EXPECT_EQ(std::memcmp(a.board.cells, b.board.cells, sizeof a.board.cells), 0) << level;
        EXPECT_EQ(activeBoxes(a.board), activeBoxes(b.board));
        EXPECT_EQ(a.player.x, b.player.x);
    }
    // The last row may end in a lone "\r" at the very end of the file.
    EXPECT_EQ(loadFromText("h\r\n\r\n###\r\n#@#\r\n###\r", 1).board.notFound, 0);
}

TEST(LoadLevel, RefusesLevelsThatDoNotFitTheBoard) {
    Player before;
    before.x = 2;
    before.y = 3;
    const std::string wall33(33, '#');
    const std::string tooWide = "h\n\n" + wall33 + "\n#@" + std::string(30, ' ') + "#\n" + wall33 + "\n";
    const LoadResult wide = loadFromText(tooWide, 1, before);
    EXPECT_EQ(wide.board.notFound, 1);
    EXPECT_EQ(wallCount(wide.board), 0);
    EXPECT_EQ(wide.player.x, 2);  // the keeper read from the refused level is put back
    EXPECT_EQ(wide.player.y, 3);

    std::string tall = "h\n\n";
    for (int row = 0; row < 25; ++row) tall += row == 1 ? "#@#\n" : "###\n";
    EXPECT_EQ(loadFromText(tall, 1, before).board.notFound, 1);

    // 30 boxes in one row and 3 in the next: one more than the box list holds.
    const std::string manyBoxes = "h\n\n" + std::string(32, '#') + "\n#" + std::string(30, '$') + "#\n#@$$$" +
                                  std::string(26, ' ') + "#\n" + std::string(32, '#') + "\n";
    EXPECT_EQ(loadFromText(manyBoxes, 1, before).board.notFound, 1);
}

TEST(LoadLevel, AcceptsTheLargestLevelThatFits) {
    // 32 x 24 with exactly 32 boxes, plus trailing spaces past the last column (padding some editors add).
    std::string text = "h\n\n" + std::string(32, '#') + "     \n";
    for (int row = 1; row < 23; ++row) {
        std::string line = "#" + std::string(30, ' ') + "#";
        if (row <= 2) {
            for (int x = 1; x <= 16; ++x) line[x] = '$';
        }
        if (row == 3) line[1] = '@';
        text += line + "\n";
    }
    text += std::string(32, '#') + "\n";
    const LoadResult result = loadFromText(text, 1);
    EXPECT_EQ(result.board.notFound, 0);
    EXPECT_EQ(activeBoxes(result.board), 32);
    EXPECT_EQ(result.board.cells[31][23], CELL_WALL);
}

TEST(LoadLevel, SurvivesHugeLinesAndBinaryData) {
    std::string text = std::string(200000, 'x') + "\n\n" + std::string(100000, '#') + "\n";
    text += std::string("\0\xff\x01#\n\n", 6);
    for (int i = 0; i < 256; ++i) text += static_cast<char>(i);
    EXPECT_EQ(loadFromText(text, 1).board.notFound, 1);
    EXPECT_EQ(loadFromText("", 1).board.notFound, 1);
}

TEST(LoadLevel, OpensTheSetFileUnderLevelsInTheWorkingDirectory) {
    testing_support::TempDir dir;
    testing_support::writeFile(dir / "levels/Mine.lvt", kTwoLevels);
    testing_support::ScopedWorkingDirectory cwd(dir.path());
    Board board;
    Player player;
    player.setName = "Mine";
    player.level = 2;
    loadLevel(board, player);
    EXPECT_EQ(board.notFound, 0);
    EXPECT_EQ(activeBoxes(board), 2);

    player.setName = "Missing";
    player.level = 1;
    loadLevel(board, player);
    EXPECT_EQ(board.notFound, 1);
    EXPECT_EQ(activeBoxes(board), 0);
    EXPECT_EQ(levelFilePath("Classic"), "levels/Classic.lvt");
}

TEST(IsSolved, EveryActiveBoxOnAGoal) {
    LoadResult result = loadFromText(kTwoLevels, 1);
    EXPECT_FALSE(isSolved(result.board));
    result.board.boxes[0].x = 3;
    EXPECT_TRUE(isSolved(result.board));
    // More goals than boxes: solved once every box stands on one.
    LoadResult extraGoals = loadFromText("h\n\n######\n#@*..#\n######\n", 1);
    EXPECT_TRUE(isSolved(extraGoals.board));
    // No active boxes at all (an empty board after a level was not found) counts as solved.
    EXPECT_TRUE(isSolved(Board{}));
}

}  // namespace
