// The level chooser and the player's collections, driven through whole game frames with the scripted
// keyboard and clock, a real profile file and a real progress file: the main page's new entry, the pages
// and their keys, play in a collection of the player's own (every level open, on to the next unsolved one,
// the profile's record untouched), Classic's rule (open up to the level reached, which only ever rises),
// and a collection named on the command line.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/level_choice.h"
#include "profiles/level_folder.h"
#include "profiles/level_progress.h"
#include "profiles/profile_store.h"
#include "support/scripted_game.h"

namespace {

// Three Classic levels, each solved by walking right.
const char* kClassic =
    "Classic\n\n; 1\n#####\n#@$.#\n#####\n\n; 2\n######\n#@ $.#\n######\n\n; 3\n#######\n#@  $.#\n#######\n";
// A player's file in the genre's notation: run lengths, titles after and before the boards, a level that
// cannot be played (its floor is open) and three that can, each solved by walking right.
const char* kMine =
    "Collection: Mine\n\nFirst\n5#|#@$.#|5#\n\n6#\n#@-$.#\n6#\nTitle: Second\n\n#####\n#@$. \n#####\n"
    "Title: Open\n\n7#\n#@2-$.#\n7#\nTitle: Fourth\n";

struct LevelChooserTest : testing_support::ScriptedGameTest {
    void SetUp() override {
        startOn(kClassic, 3600.0);
        lastTypedChar = 0;
        windowSettings = WindowSettings{};
        base = dir / "programdata";
        std::filesystem::create_directories(base + "/ZUR/Tarmelo3D");
        makeLevelFolder(base);
        testing_support::writeFile(levelFolderPath(base) + "/mine.sok", kMine);
        freshRun("");
    }

    // The program started again, as start-up lists the collections, and the title left with Space.
    void freshRun(const std::string& commandLinePath) {
        game = testing_support::gameOnLevelOne();
        game->session.profile.dataDirectory = base;
        listCollections(game->session.levels, levelFolderPath(base), commandLinePath);
        readCollectionEntry(game->session.levels.entries[0], game->session.levels.classic);
        game->session.menuOpen = true;
    }

    void frame() { runGameFrame(*game); }
    // A main page entry by its text, then Enter.
    void choose(const std::string& text) {
        frame();
        const auto& items = game->session.menu.menuItems;
        const auto found = std::find(items.begin(), items.end(), text);
        ASSERT_NE(found, items.end()) << text;
        for (std::size_t i = 0; i < items.size(); ++i) press(KEY_UP);
        for (auto i = items.begin(); i != found; ++i) press(KEY_DOWN);
        press(KEY_ENTER);
    }
    void create(const std::string& name) {
        choose("Create New Profile");
        type(name);
        press(KEY_ENTER);
        type("pw");
        press(KEY_ENTER);
    }
    // From play: the chooser's collection `entry`, then its level `number`.
    void pick(int entry, int number) {
        press(KEY_ESC);
        choose("Choose Level");
        press(KEY_HOME);
        for (int i = 0; i < entry; ++i) press(KEY_DOWN);
        press(KEY_ENTER);
        press(KEY_HOME);
        for (int i = 1; i < number; ++i) press(KEY_DOWN);
        press(KEY_ENTER);
    }
    // Walks right until the level is solved (every level here is), then runs frames until the level end
    // has loaded the next level.
    void solveByWalkingRight() {
        for (int moves = 0; moves < 10 && !isSolved(game->state.board); ++moves) moveAndGlide(KEY_RIGHT);
        runUntilNextLevel();
    }
    // Plays moves in the genre's letters, each to the end of its glide, then frames until a solved level
    // has loaded the next.
    void play(const std::string& moves) {
        for (const char letter : moves) {
            const int key = (letter | 0x20) == 'l'   ? KEY_LEFT
                            : (letter | 0x20) == 'r' ? KEY_RIGHT
                            : (letter | 0x20) == 'u' ? KEY_UP
                                                     : KEY_DOWN;
            moveAndGlide(key);
        }
        runUntilNextLevel();
    }
    void moveAndGlide(int key) {
        press(key, 0.02);
        for (int frames = 0; frames < 20; ++frames) {
            scriptedAdvanceTime(0.03);
            frame();
        }
    }
    void runUntilNextLevel() {
        for (int frames = 0; frames < 400 && game->state.player.steps != 0; ++frames) {
            scriptedAdvanceTime(0.03);
            frame();
        }
    }
    // From a levels page, three presses of `back`: up to the collections, to the main page, out of the menu.
    void goBackUpAndOut(const std::function<void()>& back) {
        back();
        EXPECT_EQ(game->session.menu.menuPage, MenuPage::Collections);
        back();
        EXPECT_EQ(game->session.menu.menuPage, MenuPage::Main);
        EXPECT_TRUE(game->session.menuOpen);
        back();
        EXPECT_FALSE(game->session.menuOpen);
    }
    ProfileProgress progress() {
        ProfileProgress read;
        loadProgress(base, game->session.profile.owner, read);
        return read;
    }
    int storedLevel() {
        return static_cast<unsigned char>(testing_support::readFile(profileFilePath(base))[68]);
    }
    std::vector<std::string> listLines() {
        std::vector<std::string> lines;
        for (int i = 0; i < game->session.menu.view.lineCount; ++i)
            lines.push_back(game->session.menu.view.lines[i].text);
        return lines;
    }

