// The menu and profile dialogue driven through whole game frames with the scripted keyboard and clock and
// a real profile file: typing rules, paging, messages, create and load, Escape and Quit.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "app/game_frame.h"
#include "app/keyboard.h"
#include "core/level_file.h"
#include "platform/scripted_window.h"
#include "platform/window.h"
#include "profiles/profile_store.h"
#include "support/temp_dir.h"

namespace {

// Two levels, told apart by the keeper's start column.
const char* kTwoLevels =
    "set\n"
    "\n"
    "#######\n"
    "#@ $ .#\n"
    "#######\n"
    "\n"
    "#######\n"
    "#.  $@#\n"
    "#######\n";
constexpr int kLevelOneKeeperX = 1;
constexpr int kLevelTwoKeeperX = 5;

constexpr double kHoldSeconds = 0.1;  // how long a scripted key press stays down

struct MenuTest : ::testing::Test {
    void SetUp() override {
        scriptedReset();
        // A loop that waits for input no script gives would hang the suite: end it instead.
        scriptedOnPoll([] {
            if (platformTime() > 3600.0) quitRequested = true;
        });
        quitRequested = false;
        lastTypedChar = 0;
        windowSettings = WindowSettings{};
        testing_support::writeFile(dir / "levels/Classic.lvt", kTwoLevels);
        std::filesystem::create_directories(profileFolder());
        cwd = std::make_unique<testing_support::ScopedWorkingDirectory>(dir.path());
        freshRun();
    }

    // The program started again: the title was left with Space and the menu opens.
    void freshRun() {
        game = std::make_unique<Game>();
        game->profile.dataDirectory = dir / "programdata";
        game->player.setName = "Classic";
        game->player.level = 1;
        loadLevel(game->board, game->player);
        afterLevelLoad(*game);
        game->menuOpen = true;
    }

    std::string profileFolder() const { return dir / "programdata/ZUR/Tarmelo3D"; }
    std::string profileFile() const { return profileFilePath(dir / "programdata"); }

    void frame() { runGameFrame(*game); }

    // Down for a moment within one frame, as a player's key press: the frame waits for the release.
    void press(int key, double holdSeconds = kHoldSeconds) {
        scriptedSetKey(key, true);
        scriptedKeyAt(platformTime() + holdSeconds, key, false);
        frame();
    }

    // One character per frame: each arrives at the frame's end and is taken by the next frame.
    void type(const std::string& text) {
        for (const char c : text) {
            scriptedCharAt(platformTime(), static_cast<unsigned char>(c));
            frame();
        }
        frame();
    }

    // Main page item, counted from 1, then Enter.
    void choose(int item) {
        for (int i = 0; i < 3; ++i) press(KEY_UP);
        for (int i = 1; i < item; ++i) press(KEY_DOWN);
        press(KEY_ENTER);
    }

    void submit(int item, const std::string& name, const std::string& password) {
        choose(item);
        type(name);
        press(KEY_ENTER);
        type(password);
        press(KEY_ENTER);
    }
    void create(const std::string& name, const std::string& password) { submit(1, name, password); }
    void load(const std::string& name, const std::string& password) { submit(2, name, password); }

    // Escape during play.
    void reopen() {
        ASSERT_FALSE(game->menuOpen);
        press(KEY_ESC);
        ASSERT_TRUE(game->menuOpen);
    }

    const MenuView& view() const { return game->menu.view; }

    // Moves the clock on to the next moment at which sin(rate * t) has the given phase (radians).
    static void advanceToPhase(double rate, double phase) {
        const double period = 2.0 * M_PI / rate;
        const double now = platformTime();
        double target = std::floor(now / period) * period + phase / rate;
        if (target <= now) target += period;
        scriptedAdvanceTime(target - now);
    }

