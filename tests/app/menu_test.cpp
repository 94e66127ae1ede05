// The menu and profile dialogue driven through whole game frames with the scripted keyboard and clock and
// a real profile file: typing rules, paging, messages, create and load, Escape and Quit.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "profiles/profile_store.h"
#include "support/scripted_game.h"

namespace {

// Two levels, told apart by the keeper's start column (1 and 5).
const char* kTwoLevels = "set\n\n#######\n#@ $ .#\n#######\n\n#######\n#.  $@#\n#######\n";

struct MenuTest : testing_support::ScriptedGameTest {
    void SetUp() override {
        startOn(kTwoLevels, 3600.0);
        lastTypedChar = 0;
        windowSettings = WindowSettings{};
        std::filesystem::create_directories(profileFolder());
        freshRun();
    }

    // The program started again: the title was left with Space and the menu opens.
    void freshRun() {
        game = testing_support::gameOnLevelOne();
        game->session.profile.dataDirectory = dir / "programdata";
        game->session.menuOpen = true;
    }

    std::string profileFolder() const { return dir / "programdata/ZUR/Tarmelo3D"; }
    std::string profileFile() const { return profileFilePath(dir / "programdata"); }
    ProfileResult saveLevel(int level) {
        return saveLevelReached(game->session.profile.dataDirectory, game->session.profile.record,
                                game->session.profile.password, level);
    }

    void frame() { runGameFrame(*game); }

    // Main page item, counted from 1, then Enter.
    void choose(int item) {
        for (int i = 0; i < 4; ++i) press(KEY_UP);
        for (int i = 1; i < item; ++i) press(KEY_DOWN);
        press(KEY_ENTER);
    }

    // The load page's field starts with the last profile loaded: it is cleared first.
    void submit(int item, const std::string& name, const std::string& password) {
        choose(item);
        while (!game->session.menu.typedText.empty()) press(KEY_BACKSPACE);
        type(name);
        press(KEY_ENTER);
        type(password);
        press(KEY_ENTER);
    }
    void create(const std::string& name, const std::string& password) { submit(1, name, password); }

    // Escape during play.
    void reopen() {
        ASSERT_FALSE(game->session.menuOpen);
        press(KEY_ESC);
        ASSERT_TRUE(game->session.menuOpen);
    }

    void expectTyping(bool on) {
        EXPECT_EQ(scriptedRecord().charCallbackInstalled, on);
        EXPECT_EQ(scriptedRecord().keyRepeat, on);
    }

    const MenuView& view() const { return game->session.menu.view; }

