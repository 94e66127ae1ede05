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

// Loads level `level` from text held in memory, through the same reader loadLevel uses; the keeper starts
// at (4, 9) so that a refused level's keeper shows.
LoadResult loadFromText(const std::string& text, int level) {
    LoadResult result;
    result.player.x = 4;
    result.player.y = 9;
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
        for (const auto cell : column) count += cell == Cell::Wall ? 1 : 0;
    }
    return count;
}

const std::string kTwoLevels =
    "Test set\n\nLevel one\n#####\n#@$.#\n#####\n\nLevel two\n######\n#+ *$#\n#.   #\n######\n";

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
    EXPECT_EQ(first.board.cells[3][1], Cell::Goal);
    ASSERT_EQ(activeBoxes(first.board), 1);
    EXPECT_EQ(first.board.boxes[0].x, 2);
    EXPECT_EQ(first.board.boxes[0].active, kBoxActive);

    const LoadResult second = loadFromText(kTwoLevels, 2);
    EXPECT_EQ(second.player.x, 1);                    // "+": keeper on a goal
    EXPECT_EQ(second.board.cells[1][1], Cell::Goal);  // under the keeper
    EXPECT_EQ(second.board.cells[3][1], Cell::Goal);  // "*": box on a goal
    EXPECT_EQ(second.board.cells[4][1], Cell::Floor);
    // Boxes are numbered row by row, left to right.
    ASSERT_EQ(activeBoxes(second.board), 2);
    EXPECT_EQ(second.board.boxes[0].x, 3);
    EXPECT_EQ(second.board.boxes[1].x, 4);
    EXPECT_EQ(wallCount(second.board), 6 + 2 + 2 + 6);
}

// Which lines start, end and separate levels, as counted level by level: whether level `level` of the
// text is found, and if so its wall count and keeper column.
TEST(LoadLevel, LineRulesDecideWhereLevelsStartAndEnd) {
    const struct {
        const char* what;
        std::string text;
        int level;
        bool found;
        int walls;
        int keeperX;
    } cases[] = {
        {"a row before the first blank line is header", "###\n#@#\n###\n\n#####\n#@$.#\n#####\n", 1, true, 12,
         1},
        {"...so there is no second level", "###\n#@#\n###\n\n#####\n#@$.#\n#####\n", 2, false, 0, 4},
        {"a space-only line separates levels", "head\n   \n###\n#@#\n###\n    \n#####\n#@$.#\n#####\n", 2,
         true, 12, 1},
        {"a row with a tab ends the level", "h\n\n#####\n#@ $.#\n#\t###\n#####\n", 1, true, 7, 1},
        {"titles and comments before a level are skipped", "h\n\nTitle\t1\n; comment\n###\n#@#\n###\n", 1,
         true, 8, 1},
        {"leading spaces are part of the row", "h\n\n  ###\n  #@#\n  ###\n", 1, true, 8, 3},
        {"last row without a line break", "h\n\n###\n#@#\n###", 1, true, 8, 1},
        {"a one-row level on the last line", "h\n\n#@#\n", 1, false, 0, 4},
        {"a blank line only at the end", "h\n###\n#@#\n###\n\n", 1, false, 0, 4},
        {"a text line does not separate levels", "h\n\n###\n#@#\n###\nnext\n#####\n#@$.#\n#####\n", 2, false,
         0, 4},
        {"the last keeper read counts", "h\n\n#####\n#@ @#\n#####\n", 1, true, 12, 3},
        {"no keeper: it stays where it was", "h\n\n####\n#$.#\n####\n", 1, true, 10, 4},
        {"CRLF, the last row ending in a lone CR", "h\r\n\r\n###\r\n#@#\r\n###\r", 1, true, 8, 1},
        {"an empty file", "", 1, false, 0, 4},
    };
    for (const auto& c : cases) {
        const LoadResult result = loadFromText(c.text, c.level);
        EXPECT_EQ(result.board.notFound, c.found ? 0 : 1) << c.what;
        EXPECT_EQ(wallCount(result.board), c.walls) << c.what;
        EXPECT_EQ(result.player.x, c.keeperX) << c.what;
    }
}