    std::string base;
};

TEST_F(LevelChooserTest, ChooseLevelJoinsTheMainPageBeforeSettingsAndQuitOnceAProfileIsLoaded) {
    frame();
    EXPECT_EQ(game->session.menu.menuItems,
              (std::vector<std::string>{"Create New Profile", "Load Profile", "Settings", "Quit"}));
    create("ann");
    press(KEY_ESC);
    frame();
    EXPECT_EQ(game->session.menu.menuItems, (std::vector<std::string>{"Create New Profile", "Load Profile",
                                                                      "Choose Level", "Settings", "Quit"}));
    choose("Quit");
    EXPECT_TRUE(quitRequested);
}

TEST_F(LevelChooserTest, APlayersCollectionIsOpenWholeAndGoesOnToTheNextUnsolvedLevel) {
    create("ann");
    pick(1, 4);  // "Fourth"
    ASSERT_FALSE(game->session.menuOpen);
    ASSERT_NE(game->state.collection, nullptr);
    EXPECT_EQ(game->state.player.level, 4);
    EXPECT_EQ(game->state.player.x, 1);
    solveByWalkingRight();
    EXPECT_EQ(game->state.player.level, 1);  // wrapped round to the first level not solved
    solveByWalkingRight();
    EXPECT_EQ(game->state.player.level, 2);
    solveByWalkingRight();  // level 3 cannot be played: all that is left is solved
    EXPECT_TRUE(game->state.board.notFound && game->state.board.pastLastLevel);
    EXPECT_EQ(progress().size(), 3u);
    EXPECT_EQ(storedLevel(), 1);  // a player's collection never writes the profile's record

    // The marks are the profile's: a new profile starts with none, and the list shows them.
    press(KEY_ESC);
    choose("Choose Level");
    press(KEY_DOWN);
    press(KEY_ENTER);
    const std::vector<std::string> lines = listLines();
    ASSERT_EQ(lines.size(), 6u);  // the title, four levels, the help
    EXPECT_EQ(lines[0], "mine.sok");
    EXPECT_NE(lines[1].find("First"), std::string::npos);
    EXPECT_NE(lines[1].find("solved"), std::string::npos);
    EXPECT_NE(lines[3].find(levelProblemText(LevelProblem::OpenFloor)), std::string::npos);
    press(KEY_HOME);
    press(KEY_DOWN);
    press(KEY_DOWN);
    press(KEY_ENTER);  // the open level cannot be started
    EXPECT_EQ(game->session.menu.messageText, "LEVEL CANNOT BE PLAYED!");
}

TEST_F(LevelChooserTest, ClassicOpensUpToTheLevelReachedWhichOnlyRises) {
    create("ann");
    solveByWalkingRight();
    solveByWalkingRight();
    ASSERT_EQ(game->state.player.level, 3);
    ASSERT_EQ(storedLevel(), 3);
    pick(0, 1);  // replaying level 1 keeps the profile at level 3
    EXPECT_EQ(game->state.collection, nullptr);
    EXPECT_EQ(game->state.player.level, 1);
    solveByWalkingRight();
    EXPECT_EQ(game->state.player.level, 2);  // the next Classic level, as always
    EXPECT_EQ(storedLevel(), 3);

    // A level past the one reached stays closed.
    freshRun("");
    create("bob");
    press(KEY_ESC);
    choose("Choose Level");
    press(KEY_ENTER);
    press(KEY_DOWN);
    press(KEY_ENTER);
    EXPECT_EQ(game->session.menu.messageText, "LEVEL NOT REACHED YET!");
    EXPECT_EQ(game->state.player.level, 1);
}

// A level's best solutions are kept when they beat the kept ones, by moves or by pushes, and only then is
// the progress file written again.
TEST_F(LevelChooserTest, BestSolutionsAreKeptOnlyWhenBetter) {
    const std::string path = dir / "roomy.sok";
    testing_support::writeFile(path, "######\n#@ $.#\n#    #\n######\n");
    freshRun(path);
    create("ann");
    const std::uint64_t hash = game->session.levels.inPlay.hashes[0];
    play("druR");
    ASSERT_TRUE(progress()[hash].solved);
    EXPECT_TRUE(progress()[hash].fewestMoves == (BestSolution{4, 1, "druR"}));
    const auto written = std::filesystem::file_size(progressFilePath(base));

    pick(2, 1);    // after Classic and the level folder's file
    play("druR");  // no better: nothing written
    EXPECT_EQ(std::filesystem::file_size(progressFilePath(base)), written);
    pick(2, 1);
    play("rR");
    EXPECT_TRUE(progress()[hash].fewestMoves == (BestSolution{2, 1, "rR"}));
    EXPECT_TRUE(progress()[hash].fewestPushes == (BestSolution{2, 1, "rR"}));
    EXPECT_GT(std::filesystem::file_size(progressFilePath(base)), written);
}

// A kept solution watched from the chooser plays by itself on the level loaded afresh, records nothing,
// and gives back the game as it was, its moves to take back included, with the chooser where it was.
TEST_F(LevelChooserTest, WatchingTheBestSolutionGivesTheGameBack) {
    const std::string path = dir / "roomy.sok";
    testing_support::writeFile(path, "######\n#@ $.#\n#    #\n######\n\n######\n#@ $.#\n######\n");
    freshRun(path);
    create("ann");
    play("druR");  // level 1 solved; level 2 comes
    play("d");     // a move on level 2 that the player can take back
    ASSERT_EQ(game->state.player.level, 2);
    ASSERT_EQ(game->state.history.count, 0);  // "d" is a wall on level 2: nothing moved
    play("r");
    ASSERT_EQ(game->state.history.count, 1);
    const auto written = std::filesystem::file_size(progressFilePath(base));

    press(KEY_ESC);
    choose("Choose Level");
    press(KEY_ENTER);  // the collection in play
    press(KEY_HOME);
    press(KEY_DOWN);
    press(KEY_W);  // level 2: nothing kept
    EXPECT_EQ(game->session.menu.messageText, "NO SOLUTION KEPT YET!");
    press(KEY_ENTER);
    press(KEY_UP);
    press(KEY_W);
    ASSERT_FALSE(game->session.menuOpen);
    ASSERT_TRUE(game->state.replay.active);
    EXPECT_EQ(game->state.player.level, 1);
    EXPECT_EQ(game->state.player.x, 1);
    bool solvedSeen = false;
    for (int frames = 0; frames < 600 && game->state.replay.active; ++frames) {
        scriptedAdvanceTime(0.03);
        frame();
        solvedSeen |= game->state.replay.active && isSolved(game->state.board);
    }
    EXPECT_TRUE(solvedSeen);
    EXPECT_FALSE(game->state.replay.active);
    EXPECT_TRUE(game->session.menuOpen);
    EXPECT_EQ(game->session.menu.menuPage, MenuPage::Levels);
    EXPECT_EQ(game->state.player.level, 2);
    EXPECT_EQ(game->state.history.count, 1);
    EXPECT_EQ(std::filesystem::file_size(progressFilePath(base)), written);

    press(KEY_W);  // Space ends the watching at once
    ASSERT_TRUE(game->state.replay.active);
    press(KEY_SPACE);
    EXPECT_FALSE(game->state.replay.active);
    EXPECT_EQ(game->state.player.level, 2);
}

TEST_F(LevelChooserTest, EscapeGoesUpOnePageAndLongListsScroll) {
    std::string many;
    for (int i = 1; i <= 60; ++i) many += "#####\n#@$.#\n#####\nTitle: L" + std::to_string(i) + "\n\n";
    testing_support::writeFile(levelFolderPath(base) + "/many.txt", many);
    freshRun("");
    create("ann");
    press(KEY_ESC);
    choose("Choose Level");
    ASSERT_EQ(game->session.menu.menuPage, MenuPage::Collections);
    press(KEY_DOWN);  // "many.txt" sorts before "mine.sok"
    press(KEY_ENTER);
    ASSERT_EQ(game->session.menu.menuPage, MenuPage::Levels);
    press(KEY_PAGEDOWN);
    press(KEY_PAGEDOWN);
    press(KEY_DOWN);
    EXPECT_EQ(game->session.menu.chooser.level, 49);
    EXPECT_NE(listLines().back().find("Escape"), std::string::npos);
    bool selectionShown = false;
    for (const std::string& line : listLines()) selectionShown |= line.rfind(">    50  L50", 0) == 0;
    EXPECT_TRUE(selectionShown);
    press(KEY_END);
    EXPECT_EQ(game->session.menu.chooser.level, 59);
    goBackUpAndOut([&] { press(KEY_ESC); });
}

TEST_F(LevelChooserTest, ACollectionOnTheCommandLineIsWherePlayStarts) {
    const std::string path = dir / "elsewhere.xsb";
    testing_support::writeFile(path, kMine);
    freshRun(path);
    create("ann");
    ASSERT_NE(game->state.collection, nullptr);
    EXPECT_EQ(game->state.player.level, 1);
    solveByWalkingRight();
    EXPECT_EQ(game->state.player.level, 2);

    // Logged in again in a later run: the first level not yet solved.
    freshRun(path);
    choose("Load Profile");
    type("ann");
    press(KEY_ENTER);
    type("pw");
    press(KEY_ENTER);
    EXPECT_EQ(game->state.player.level, 2);

    // A file that cannot be read, or holds nothing to play: the message, and Classic in play.
    for (const char* content : {static_cast<const char*>(nullptr), "just text\n"}) {
        std::filesystem::remove(path);
        if (content != nullptr) testing_support::writeFile(path, content);
        freshRun(path);
        create(content == nullptr ? "cat" : "dan");
        EXPECT_EQ(game->session.menu.messageText,
                  content == nullptr ? "File I/O ERROR!" : "NO PLAYABLE LEVEL!");
        EXPECT_EQ(game->state.collection, nullptr);
        EXPECT_EQ(game->state.player.level, 1);
    }
}

// The chooser on a pad: the d-pad moves, the shoulders turn pages, A opens and starts, B goes up a page and
// then closes the menu.
TEST_F(LevelChooserTest, APadWalksThePagesAndBGoesBackUp) {
    create("ann");
    pressPad(PAD_START);
    pressPad(PAD_DOWN);
    pressPad(PAD_DOWN);
    pressPad(PAD_A);
    ASSERT_EQ(game->session.menu.menuPage, MenuPage::Collections);
    pressPad(PAD_DOWN);
    pressPad(PAD_A);
    ASSERT_EQ(game->session.menu.menuPage, MenuPage::Levels);
    pressPad(PAD_DOWN);
    pressPad(PAD_A);
    EXPECT_FALSE(game->session.menuOpen);
    EXPECT_NE(game->state.collection, nullptr);
    EXPECT_EQ(game->state.player.level, 2);

    pressPad(PAD_START);
    pressPad(PAD_A);
    pressPad(PAD_A);
    ASSERT_EQ(game->session.menu.menuPage, MenuPage::Levels);
    EXPECT_EQ(game->session.menu.chooser.level, 1);  // on the level in play
    pressPad(PAD_RB);
    EXPECT_EQ(game->session.menu.chooser.level, 3);
    pressPad(PAD_LB);
    EXPECT_EQ(game->session.menu.chooser.level, 0);
    goBackUpAndOut([&] { pressPad(PAD_B); });
}

}  // namespace
