// The settings file: the text it is written as and how forgiving its reading is (every key at its edges,
// names with any of their characters, each kind of damage one line and that key's default), then the file
// itself: a first run is silent, a file that cannot be read is one line, and a save replaces the file whole
// or not at all. (Arbitrary bytes are the fuzz target's ground.)

#include "profiles/settings_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game/scene_state.h"
#include "support/temp_dir.h"

using testing_support::readFile;
using testing_support::writeFile;

// Settings in failure messages as the file would hold them.
void PrintTo(const Settings& settings, std::ostream* out) {
    *out << formatSettings(settings);
}
void PrintTo(SettingsResult result, std::ostream* out) {
    *out << (result == SettingsResult::Ok ? "Ok" : "FileError");
}

namespace {

static_assert(kMinZoom == kZoomMin && kMaxZoom == kZoomMax, "the zoom's limits are the camera's");

std::vector<std::string> problemTexts(const ParsedSettings& parsed) {
    std::vector<std::string> texts;
    for (const SettingsProblem& problem : parsed.problems) texts.push_back(settingsProblemText(problem));
    return texts;
}

// The text reads back to `expected` without a problem.
void expectReadsSilently(const std::string& text, const Settings& expected) {
    const ParsedSettings parsed = parseSettings(text);
    EXPECT_EQ(parsed.settings, expected) << text;
    EXPECT_TRUE(parsed.problems.empty()) << text;
}

// Without a file a run starts as the game always has; the file pins the written form.
TEST(SettingsText, DefaultsAreTheGamesAndEveryKeyIsWrittenInOrder) {
    const Settings defaults;
    const SceneState scene;
    EXPECT_EQ(defaults.zoom, scene.zoom);
    EXPECT_EQ(defaults.shadowsOn, scene.shadowsOn);
    EXPECT_EQ(defaults.lightFollowsKeeper, scene.lightFollowsKeeper);
    EXPECT_EQ(formatSettings(defaults),
              "# TARMELO 3D settings: the game rewrites this file whole when a setting changes\n"
              "music_volume = 10\n"
              "effects_volume = 10\n"
              "mute = off\n"
              "picture = automatic\n"
              "shadows = on\n"
              "lamp = off\n"
              "zoom = 10\n"
              "full_screen = off\n"
              "last_profile = \"\"\n");
    expectReadsSilently("", defaults);
}

// Every value a key can hold at both ends of its range, and a zoom the camera's 0.1 steps left off the
// tenths, come back exactly.
TEST(SettingsText, EveryKeyRoundTripsAtItsEdges) {
    Settings low;
    low.musicVolume = low.effectsVolume = 0;
    low.mute = low.lightFollowsKeeper = low.fullScreen = true;
    low.shadowsOn = false;
    low.picture = PictureSetting::Full;
    low.zoom = kMinZoom;
    Settings high = low;
    high.picture = PictureSetting::Fast;
    high.zoom = kMaxZoom;
    high.musicVolume = 1;
    high.effectsVolume = 9;
    Settings drifted;
    for (int step = 0; step < 27; ++step) drifted.zoom += kZoomStep;
    for (const Settings& settings : {Settings{}, low, high, drifted})
        expectReadsSilently(formatSettings(settings), settings);
}

// A name is kept character for character: every character a name may hold, at either end and beside the
// quotes, the "=" and the "#" the reading splits and skips on elsewhere.
TEST(SettingsText, NamesRoundTripExactly) {
    std::vector<std::string> names = {"",  " ",  "  lead", "trail  ",    "a = b",
                                      "=", "\"", "\"\"",   "say \"hi\"", "# not a comment"};
    std::string every;
    for (char c = kLowestNameCharacter; c <= kHighestNameCharacter; ++c) every += c;
    for (std::size_t at = 0; at < every.size(); at += kMaxLastProfileLength)
        names.push_back(every.substr(at, kMaxLastProfileLength));
    for (const std::string& name : names) {
        Settings settings;
        settings.lastProfile = name;
        expectReadsSilently(formatSettings(settings), settings);
    }
    // A name the file could not give back, one with a line break above all, is written as none.
    for (const char* name : {"123456789012345678901234567890123", "a\nzoom = 5", "{brace}"}) {
        Settings settings;
        settings.lastProfile = name;
        expectReadsSilently(formatSettings(settings), Settings{});
    }
}

// What a person editing the file may leave: spaces and tabs, blank and comment lines, CRLF line ends,
// keys left out and no line end at the end.
TEST(SettingsText, ALooseLayoutReadsSilently) {
    Settings expected;
    expected.zoom = 7.5f;
    expected.mute = true;
    expected.lastProfile = " x ";
    const std::string text =
        "\n   \n\t\n# a comment\n   # zoom = 6\n  zoom\t=\t7.5  \nmute=on\n"
        "last_profile =\t\" x \"\t";
    expectReadsSilently(text, expected);
    expectReadsSilently("\r\n" + text + "\r\n", expected);
    std::string crlf;
    for (const char c : formatSettings(expected)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    expectReadsSilently(crlf, expected);
}

// Each line that cannot be used is one problem on its own line number, its key keeps the default, and the
// lines around it (keys of their own) still count.
TEST(SettingsText, EachBadLineIsOneProblemAndItsKeyKeepsTheDefault) {
    struct Case {
        const char* line;
        const char* problem;
    };
    const Case cases[] = {
        {"colour = red", "settings: unknown key \"colour\" on line 2"},
        {"Zoom = 7", "settings: unknown key \"Zoom\" on line 2"},
        {"music volume = 3", "settings: unknown key \"music volume\" on line 2"},
        {"zoom 7", "settings: no \"key = value\" on line 2"},
        {"= 7", "settings: no \"key = value\" on line 2"},
        {"music_volume = 11", "settings: bad value for \"music_volume\" on line 2"},
        {"effects_volume = -1", "settings: bad value for \"effects_volume\" on line 2"},
        {"music_volume = ten", "settings: bad value for \"music_volume\" on line 2"},
        {"music_volume = 5.0", "settings: bad value for \"music_volume\" on line 2"},
        {"music_volume = 5 5", "settings: bad value for \"music_volume\" on line 2"},
        {"music_volume = 99999999999999999999", "settings: bad value for \"music_volume\" on line 2"},
        {"effects_volume =", "settings: bad value for \"effects_volume\" on line 2"},
        {"zoom = 4.99", "settings: bad value for \"zoom\" on line 2"},
        {"zoom = 20.01", "settings: bad value for \"zoom\" on line 2"},
        {"zoom = nan", "settings: bad value for \"zoom\" on line 2"},
        {"zoom = 1O", "settings: bad value for \"zoom\" on line 2"},
        {"full_screen = yes", "settings: bad value for \"full_screen\" on line 2"},
        {"shadows = On", "settings: bad value for \"shadows\" on line 2"},
        {"shadows = 1", "settings: bad value for \"shadows\" on line 2"},
        {"picture = best", "settings: bad value for \"picture\" on line 2"},
        {"last_profile = Ann", "settings: bad value for \"last_profile\" on line 2"},
        {"last_profile = \"", "settings: bad value for \"last_profile\" on line 2"},
        {"last_profile = \"Ann", "settings: bad value for \"last_profile\" on line 2"},
        {"last_profile = \"{Ann}\"", "settings: bad value for \"last_profile\" on line 2"},
        {"last_profile = \"Ann\tB\"", "settings: bad value for \"last_profile\" on line 2"},
        {"last_profile = \"123456789012345678901234567890123\"",
         "settings: bad value for \"last_profile\" on line 2"},
    };
    for (const Case& bad : cases) {
        const ParsedSettings parsed = parseSettings(std::string("lamp = on\n") + bad.line + "\nmute = on\n");
        Settings expected;
        expected.lightFollowsKeeper = true;
        expected.mute = true;
        EXPECT_EQ(parsed.settings, expected) << bad.line;
        EXPECT_EQ(problemTexts(parsed), std::vector<std::string>{bad.problem}) << bad.line;
    }
}

// A key given twice: the later line that reads wins, and the repeat is a problem of its own.
TEST(SettingsText, ARepeatedKeyIsAProblemAndTheLastGoodLineWins) {
    ParsedSettings parsed = parseSettings("zoom = 6\nzoom = 7\n");
    EXPECT_EQ(parsed.settings.zoom, 7.0f);
    EXPECT_EQ(problemTexts(parsed), std::vector<std::string>{"settings: \"zoom\" repeated on line 2"});
    parsed = parseSettings("zoom = 6\n\nzoom = 99\n");
    EXPECT_EQ(parsed.settings.zoom, 6.0f);
    EXPECT_EQ(problemTexts(parsed), (std::vector<std::string>{"settings: \"zoom\" repeated on line 3",
                                                              "settings: bad value for \"zoom\" on line 3"}));
}

// Bytes that are not text, or far more than the game ever writes, say nothing about any key: the whole file
// is one problem and every key at its default, even one the text spelled right.
TEST(SettingsText, AFileThatIsNotTextOrTooLargeIsOneProblem) {
    const std::string notText = "# not text\n";
    const std::string line = "zoom = 7\n";
    for (const std::string& text : {line + std::string(1, '\0'), std::string("zoom = 7\0\n", 10),
                                    line + "\x01\x02\x7f", std::string("\x89PNG\r\n\x1a\n", 8) + line}) {
        const ParsedSettings parsed = parseSettings(text);
        EXPECT_EQ(parsed.settings, Settings{});
        EXPECT_EQ(problemTexts(parsed),
                  std::vector<std::string>{"settings: not a text file, every setting at its default"});
    }
    std::string large = line;
    while (large.size() <= kMaxSettingsFileSize) large += notText;
    const ParsedSettings parsed = parseSettings(large);
    EXPECT_EQ(parsed.settings, Settings{});
    EXPECT_EQ(problemTexts(parsed),
              std::vector<std::string>{"settings: over 65536 bytes, every setting at its default"});
    // Bytes from 128 up are text (a comment in UTF-8); a key made of them is shown printable and short.
    const ParsedSettings utf8 =
        parseSettings("# r\xc3\xa9glages\n\xc3\xa9t\xc3\xa9 = 1\n" + std::string(40, 'k') + " = 1\n");
    EXPECT_EQ(problemTexts(utf8), (std::vector<std::string>{"settings: unknown key \"??t??\" on line 2",
                                                            "settings: unknown key \"" +
                                                                std::string(32, 'k') + "...\" on line 3"}));
}

// ---- the file ----

struct SettingsFileTest : ::testing::Test {
    std::string folder() const { return dir / "config/ZUR/Tarmelo3D"; }
    std::string file() const { return folder() + "/settings.txt"; }
    std::vector<std::string> folderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder()))
            names.push_back(entry.path().filename().string());
        return names;
    }
    // What a load prints, with the settings it gives.
    std::string loadPrinting(Settings& settings) const {
        testing::internal::CaptureStdout();
        loadSettings(file(), settings);
        return testing::internal::GetCapturedStdout();
    }

    testing_support::TempDir dir;
};