    testing_support::TempDir dir;
    std::unique_ptr<testing_support::ScopedWorkingDirectory> cwd;
    std::unique_ptr<Game> game;
};

TEST_F(MenuTest, OpeningTurnsTypingOnAndClosingTurnsItOff) {
    frame();
    EXPECT_TRUE(scriptedRecord().charCallbackInstalled);
    EXPECT_TRUE(scriptedRecord().keyRepeat);
    create("ann", "pw");
    EXPECT_FALSE(game->menuOpen);
    EXPECT_FALSE(scriptedRecord().charCallbackInstalled);
    EXPECT_FALSE(scriptedRecord().keyRepeat);
    // A character typed during play is not taken by anything.
    scriptedCharAt(platformTime(), 'x');
    frame();
    EXPECT_EQ(lastTypedChar, 0);
    reopen();
    EXPECT_TRUE(scriptedRecord().charCallbackInstalled);
    EXPECT_TRUE(scriptedRecord().keyRepeat);
}

TEST_F(MenuTest, MainPageItemsStandCentredDownwardWithOnlyTheSelectionWhite) {
    frame();
    press(KEY_DOWN);
    ASSERT_EQ(view().lineCount, 3);
    const char* texts[] = {"Create New Profile", "Load Profile", "Quit"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(view().lines[i].text, texts[i]);
        EXPECT_EQ(view().lines[i].y, 300.0f - 30.0f * static_cast<float>(i));
        EXPECT_EQ(view().lines[i].brightness, i == 1 ? 1.0f : 0.4f);
    }
    press(KEY_ENTER);  // Load Profile: an entry page, both lines white
    ASSERT_EQ(view().lineCount, 2);
    EXPECT_EQ(view().lines[0].text, "Enter profile name:");
    EXPECT_EQ(view().lines[0].y, 300.0f);
    EXPECT_EQ(view().lines[1].y, 270.0f);
    EXPECT_EQ(view().lines[0].brightness, 1.0f);
    EXPECT_EQ(view().lines[1].brightness, 1.0f);
}

TEST_F(MenuTest, UpOnTheFirstAndDownOnTheLastItemStayPut) {
    frame();
    press(KEY_UP);
    EXPECT_EQ(game->menu.menuSelection, 1);
    press(KEY_DOWN, 2.0);  // held long: still one step
    frame();
    frame();
    EXPECT_EQ(game->menu.menuSelection, 2);
    press(KEY_DOWN);
    press(KEY_DOWN);
    EXPECT_EQ(game->menu.menuSelection, 3);
}

TEST_F(MenuTest, TypedCharactersFollowTheRangeAndTheFieldLimit) {
    frame();
    scriptedCharAt(platformTime(), 'q');  // typed on the main page: dropped when the entry page begins
    frame();
    choose(1);
    type("aB 1");
    // The braces, the bar, the tilde and codes beyond them never reach the field.
    for (const int code : {123, 124, 125, 126, 127, 160, 233}) scriptedCharAt(platformTime(), code);
    frame();
    frame();
    EXPECT_EQ(game->menu.typedText, "aB 1");
    // Two characters within one frame: the second replaces the first.
    scriptedCharAt(platformTime(), 'x');
    scriptedCharAt(platformTime(), 'y');
    frame();
    frame();
    EXPECT_EQ(game->menu.typedText, "aB 1y");
    type(std::string(40, 'z'));
    EXPECT_EQ(game->menu.typedText, "aB 1y" + std::string(27, 'z'));
    // A held key repeats its character while the menu is open.
    game->menu.typedText.clear();
    scriptedCharAt(platformTime(), 'r');
    scriptedCharAt(platformTime() + 0.04, 'r', true);
    frame();
    frame();
    frame();
    EXPECT_EQ(game->menu.typedText, "rr");
}

TEST_F(MenuTest, BackspaceRemovesOneCharacterPerPress) {
    frame();
    choose(1);
    type("abc");
    press(KEY_BACKSPACE, 1.5);  // held: the frame waits for the release
    frame();
    frame();
    EXPECT_EQ(game->menu.typedText, "ab");
    for (int i = 0; i < 4; ++i) press(KEY_BACKSPACE);
    EXPECT_EQ(game->menu.typedText, "");
    type("d");
    EXPECT_EQ(game->menu.typedText, "d");
}

TEST_F(MenuTest, EmptyFieldsShowTheirMessageAndKeepTheField) {
    frame();
    choose(1);
    press(KEY_ENTER);
    EXPECT_TRUE(game->menu.messageShown);
    EXPECT_EQ(game->menu.messageText, "Name cannot be empty!");
    EXPECT_EQ(view().lines[0].text, "Name cannot be empty!");
    EXPECT_EQ(view().lines[0].y, 300.0f);
    press(KEY_ENTER);  // dismissed: still the name page, still typing
    EXPECT_FALSE(game->menu.messageShown);
    EXPECT_EQ(game->menu.menuPage, MENU_PAGE_CREATE_NAME);
    type("ann");
    press(KEY_ENTER);
    EXPECT_EQ(game->menu.menuPage, MENU_PAGE_CREATE_PASSWORD);
    EXPECT_EQ(game->profile.name, "ann");  // the HUD shows a newly typed name at once
    press(KEY_ENTER);
    EXPECT_EQ(game->menu.messageText, "Password cannot be empty!");
    press(KEY_ENTER);
    EXPECT_EQ(game->menu.menuPage, MENU_PAGE_CREATE_PASSWORD);
    EXPECT_TRUE(game->menu.textEntry);
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

    game->menu.typedText.clear();
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

TEST_F(MenuTest, CreateThenLoadRoundTripsThroughTheProfileFile) {
    create("ann", "secret");
    EXPECT_FALSE(game->menuOpen);
    EXPECT_TRUE(game->profile.loaded);
    EXPECT_EQ(game->profile.name, "ann");
    EXPECT_EQ(game->profile.password, "secret");
    EXPECT_EQ(game->player.level, 1);
    const std::string bytes = testing_support::readFile(profileFile());
    ASSERT_EQ(bytes.size(), 72u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xA1\xAE\xAE\0", 4));  // "ann", each byte + 64
    // Progress as the level end writes it.
    ASSERT_EQ(saveLevelReached(game->profile.dataDirectory, game->profile.record, game->profile.password, 2),
              PROFILE_OK);

    freshRun();
    game->player.steps = 7;
    game->levelEnd.solved = game->levelEnd.endRequested = game->levelEnd.sinking = true;
    load("ann", "secret");
    EXPECT_FALSE(game->menuOpen);
    EXPECT_TRUE(game->profile.loaded);
    EXPECT_EQ(game->player.level, 2);
    EXPECT_EQ(game->player.steps, 0);
    EXPECT_EQ(game->player.x, kLevelTwoKeeperX);
    EXPECT_EQ(game->board.notFound, 0);
    // The previous level's end does not carry over into the profile's level.
    EXPECT_FALSE(game->levelEnd.solved || game->levelEnd.endRequested || game->levelEnd.sinking);
    EXPECT_EQ(std::strcmp(game->profile.record.name, "ann"), 0);
    EXPECT_EQ(game->profile.record.level, 2);
}

TEST_F(MenuTest, DamagedLevelInARecordStartsFromLevelOne) {
    create("ann", "pw");
    std::string bytes = testing_support::readFile(profileFile());
    ASSERT_EQ(bytes.size(), 72u);
    bytes.replace(68, 4, std::string("\xF6\xFF\xFF\xFF", 4));  // level -10
    testing_support::writeFile(profileFile(), bytes);
    freshRun();
    load("ann", "pw");
    EXPECT_TRUE(game->profile.loaded);
    EXPECT_EQ(game->player.level, 1);
    EXPECT_EQ(game->player.x, kLevelOneKeeperX);
}

TEST_F(MenuTest, FailedCreateOrLoadKeepsThePreviousProfile) {
    create("ann", "one");
    ASSERT_EQ(saveLevelReached(game->profile.dataDirectory, game->profile.record, game->profile.password, 2),
              PROFILE_OK);
    const ProfileRecord before = game->profile.record;
    const std::string file = testing_support::readFile(profileFile());
    const int keeperX = game->player.x;

    struct Attempt {
        int item;
        const char* name;
        const char* password;
        const char* message;
    };
    const Attempt attempts[] = {
        {2, "ann", "two", "INVALID PASSWORD!"},
        {2, "bob", "one", "PROFILE NOT FOUND!"},
        {1, "ann", "other", "PROFILE ALREADY EXISTS!"},
    };
    for (const Attempt& attempt : attempts) {
        reopen();
        submit(attempt.item, attempt.name, attempt.password);
        EXPECT_TRUE(game->menuOpen) << attempt.message;
        EXPECT_EQ(game->menu.messageText, attempt.message);
        EXPECT_EQ(game->menu.menuPage, MENU_PAGE_MAIN);
        EXPECT_FALSE(game->menu.textEntry);
        EXPECT_EQ(game->profile.name, "ann");
        EXPECT_EQ(game->profile.password, "one");
        EXPECT_EQ(std::memcmp(&game->profile.record, &before, sizeof before), 0) << attempt.message;
        press(KEY_ENTER);  // dismissed: the main page with the selection that led here
        EXPECT_FALSE(game->menu.messageShown);
        EXPECT_EQ(game->menu.menuSelection, attempt.item);
        press(KEY_ESC);
        EXPECT_FALSE(game->menuOpen);
    }
    EXPECT_EQ(game->player.level, 1);  // no level was loaded
    EXPECT_EQ(game->player.x, keeperX);
    EXPECT_EQ(testing_support::readFile(profileFile()), file);
    // Later saves still find the previous profile's own record.
    ASSERT_EQ(saveLevelReached(game->profile.dataDirectory, game->profile.record, game->profile.password, 3),
              PROFILE_OK);
    const std::string after = testing_support::readFile(profileFile());
    ASSERT_EQ(after.size(), 72u);
    EXPECT_EQ(after[68], 3);
}

TEST_F(MenuTest, FileErrorOnCreateLeavesTheLoggedInRecordWhole) {
    create("ann", "one");
    const ProfileRecord before = game->profile.record;
    std::filesystem::rename(profileFolder(), dir / "moved");  // the profile file cannot be made
    reopen();
    create("bob", "two");
    EXPECT_EQ(game->menu.messageText, "File I/O ERROR!");
    EXPECT_EQ(game->profile.name, "ann");
    EXPECT_EQ(std::memcmp(&game->profile.record, &before, sizeof before), 0);
}

TEST_F(MenuTest, EscapeDoesNothingBeforeAProfileIsLoaded) {
    frame();
    press(KEY_ESC);
    EXPECT_TRUE(game->menuOpen);
    choose(1);
    type("ann");
    press(KEY_ESC);
    EXPECT_TRUE(game->menuOpen);
    EXPECT_EQ(game->menu.menuPage, MENU_PAGE_CREATE_NAME);
    EXPECT_EQ(game->menu.typedText, "ann");
    EXPECT_TRUE(scriptedRecord().keyRepeat);
}

TEST_F(MenuTest, EscapeAfterALoginClosesAndReopensOnTheMainPage) {
    create("ann", "one");
    reopen();
    choose(2);
    type("zed");
    press(KEY_ENTER);
    type("x");
    ASSERT_EQ(game->menu.menuPage, MENU_PAGE_LOAD_PASSWORD);
    ASSERT_EQ(game->profile.name, "zed");
    press(KEY_ESC);
    EXPECT_FALSE(game->menuOpen);
    EXPECT_FALSE(scriptedRecord().keyRepeat);
    EXPECT_FALSE(scriptedRecord().charCallbackInstalled);
    // The abandoned name is not the logged-in profile's: the saved name and password come back.
    EXPECT_EQ(game->profile.name, "ann");
    EXPECT_EQ(game->profile.password, "one");

    reopen();
    EXPECT_EQ(game->menu.menuPage, MENU_PAGE_MAIN);
    EXPECT_EQ(game->menu.menuSelection, 2);
    EXPECT_EQ(game->menu.typedText, "");
    press(KEY_UP);
    EXPECT_EQ(game->menu.menuSelection, 1);
    // Escape over a message closes the message with the menu.
    create("ann", "one");
    ASSERT_TRUE(game->menu.messageShown);
    press(KEY_ESC);
    EXPECT_FALSE(game->menuOpen);
    EXPECT_FALSE(game->menu.messageShown);
}

TEST_F(MenuTest, QuitEndsTheProgramAtTheEndOfTheFrame) {
    frame();
    choose(3);
    EXPECT_TRUE(quitRequested);
    EXPECT_FALSE(testing_support::fileExists(profileFile()));
    EXPECT_EQ(runGameFrame(*game), FrameOutcome::Quit);
}

}  // namespace