    // Moves the clock on to the next moment at which sin(rate * t) has the given phase (radians).
    static void advanceToPhase(double rate, double phase) {
        const double period = 2.0 * M_PI / rate;
        const double now = platformTime();
        double target = std::floor(now / period) * period + phase / rate;
        if (target <= now) target += period;
        scriptedAdvanceTime(target - now);
    }
};

TEST_F(MenuTest, OpeningTurnsTypingOnAndClosingTurnsItOff) {
    frame();
    expectTyping(true);
    create("ann", "pw");
    EXPECT_FALSE(game->session.menuOpen);
    expectTyping(false);
    // A character typed during play is not taken by anything.
    scriptedCharAt(platformTime(), 'x');
    frame();
    EXPECT_EQ(lastTypedChar, 0);
    reopen();
    expectTyping(true);
}

TEST_F(MenuTest, UpOnTheFirstAndDownOnTheLastItemStayPut) {
    frame();
    press(KEY_UP);
    EXPECT_EQ(game->session.menu.menuSelection, 1);
    press(KEY_DOWN, 2.0);  // held long: still one step
    frame();
    frame();
    EXPECT_EQ(game->session.menu.menuSelection, 2);
    for (int i = 0; i < 3; ++i) press(KEY_DOWN);
    EXPECT_EQ(game->session.menu.menuSelection, 4);
}

TEST_F(MenuTest, TypingFollowsTheRangeTheFieldLimitAndOneBackspacePerPress) {
    frame();
    scriptedCharAt(platformTime(), 'q');  // typed on the main page: dropped when the entry page begins
    frame();
    choose(1);
    type("aB 1");
    // The braces, the bar, the tilde and codes beyond them never reach the field.
    for (const int code : {123, 124, 125, 126, 127, 160, 233}) scriptedCharAt(platformTime(), code);
    frame();
    frame();
    EXPECT_EQ(game->session.menu.typedText, "aB 1");
    // Two characters within one frame: the second replaces the first.
    scriptedCharAt(platformTime(), 'x');
    scriptedCharAt(platformTime(), 'y');
    frame();
    frame();
    EXPECT_EQ(game->session.menu.typedText, "aB 1y");
    type(std::string(40, 'z'));
    EXPECT_EQ(game->session.menu.typedText, "aB 1y" + std::string(27, 'z'));
    // A held key repeats its character while the menu is open.
    game->session.menu.typedText = "ab";
    scriptedCharAt(platformTime(), 'r');
    scriptedCharAt(platformTime() + 0.04, 'r', true);
    frame();
    frame();
    frame();
    EXPECT_EQ(game->session.menu.typedText, "abrr");
    press(KEY_BACKSPACE, 1.5);  // held: the frame waits for the release
    frame();
    frame();
    EXPECT_EQ(game->session.menu.typedText, "abr");
    for (int i = 0; i < 4; ++i) press(KEY_BACKSPACE);
    EXPECT_EQ(game->session.menu.typedText, "");
    type("d");
    EXPECT_EQ(game->session.menu.typedText, "d");
}

TEST_F(MenuTest, EmptyFieldsShowTheirMessageAndKeepTheField) {
    frame();
    choose(1);
    press(KEY_ENTER);
    EXPECT_TRUE(game->session.menu.messageShown);
    EXPECT_EQ(view().lines[0].text, "Name cannot be empty!");
    press(KEY_ENTER);  // dismissed: still the name page, still typing
    EXPECT_FALSE(game->session.menu.messageShown);
    EXPECT_EQ(game->session.menu.menuPage, MenuPage::CreateName);
    type("ann");
    press(KEY_ENTER);
    EXPECT_EQ(game->session.menu.menuPage, MenuPage::CreatePassword);
    EXPECT_EQ(game->session.profile.name, "ann");  // the HUD shows a newly typed name at once
    press(KEY_ENTER);
    EXPECT_EQ(game->session.menu.messageText, "Password cannot be empty!");
    press(KEY_ENTER);
    EXPECT_EQ(game->session.menu.menuPage, MenuPage::CreatePassword);
    EXPECT_TRUE(game->session.menu.textEntry);
    EXPECT_FALSE(testing_support::fileExists(profileFile()));
}

TEST_F(MenuTest, MarkAndPromptBlinkWithTheirSines) {
    frame();
    choose(1);
    type("ab");
    advanceToPhase(50.0, M_PI / 2);
    frame();
    EXPECT_EQ(view().lines[1].text, "ab:");
    advanceToPhase(50.0, 3 * M_PI / 2);
    frame();
    EXPECT_EQ(view().lines[1].text, "ab ");

    game->session.menu.typedText.clear();
    press(KEY_ENTER);  // "Name cannot be empty!"
    advanceToPhase(10.0, M_PI / 2);
    frame();
    ASSERT_EQ(view().lineCount, 2);
    EXPECT_EQ(view().lines[1].text, "+++PRESS ENTER+++");
    EXPECT_EQ(view().lines[1].y, 300.0f - 32.0f);
    advanceToPhase(10.0, 3 * M_PI / 2);
    frame();
    EXPECT_EQ(view().lineCount, 1);
}

// A load starts the record's level afresh, without the previous level's end or its moves to take back; a
// damaged level starts 1.
TEST_F(MenuTest, LoadStartsTheSavedLevelAfreshOrLevelOneForADamagedRecord) {
    create("ann", "secret");
    EXPECT_FALSE(game->session.menuOpen);
    EXPECT_TRUE(game->session.profile.loaded);
    ASSERT_EQ(saveLevel(2), ProfileResult::Ok);  // progress as the level end writes it

    freshRun();
    game->state.player.steps = 7;
    game->state.levelEnd.solved = game->state.levelEnd.endRequested = game->state.levelEnd.sinking = true;
    game->state.history.count = 5;
    submit(2, "ann", "secret");
    EXPECT_FALSE(game->session.menuOpen);
    EXPECT_EQ(game->state.player.level, 2);
    EXPECT_EQ(game->state.player.steps, 0);
    EXPECT_EQ(game->state.history.count, 0);
    EXPECT_EQ(game->state.player.x, 5);
    EXPECT_FALSE(game->state.levelEnd.solved || game->state.levelEnd.endRequested ||
                 game->state.levelEnd.sinking);

    std::string bytes = testing_support::readFile(profileFile());
    ASSERT_EQ(bytes.size(), 72u);
    bytes.replace(68, 4, std::string("\xF6\xFF\xFF\xFF", 4));  // level -10
    testing_support::writeFile(profileFile(), bytes);
    freshRun();
    submit(2, "ann", "secret");
    EXPECT_TRUE(game->session.profile.loaded);
    EXPECT_EQ(game->state.player.level, 1);
    EXPECT_EQ(game->state.player.x, 1);
}

TEST_F(MenuTest, FailedCreateOrLoadKeepsThePreviousProfile) {
    create("ann", "one");
    ASSERT_EQ(saveLevel(2), ProfileResult::Ok);
    const ProfileRecord before = game->session.profile.record;
    const std::string file = testing_support::readFile(profileFile());
    const int keeperX = game->state.player.x;

    struct Attempt {
        int item;
        const char* name;
        const char* password;
        const char* message;
    };
    for (const Attempt& attempt :
         {Attempt{2, "ann", "two", "INVALID PASSWORD!"}, Attempt{2, "bob", "one", "PROFILE NOT FOUND!"},
          Attempt{1, "ann", "other", "PROFILE ALREADY EXISTS!"}}) {
        reopen();
        submit(attempt.item, attempt.name, attempt.password);
        EXPECT_TRUE(game->session.menuOpen) << attempt.message;
        EXPECT_EQ(game->session.menu.messageText, attempt.message);
        EXPECT_EQ(game->session.menu.menuPage, MenuPage::Main);
        EXPECT_FALSE(game->session.menu.textEntry);
        EXPECT_EQ(game->session.profile.name, "ann");
        EXPECT_EQ(game->session.profile.password, "one");
        EXPECT_EQ(std::memcmp(&game->session.profile.record, &before, sizeof before), 0) << attempt.message;
        press(KEY_ENTER);  // dismissed: the main page with the selection that led here
        EXPECT_FALSE(game->session.menu.messageShown);
        EXPECT_EQ(game->session.menu.menuSelection, attempt.item);
        press(KEY_ESC);
        EXPECT_FALSE(game->session.menuOpen);
    }
    EXPECT_EQ(game->state.player.level, 1);  // no level was loaded
    EXPECT_EQ(game->state.player.x, keeperX);
    EXPECT_EQ(testing_support::readFile(profileFile()), file);
    // Later saves still find the previous profile's own record.
    ASSERT_EQ(saveLevel(3), ProfileResult::Ok);
    const std::string after = testing_support::readFile(profileFile());
    ASSERT_EQ(after.size(), 72u);
    EXPECT_EQ(after[68], 3);

    // A profile file that cannot be made: the message, and the logged-in record stays whole.
    const ProfileRecord saved = game->session.profile.record;
    std::filesystem::rename(profileFolder(), dir / "moved");
    reopen();
    create("bob", "two");
    EXPECT_EQ(game->session.menu.messageText, "File I/O ERROR!");
    EXPECT_EQ(game->session.profile.name, "ann");
    EXPECT_EQ(std::memcmp(&game->session.profile.record, &saved, sizeof saved), 0);
}

// A profile file the store must not use (here a folder; every kind is the store test's): create and load
// both say "File I/O ERROR!", not "PROFILE NOT FOUND!", which would tell the player the profile is gone.
TEST_F(MenuTest, AProfileFileThatCannotBeUsedShowsTheIOError) {
    std::filesystem::create_directory(profileFile());
    frame();
    for (const int item : {1, 2}) {
        submit(item, "ann", "pw");
        EXPECT_TRUE(game->session.menuOpen);
        EXPECT_EQ(game->session.menu.messageText, "File I/O ERROR!") << "item " << item;
        press(KEY_ENTER);
    }
}

TEST_F(MenuTest, EscapeDoesNothingBeforeAProfileIsLoaded) {
    frame();
    press(KEY_ESC);
    EXPECT_TRUE(game->session.menuOpen);
    choose(1);
    type("ann");
    press(KEY_ESC);
    EXPECT_TRUE(game->session.menuOpen);
    EXPECT_EQ(game->session.menu.menuPage, MenuPage::CreateName);
    EXPECT_EQ(game->session.menu.typedText, "ann");
    EXPECT_TRUE(scriptedRecord().keyRepeat);
}

TEST_F(MenuTest, EscapeAfterALoginClosesAndReopensOnTheMainPage) {
    create("ann", "one");
    reopen();
    choose(2);
    for (int i = 0; i < 3; ++i) press(KEY_BACKSPACE);  // "ann", the profile loaded last
    type("zed");
    press(KEY_ENTER);
    type("x");
    ASSERT_EQ(game->session.menu.menuPage, MenuPage::LoadPassword);
    ASSERT_EQ(game->session.profile.name, "zed");
    press(KEY_ESC);
    EXPECT_FALSE(game->session.menuOpen);
    expectTyping(false);
    // The abandoned name is not the logged-in profile's: the saved name and password come back.
    EXPECT_EQ(game->session.profile.name, "ann");
    EXPECT_EQ(game->session.profile.password, "one");

    reopen();
    EXPECT_EQ(game->session.menu.menuPage, MenuPage::Main);
    EXPECT_EQ(game->session.menu.menuSelection, 2);
    EXPECT_EQ(game->session.menu.typedText, "");
    // Escape over a message closes the message with the menu.
    create("ann", "one");
    ASSERT_TRUE(game->session.menu.messageShown);
    press(KEY_ESC);
    EXPECT_FALSE(game->session.menuOpen);
    EXPECT_FALSE(game->session.menu.messageShown);
}

// The pad's d-pad, A and B do what Up, Down, Enter and Escape do, once per press, and each is let go
// before play reads it (B there takes a move back).
TEST_F(MenuTest, PadMovesConfirmsAndClosesLikeTheKeys) {
    frame();
    pressPad(PAD_DOWN, 2.0);  // held long: still one step
    frame();
    frame();
    EXPECT_EQ(game->session.menu.menuSelection, 2);
    pressPad(PAD_UP);
    EXPECT_EQ(game->session.menu.menuSelection, 1);
    pressPad(PAD_B);  // no profile yet: the menu stays
    EXPECT_TRUE(game->session.menuOpen);
    pressPad(PAD_A);
    EXPECT_EQ(game->session.menu.menuPage, MenuPage::CreateName);
    type("ann");
    pressPad(PAD_A);
    type("pw");
    pressPad(PAD_A);
    ASSERT_FALSE(game->session.menuOpen);
    ASSERT_TRUE(game->session.profile.loaded);

    pressPad(PAD_RIGHT, 0.02);
    for (int i = 0; i < 20; ++i) frame();
    ASSERT_EQ(game->state.player.x, 2);
    pressPad(PAD_START);
    ASSERT_TRUE(game->session.menuOpen);
    pressPad(PAD_B);
    EXPECT_FALSE(game->session.menuOpen);
    expectTyping(false);
    for (int i = 0; i < 20; ++i) frame();
    EXPECT_EQ(game->state.player.x, 2);
}

}  // namespace