Settings someSettings() {
    Settings settings;
    settings.effectsVolume = 3;
    settings.picture = PictureSetting::Fast;
    settings.zoom = 17.25f;
    settings.lastProfile = "Ann = B";
    return settings;
}

// The first run: no file, not even its folders. Nothing is printed and nothing is made.
TEST_F(SettingsFileTest, AMissingFileGivesTheDefaultsSilently) {
    Settings settings = someSettings();
    EXPECT_EQ(loadPrinting(settings), "");
    EXPECT_EQ(settings, Settings{});
    EXPECT_FALSE(testing_support::fileExists(dir / "config"));
}

// A save makes the missing folders and leaves exactly the file behind it, no new file beside it; a load
// reads it back silently; a second save replaces the whole of a longer file.
TEST_F(SettingsFileTest, ASaveMakesTheFoldersAndReplacesTheFileWhole) {
    const Settings saved = someSettings();
    ASSERT_EQ(saveSettings(file(), saved), SettingsResult::Ok);
    EXPECT_EQ(readFile(file()), formatSettings(saved));
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"settings.txt"});
    Settings loaded;
    EXPECT_EQ(loadPrinting(loaded), "");
    EXPECT_EQ(loaded, saved);

    writeFile(file(), formatSettings(saved) + std::string(500, '#') + "\n");
    ASSERT_EQ(saveSettings(file(), Settings{}), SettingsResult::Ok);
    EXPECT_EQ(readFile(file()), formatSettings(Settings{}));
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"settings.txt"});
}

