// Level collections: the notation and its run lengths, which lines are boards, what the text around them
// names, why a level is skipped, the board's identity, and the agreement with the game's own loader on
// the shipped set.

#include "core/level_collection.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/level_file.h"
#include "support/temp_dir.h"

namespace {

using Rows = std::vector<std::string>;

const std::string kClassicPath = std::string(TARMELO_SOURCE_DIR) + "/data/levels/Classic.lvt";
const Rows kSmall = {"#####", "#@$.#", "#####"};
const std::string kSmallText = "#####\n#@$.#\n#####\n";

// The only level in text.
CollectionLevel levelOf(const std::string& text) {
    const LevelCollection collection = parseLevelCollection(text);
    EXPECT_EQ(collection.levels.size(), 1u) << text;
    return collection.levels.empty() ? CollectionLevel{} : collection.levels[0];
}

TEST(CollectionNotation, SynonymsRunLengthsGroupsAndBars) {
    EXPECT_EQ(levelOf("######\n#p-b.#\n#_P*B#\n######\n").rows,
              (Rows{"######", "#@ $.#", "# +**#", "######"}));
    // Column 0 is a line's first character; floor at the end of a row is dropped.
    EXPECT_EQ(levelOf("--###__\n  #@$.#\n--###\n").rows, (Rows{"  ###", "  #@$.#", "  ###"}));
    EXPECT_EQ(levelOf("5#|#@$.#12-|(5#)\n").rows, kSmall);
    EXPECT_EQ(levelOf("7#|#@$.2-#|2(3(#-)#)|#2-.$ #|7#\n").rows,
              (Rows{"#######", "#@$.  #", "# # # ## # # #", "#  .$ #", "#######"}));
    EXPECT_EQ(levelOf("8(1(1(1(1(1(1(1(#))))))))\n").rows, (Rows{"########"}));  // the deepest nesting
    // Empty rows inside a board stay; at either end they are only floor outside it.
    EXPECT_EQ(levelOf("|-|5#|#@$.#|-|5#|-|\n").rows, (Rows{"#####", "#@$.#", "", "#####"}));
    // A tab is floor up to the next multiple of 8 columns.
    EXPECT_EQ(levelOf("\t#####\n##\t#\n").rows, (Rows{"        #####", "##      #"}));
}

TEST(CollectionNotation, LinesThatDoNotReadAsRowsAreText) {
    for (const char* line : {"#1", "# 12", "2(#", "#)", "0#", "1000#", "3|#", "9(9(9(9(9(9(9(9(9(#)))))))))",
                             "3\t#", "2(#\t)", "1234", "------"}) {
        EXPECT_EQ(levelOf(std::string(line) + "\n" + kSmallText).firstLine, 2) << line;
    }
    // Text between two boards separates them; a number names the next level, a separator does not.
    const LevelCollection collection =
        parseLevelCollection(kSmallText + "12\n" + kSmallText + "--\n" + kSmallText);
    ASSERT_EQ(collection.levels.size(), 3u);
    EXPECT_EQ(collection.levels[1].title, "12");
    EXPECT_EQ(collection.levels[2].title, "");
    EXPECT_EQ(collection.levels[2].rows, kSmall);
}

TEST(CollectionNotation, HugeCountsStopAtTheGrid) {
    // Expanded in full these would be 999^8 cells; the reader must answer at once.
    const std::string deepFloor = "#999(999(999(999(999(999(999(999(-))))))))";
    EXPECT_EQ(levelOf("#####\n#@$.#\n" + deepFloor + "\n#####\n").rows,
              (Rows{"#####", "#@$.#", "#", "#####"}));
    EXPECT_EQ(levelOf("#####\n#@$.#\n" + deepFloor + "#\n#####\n").problem, LevelProblem::TooWide);
    EXPECT_EQ(levelOf("999(999(999(999(999(999(999(999(#))))))))\n#@$.#\n").problem, LevelProblem::TooWide);
}

// A file of nothing but tiny boards would otherwise cost memory far beyond its size.
TEST(CollectionNotation, AFileStopsAtTheMostLevels) {
    std::string text;
    for (std::size_t i = 0; i <= kMaxCollectionLevels; ++i) text += "#\n\n";
    const LevelCollection collection = parseLevelCollection(text);
    EXPECT_EQ(collection.levels.size(), kMaxCollectionLevels);
    EXPECT_TRUE(collection.cutShort);
    EXPECT_FALSE(parseLevelCollection("#\n").cutShort);
}

TEST(CollectionNotation, LineEndsByteOrderMarkAndTrailingBlanks) {
    const std::string plain = "Set\n\nFirst\n" + kSmallText + "Title: one\n";
    for (const std::string& variant :
         {plain, "\xEF\xBB\xBF" + plain,
          std::string("Set\r\n\r\nFirst\r\n#####\r\n#@$.#\r\n#####\r\nTitle: one"),
          std::string("Set  \n \t\nFirst \t\n#####   \n#@$.#\t\n#####\r\nTitle: one \r\n")}) {
        const LevelCollection collection = parseLevelCollection(variant);
        ASSERT_EQ(collection.levels.size(), 1u) << variant;
        EXPECT_EQ(collection.levels[0].rows, kSmall) << variant;
        EXPECT_EQ(collection.levels[0].title, "one") << variant;
        EXPECT_EQ(collection.levels[0].firstLine, 4) << variant;
        EXPECT_EQ(collection.description, "Set") << variant;
    }
}

TEST(CollectionText, TitlesAuthorsNamesAndTheFile) {
    const LevelCollection collection = parseLevelCollection(
        "Collection: Boxes of summer\nMade for testing\n\na second paragraph\n\n"
        ":: not a word of this counts\n; 1\nFirst light\n" +
        kSmallText + "TITLE: Dawn\nAuthor: Ann\ntitle: ignored, the first one wins\n\n; 2\n" + kSmallText +
        "\nThird one\n; 3\nAuthor: Bob\n" +  // after level 2, so Bob's is level 2
        kSmallText + "author: Cy\n");
    EXPECT_EQ(collection.title, "Boxes of summer");
    EXPECT_EQ(collection.description, "Made for testing\n\na second paragraph");
    ASSERT_EQ(collection.levels.size(), 3u);
    const CollectionLevel& first = collection.levels[0];
    EXPECT_TRUE(first.title == "Dawn" && first.author == "Ann" && first.name == "1");
    const CollectionLevel& second = collection.levels[1];  // neither "; 2", "Author:" nor "title:" names it
    EXPECT_TRUE(second.title == "" && second.author == "Bob" && second.name == "2");
    const CollectionLevel& third = collection.levels[2];
    EXPECT_TRUE(third.title == "Third one" && third.author == "Cy" && third.name == "3");

    // Above the first board, only the lines after the last blank one speak for it.
    const LevelCollection header =
        parseLevelCollection("My set\nby me\n\nAuthor: Di\nLevel one\n" + kSmallText);
    EXPECT_EQ(header.description, "My set\nby me");
    EXPECT_TRUE(header.levels[0].title == "Level one" && header.levels[0].author == "Di");
    EXPECT_EQ(parseLevelCollection("My set\n\n" + kSmallText).levels[0].title, "");
    // Without a board, all of it describes the file.
    EXPECT_EQ(parseLevelCollection("Just words\n\n1234\n").description, "Just words\n\n1234");
}

TEST(CollectionProblems, EachReasonALevelIsSkipped) {
    std::string tall;
    for (int i = 0; i < 23; ++i) tall += "#@$.#\n";
    // 33 boxes on a board that fits the grid.
    std::string manyBoxes = "32#\n#@" + std::string(29, ' ') + "#\n#" + std::string(30, '$') + "#\n";
    manyBoxes += "#" + std::string(30, '.') + "#\n#$$$..." + std::string(24, ' ') + "#\n32#\n";
    const struct {
        std::string text;
        LevelProblem problem;
    } cases[] = {
        {kSmallText, LevelProblem::None},
        {std::string(33, '#') + "\n#@$.#\n#####\n", LevelProblem::TooWide},
        {"#####\n" + tall + "#####\n", LevelProblem::TooTall},
        {manyBoxes, LevelProblem::TooManyBoxes},
        {"#####\n# $.#\n#####\n", LevelProblem::NoKeeper},
        {"#####\n#@$.#\n#@$.#\n#####\n", LevelProblem::SeveralKeepers},
        {"######\n#@$..#\n######\n", LevelProblem::BoxesAndGoalsDiffer},
        {"#####\n#@$.\n#####\n", LevelProblem::OpenFloor},
        {"#####\n#@*##\n#####\n", LevelProblem::NothingToDo},
        {"####\n#@ #\n####\n", LevelProblem::NothingToDo},
        // Open only past the box, or beside a row shorter than the others.
        {"######\n#@$. #\n#### #\n", LevelProblem::OpenFloor},
        {"######\n#@$. #\n#   \n######\n", LevelProblem::OpenFloor},
        // Floor outside the walls, or behind them out of the keeper's reach, is no opening.
        {"  #####\n  #@$.#  $\n  #####    .\n", LevelProblem::None},
        {"#########\n#@$.# $ .\n#########\n", LevelProblem::None},
    };
    for (const auto& each : cases) EXPECT_EQ(levelOf(each.text).problem, each.problem) << each.text;
    EXPECT_STREQ(levelProblemText(LevelProblem::TooWide), "wider than 32 cells");
}

TEST(BoardHash, IsFnv1aOfTheCanonicalRows) {
    EXPECT_EQ(boardHash({"a"}), 0xaf63dc4c8601ec8cull);  // FNV-1a's published value for "a"
    // Classic level 1, however it is spelled, named or placed; progress files hold this value.
    const std::uint64_t kClassicOne = 0x7039e6f834f7d5d3ull;
    EXPECT_EQ(boardHash({"######", "#@.  #", "#  $ #", "##  ##", " ####"}), kClassicOne);
    EXPECT_EQ(boardHash(levelOf("x\n\n; 9\n6#|#p.2-#|#2-b #\n##__##\n-4#\t\nTitle: y\n").rows), kClassicOne);
    EXPECT_NE(boardHash({"######", "#@.  #", "#  $ #", "##  ##", "  ###"}), kClassicOne);
}

struct Placed {
    Board board;
    Player player;
};

// What a previous level left behind, the same for both loaders, so that what each leaves alone shows.
Placed leftovers(int level) {
    Placed placed;
    std::memset(&placed, 0, sizeof placed);  // padding too: the boards are compared byte by byte
    for (int i = 0; i < kMaxBoxes; ++i) {
        placed.board.boxes[i].active = kBoxActive;
        placed.board.boxes[i].x = i;
        placed.board.boxes[i].offsetX = 0.5f;
    }
    placed.board.cells[31][23] = Cell::Wall;
    placed.player.x = 7;
    placed.player.steps = 12;
    placed.player.offsetZ = 0.25f;
    placed.player.setName = "Classic";
    placed.player.level = level;
    return placed;
}

Placed loadedFromClassic(int level) {
    Placed loaded = leftovers(level);
    std::FILE* file = std::fopen(kClassicPath.c_str(), "rb");
    EXPECT_NE(file, nullptr);
    if (file != nullptr) loadLevelFromFile(loaded.board, loaded.player, file);
    if (file != nullptr) std::fclose(file);
    return loaded;
}

TEST(CollectionClassic, ReadsTheLevelsTheGameLoads) {
    const LevelCollection collection = parseLevelCollection(testing_support::readFile(kClassicPath));
    ASSERT_GE(collection.levels.size(), 50u);
    EXPECT_EQ(collection.description.substr(0, 8), "Classic\n");
    for (std::size_t i = 0; i < collection.levels.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const CollectionLevel& level = collection.levels[i];
        EXPECT_TRUE(level.problem == LevelProblem::None && level.name == std::to_string(number) &&
                    level.title == "")
            << "level " << number;
        const Placed loaded = loadedFromClassic(number);
        ASSERT_EQ(loaded.board.notFound, 0) << "level " << number;
        Placed placed = leftovers(number);
        EXPECT_TRUE(placeCollectionLevel(level, placed.board, placed.player));
        EXPECT_EQ(std::memcmp(&loaded, &placed, sizeof placed), 0) << "level " << number;
    }
    EXPECT_EQ(loadedFromClassic(static_cast<int>(collection.levels.size()) + 1).board.notFound, 1);

    // A level with a problem is refused as the loader refuses one: board cleared, keeper where it was.
    CollectionLevel open = collection.levels[0];
    open.rows.back() = "";
    Placed refused = leftovers(1);
    EXPECT_FALSE(placeCollectionLevel(open, refused.board, refused.player));  // its rows are checked too
    Placed notFound = loadedFromClassic(0);
    notFound.player.level = 1;
    EXPECT_EQ(std::memcmp(&notFound, &refused, sizeof refused), 0);
}

TEST(FormatCollectionLevel, ReadsBackToTheSameLevel) {
    const LevelCollection classic = parseLevelCollection(testing_support::readFile(kClassicPath));
    std::string written;
    for (const CollectionLevel& level : classic.levels) written += formatCollectionLevel(level) + "\n";
    const LevelCollection reread = parseLevelCollection(written);
    ASSERT_EQ(reread.levels.size(), classic.levels.size());
    for (std::size_t i = 0; i < classic.levels.size(); ++i) {
        EXPECT_EQ(reread.levels[i].rows, classic.levels[i].rows) << "level " << i + 1;
        EXPECT_EQ(reread.levels[i].name, classic.levels[i].name) << "level " << i + 1;
    }
    // Rows without a wall (an empty row, floor and boxes outside) cannot stand alone on a line.
    CollectionLevel odd;
    odd.rows = {"  $", "#####", "#@$.#", "", "#####", "   ."};
    odd.title = "Odd one";
    odd.author = "Eve";
    odd.name = "7";
    const std::string text = formatCollectionLevel(odd);
    EXPECT_EQ(text, "; 7\n  $|#####\n#@$.#|-\n#####|   .\nTitle: Odd one\nAuthor: Eve\n");
    const CollectionLevel back = levelOf(text);
    EXPECT_TRUE(back.rows == odd.rows && back.title == odd.title && back.author == odd.author &&
                back.name == odd.name);
}

}  // namespace