// A level that is not there, or does not fit the board, clears the board and puts the keeper back. Only a
// number past the set's last level counts as the set used up ("ALL LEVELS SOLVED!").
TEST(LoadLevel, MissingOrOversizedLevelsAreNotFoundAndClearTheBoard) {
    const std::string wall33(33, '#');
    std::string tall = "h\n\n";
    for (int row = 0; row < 25; ++row) tall += row == 1 ? "#@#\n" : "###\n";
    // 30 boxes in one row and 3 in the next: one more than the box list holds.
    const std::string manyBoxes = "h\n\n" + std::string(32, '#') + "\n#" + std::string(30, '$') + "#\n#@$$$" +
                                  std::string(26, ' ') + "#\n" + std::string(32, '#') + "\n";
    std::string huge = std::string(200000, 'x') + "\n\n" + std::string(100000, '#') + "\n";
    huge += std::string("\0\xff\x01#\n\n", 6);
    for (int i = 0; i < 256; ++i) huge += static_cast<char>(i);
    const struct {
        std::string text;
        int level;
        bool pastLastLevel;
    } cases[] = {
        {kTwoLevels, 0, false},
        {kTwoLevels, -1, false},
        {kTwoLevels, 3, true},
        {kTwoLevels, 1000, true},
        {"h\n\n" + wall33 + "\n#@" + std::string(30, ' ') + "#\n" + wall33 + "\n", 1, false},
        {tall, 1, false},
        {manyBoxes, 1, false},
        {huge, 1, false},
    };
    for (const auto& [text, level, pastLastLevel] : cases) {
        const LoadResult result = loadFromText(text, level);
        EXPECT_EQ(result.board.notFound, 1) << level << ": " << text.substr(0, 40);
        EXPECT_EQ(result.board.pastLastLevel, pastLastLevel ? 1 : 0) << level << ": " << text.substr(0, 40);
        EXPECT_EQ(activeBoxes(result.board), 0) << level;
        EXPECT_EQ(wallCount(result.board), 0) << level;
        EXPECT_EQ(result.player.x, 4) << level;
        EXPECT_EQ(result.player.y, 9) << level;
    }
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
    EXPECT_EQ(result.board.cells[31][23], Cell::Wall);
}

TEST(LoadLevel, ReloadKeepsCoordinatesOfFreeBoxEntriesAndResetsNotFound) {
    LoadResult result = loadFromText(kTwoLevels, 2);
    result.board.notFound = 1;
    testing_support::TempDir dir;
    testing_support::writeFile(dir / "levels/Mine.lvt", kTwoLevels);
    testing_support::ScopedWorkingDirectory cwd(dir.path());
    result.player.setName = "Mine";
    result.player.level = 1;
    loadLevel(result.board, result.player);
    EXPECT_EQ(result.board.notFound, 0);
    EXPECT_EQ(result.board.boxes[1].active, 0);
    EXPECT_EQ(result.board.boxes[1].x, 4);  // only active decides which entries count

    result.player.setName = "Missing";
    loadLevel(result.board, result.player);
    EXPECT_EQ(result.board.notFound, 1);
    EXPECT_EQ(result.board.pastLastLevel, 0);  // no file: nothing says the set is used up
    EXPECT_EQ(activeBoxes(result.board), 0);
}

TEST(IsSolved, EveryActiveBoxOnAGoal) {
    LoadResult result = loadFromText(kTwoLevels, 1);
    EXPECT_FALSE(isSolved(result.board));
    result.board.boxes[0].x = 3;
    EXPECT_TRUE(isSolved(result.board));
    // More goals than boxes: solved once every box stands on one.
    EXPECT_TRUE(isSolved(loadFromText("h\n\n######\n#@*..#\n######\n", 1).board));
    // No active boxes at all (an empty board after a level was not found) counts as solved.
    EXPECT_TRUE(isSolved(Board{}));
}

}  // namespace