// The problems go through the diagnostic sink, one line each in line order, and a file full of them does
// not flood it.
TEST_F(SettingsFileTest, ProblemsArePrintedOneLineEachAndCapped) {
    writeFile(file(), "zoom = 30\nlamp = on\nbogus = 1\n");
    Settings settings;
    EXPECT_EQ(loadPrinting(settings),
              "settings: bad value for \"zoom\" on line 1\nsettings: unknown key \"bogus\" on line 3\n");
    EXPECT_TRUE(settings.lightFollowsKeeper);

    std::string many;
    for (int i = 0; i < kMaxReportedSettingsProblems + 3; ++i) many += "x = 1\n";
    writeFile(file(), many);
    const std::string printed = loadPrinting(settings);
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), kMaxReportedSettingsProblems + 1);
    EXPECT_EQ(printed.substr(printed.rfind("settings:")), "settings: 3 more problems\n");
}

// Something at the path that cannot be read (a folder, a link, a file without read permission) is one line
// and the defaults, never a failed start. A link is not followed, whatever it points to.
TEST_F(SettingsFileTest, AFileThatCannotBeReadIsOneLineAndTheDefaults) {
    const std::string expected = "settings: cannot read " + file() + "\n";
    std::filesystem::create_directories(file());
    Settings settings = someSettings();
    EXPECT_EQ(loadPrinting(settings), expected);
    EXPECT_EQ(settings, Settings{});

    std::filesystem::remove(file());
    writeFile(dir / "elsewhere.txt", formatSettings(someSettings()));
    std::filesystem::create_symlink(dir / "elsewhere.txt", file());
    settings = someSettings();
    EXPECT_EQ(loadPrinting(settings), expected);
    EXPECT_EQ(settings, Settings{});

    std::filesystem::remove(file());
    writeFile(file(), formatSettings(someSettings()));
    ::chmod(file().c_str(), 0);
    ::chmod((dir / "config").c_str(), 0755);  // reachable by the unprivileged child
    ::chmod((dir / "config/ZUR").c_str(), 0755);
    ::chmod(folder().c_str(), 0755);
    testing::internal::CaptureStdout();
    const std::string path = file();
    const int gotDefaults = testing_support::runWithoutPrivileges([&path] {
        Settings mine = someSettings();
        loadSettings(path, mine);
        return mine == Settings{} ? 1 : 0;
    });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
    EXPECT_EQ(gotDefaults, 1);
}

// A save that cannot finish (a read-only folder, as an ordinary user; a folder where the file goes) leaves
// the old file as it was and no new file beside it.
TEST_F(SettingsFileTest, AFailedSaveLeavesTheOldFileAndNothingElse) {
    ASSERT_EQ(saveSettings(file(), someSettings()), SettingsResult::Ok);
    const std::string before = readFile(file());
    ::chmod((dir / "config").c_str(), 0755);
    ::chmod((dir / "config/ZUR").c_str(), 0755);
    ::chmod(folder().c_str(), 0555);
    const std::string path = file();
    EXPECT_EQ(testing_support::runWithoutPrivileges(
                  [&path] { return static_cast<int>(saveSettings(path, Settings{})); }),
              static_cast<int>(SettingsResult::FileError));
    ::chmod(folder().c_str(), 0755);
    EXPECT_EQ(readFile(file()), before);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"settings.txt"});

    std::filesystem::remove(file());
    std::filesystem::create_directories(file() + "/inside");
    EXPECT_EQ(saveSettings(file(), someSettings()), SettingsResult::FileError);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"settings.txt"});
    EXPECT_TRUE(std::filesystem::is_directory(file()));
}

// A crash between the write and the rename leaves a half-written new file beside the old one: the next
// load reads the old file only, and the next save still succeeds.
TEST_F(SettingsFileTest, ALeftoverNewFileDoesNotConfuseTheNextLoad) {
    ASSERT_EQ(saveSettings(file(), someSettings()), SettingsResult::Ok);
    const std::string leftover = file() + ".Xq3b7Z";
    writeFile(leftover, "# TARMELO 3D settings\nmusic_volume = 2\nzo");
    Settings settings;
    EXPECT_EQ(loadPrinting(settings), "");
    EXPECT_EQ(settings, someSettings());
    ASSERT_EQ(saveSettings(file(), Settings{}), SettingsResult::Ok);
    EXPECT_EQ(loadPrinting(settings), "");
    EXPECT_EQ(settings, Settings{});
}

}  // namespace
