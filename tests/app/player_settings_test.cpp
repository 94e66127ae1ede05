// The player's settings through whole frames with the scripted window, clock and audio: the keys every
// screen knows (F11 and Alt+Enter for full screen, M for all sound), the menu's settings page, and the
// settings file read at start-up and written when a setting changes.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/player_settings.h"
#include "app/settings_page.h"
#include "app/title.h"
#include "audio/game_audio.h"
#include "formats/asset_files.h"
#include "platform/audio_recording.h"
#include "support/scripted_game.h"

namespace {

using testing_support::readFile;
using testing_support::writeFile;

constexpr const char* kLevel = "set\n\n#########\n#       #\n#   @ $.#\n#       #\n#########\n";

struct PlayerSettingsTest : testing_support::ScriptedGameTest {
    void SetUp() override {
        const char* config = std::getenv("XDG_CONFIG_HOME");
        savedConfigHome = config != nullptr ? config : "";
        hadConfigHome = config != nullptr;
        ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        startOn(kLevel);
        windowSettings = WindowSettings{};
        openWindowAndSound();
    }
    void TearDown() override {
        if (hadConfigHome)
            ::setenv("XDG_CONFIG_HOME", savedConfigHome.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }

    void openWindowAndSound() {
        ASSERT_TRUE(platformOpenWindow(WindowRequest{}));
        platformSetSizeCallback(sizeCallback);
        audioRecordingReset();
        initAudio(game->audio);
        loadSamples(game->audio);
    }

    // The program started again, without its settings read yet.
    void freshRun() {
        testing_support::resetScriptedGame();
        game = testing_support::gameOnLevelOne();
        openWindowAndSound();
    }

    // A run starting: the settings read, the game song playing behind the open menu.
    void start() {
        testing::internal::CaptureStdout();
        startSettings(*game);
        changeSong(game->audio, kGameSong);
        startupOutput = testing::internal::GetCapturedStdout();
    }

    std::string file() const { return dir / "config/ZUR/Tarmelo3D/settings.txt"; }
    Settings stored() const {
        Settings settings;
        loadSettings(file(), settings);
        return settings;
    }
    const Settings& settings() const { return game->session.settings.settings; }
    const RecordedSong& song() const { return audioRecordingSongs().back(); }

    // One frame with the keys held, released before the next.
    void chord(std::initializer_list<int> keys) {
        for (const int key : keys) scriptedSetKey(key, true);
        runGameFrame(*game);
        for (const int key : keys) scriptedSetKey(key, false);
    }

    std::string savedConfigHome;
    bool hadConfigHome = false;
    std::string startupOutput;
};

// F11 and Alt+Enter switch on the title, in play and in the menu, on a text field too; the size callback
// carries the desktop's size and then the window's own back. Enter pressed with Alt restarts nothing and
// confirms nothing, even when Alt is let go before Enter.
TEST_F(PlayerSettingsTest, F11AndAltEnterSwitchFullScreenEverywhereAndAltEnterIsNoEnter) {
    start();
    scriptedPadAt(0.5, testing_support::padHolding({PAD_START}));
    scriptedKeyAt(0.2, KEY_F11, true);
    scriptedKeyAt(0.25, KEY_F11, false);
    showTitle(*game, 5.0);
    ASSERT_TRUE(scriptedRecord().fullScreen);
    EXPECT_EQ(windowSettings.width, 1920u);
    EXPECT_EQ(windowSettings.height, 1080u);
    EXPECT_TRUE(windowSettings.resized);
    scriptedSetPad(PadState{});

    // In play: a move, then Alt+Enter with Alt let go first.
    chord({KEY_LEFT});
    framesUntilSettled();
    scriptedSetKey(KEY_LALT, true);
    scriptedSetKey(KEY_ENTER, true);
    runGameFrame(*game);
    scriptedSetKey(KEY_LALT, false);
    for (int frame = 0; frame < 3; ++frame) runGameFrame(*game);
    scriptedSetKey(KEY_ENTER, false);
    runGameFrame(*game);
    EXPECT_FALSE(scriptedRecord().fullScreen);
    EXPECT_EQ(windowSettings.width, 800u);
    EXPECT_EQ(windowSettings.height, 600u);
    EXPECT_FALSE(game->state.levelEnd.endRequested);
    EXPECT_EQ(game->state.player.steps, 1);

    // In the menu, on the name field: the page stays, the field takes no character.
    game->session.menuOpen = true;
    runGameFrame(*game);
    press(KEY_ENTER);  // "Create New Profile"
    ASSERT_EQ(game->session.menu.menuPage, MenuPage::CreateName);
    chord({KEY_RALT, KEY_ENTER});
    EXPECT_TRUE(scriptedRecord().fullScreen);
    chord({KEY_F11});
    EXPECT_FALSE(scriptedRecord().fullScreen);
    EXPECT_EQ(game->session.menu.menuPage, MenuPage::CreateName);
    EXPECT_FALSE(game->session.menu.messageShown);  // an Enter would have said the name is empty
    EXPECT_EQ(scriptedRecord().fullScreenSwitches, 4);
    EXPECT_FALSE(settings().fullScreen);
}

// M turns all sound off and on in play and on the title; on a text field it is the letter.
TEST_F(PlayerSettingsTest, MMutesInPlayAndOnTheTitleButIsALetterInAField) {
    start();
    chord({KEY_M});
    EXPECT_TRUE(settings().mute);
    EXPECT_EQ(audioRecordingEffectsGain(), 0.0f);
    EXPECT_EQ(audioRecordingMusicGain(), 0.0f);
    scriptedKeyAt(0.5, KEY_M, true);
    scriptedKeyAt(0.55, KEY_M, false);
    scriptedKeyAt(0.8, KEY_SPACE, true);
    scriptedKeyAt(0.9, KEY_SPACE, false);
    showTitle(*game, platformTime() + 5.0);
    EXPECT_FALSE(settings().mute);
    EXPECT_EQ(audioRecordingEffectsGain(), 1.0f);

    game->session.menuOpen = true;
    runGameFrame(*game);
    press(KEY_ENTER);
    scriptedCharAt(platformTime(), 'm');
    chord({KEY_M});
    runGameFrame(*game);
    EXPECT_EQ(game->session.menu.typedText, "m");
    EXPECT_FALSE(settings().mute);
}

// The page is there before any profile, after "Load Profile" and before "Quit"; the song plays while it is
// open and is paused again behind the main page, which Escape goes back to.
TEST_F(PlayerSettingsTest, SettingsPageComesBeforeQuitAndPlaysTheSongWhileOpen) {
    start();
    game->session.menuOpen = true;
    runGameFrame(*game);
    EXPECT_EQ(game->session.menu.menuItems,
              (std::vector<std::string>{"Create New Profile", "Load Profile", "Settings", "Quit"}));
    EXPECT_TRUE(song().paused);
    press(KEY_DOWN);
    press(KEY_DOWN);
    press(KEY_ENTER);
    ASSERT_EQ(game->session.menu.menuPage, MenuPage::Settings);
    EXPECT_FALSE(song().paused);
    EXPECT_EQ(game->session.menu.menuItems,
              (std::vector<std::string>{"Music volume: 10", "Effects volume: 10", "Picture: Automatic",
                                        "Full screen: Off", "Shadows: On", "Lamp: Off"}));
    // Item k of n has its pen at 300 - 30 (k - n / 2); only the selected line is white.
    const MenuView& view = game->session.menu.view;
    ASSERT_EQ(view.lineCount, kSettingsLineCount);
    EXPECT_EQ(view.lines[0].y, 360.0f);
    EXPECT_EQ(view.lines[5].y, 210.0f);
    EXPECT_EQ(view.lines[0].red, 1.0f);
    EXPECT_LT(view.lines[1].red, 1.0f);

    press(KEY_ESC);
    EXPECT_EQ(game->session.menu.menuPage, MenuPage::Main);
    EXPECT_TRUE(game->session.menuOpen);
    EXPECT_TRUE(song().paused);
    EXPECT_EQ(game->session.menu.menuSelection, 3);
}

// Every line changes with Left and Right, or the pad's d-pad, and is heard or seen at once: the volumes
// step their gains by about 3 dB, a volume changed while muted brings the sound back, each change of the
// effects volume plays a push where the listener is, Enter turns switches but leaves volumes alone.
TEST_F(PlayerSettingsTest, EachLineChangesAtOnceWithTheKeysOrThePad) {
    start();
    game->session.menuOpen = true;
    game->session.menu.menuPage = MenuPage::Settings;
    game->session.settings.settings.mute = true;
    runGameFrame(*game);

    press(KEY_LEFT);
    EXPECT_EQ(settings().musicVolume, 9);
    EXPECT_FALSE(settings().mute);
    EXPECT_NEAR(audioRecordingMusicGain(), std::pow(10.0f, -3.0f / 20.0f), 1e-4);
    EXPECT_EQ(audioRecordingEffectsGain(), 1.0f);
    press(KEY_ENTER);  // not on a volume
    EXPECT_EQ(settings().musicVolume, 9);

    pressPad(PAD_DOWN);
    audioRecordingClearCalls();
    for (int step = 0; step < kMaxVolume + 1; ++step) pressPad(PAD_LEFT);
    EXPECT_EQ(settings().effectsVolume, 0);
    EXPECT_EQ(audioRecordingEffectsGain(), 0.0f);
    const std::vector<RecordedAudioCall> pushes = audioRecordingCallsTo("audioPlaySample");
    ASSERT_EQ(pushes.size(), static_cast<std::size_t>(kMaxVolume));  // none at the end: nothing changed
    EXPECT_EQ(pushes[0].sample.slot, game->audio.samples[SAMPLE_SLIDE].slot);
    press(KEY_RIGHT);
    EXPECT_NEAR(audioRecordingEffectsGain(), std::pow(10.0f, -27.0f / 20.0f), 1e-5);

    press(KEY_DOWN);
    press(KEY_LEFT);
    EXPECT_EQ(settings().picture, PictureSetting::Fast);
    press(KEY_ENTER);
    press(KEY_ENTER);
    EXPECT_EQ(settings().picture, PictureSetting::Full);

    press(KEY_DOWN);
    press(KEY_ENTER);
    EXPECT_TRUE(scriptedRecord().fullScreen);
    press(KEY_DOWN);
    press(KEY_RIGHT);
    EXPECT_FALSE(game->state.scene.shadowsOn);
    press(KEY_DOWN);
    pressPad(PAD_A);
    EXPECT_TRUE(game->state.scene.lightFollowsKeeper);
    pressPad(PAD_B);
    EXPECT_EQ(game->session.menu.menuPage, MenuPage::Main);
}

// With no file a run is the game's own, silently; the settings come back in the next run, the shadows, the
// lamp and the zoom in the scene and full screen at once. A damaged line is one line of output and its
// default. The name field of "Load Profile" starts with the last profile loaded.
TEST_F(PlayerSettingsTest, SettingsOutlastTheRunAndADamagedLineIsOneLineAndItsDefault) {
    start();
    EXPECT_EQ(startupOutput, "");
    EXPECT_FALSE(testing_support::fileExists(file()));
    EXPECT_EQ(game->state.scene.zoom, kDefaultZoom);

    game->session.profile.dataDirectory = dir / "programdata";
    std::filesystem::create_directories(dir / "programdata/ZUR/Tarmelo3D");
    game->session.menuOpen = true;
    runGameFrame(*game);
    press(KEY_ENTER);
    for (const char c : std::string("ann")) {
        scriptedCharAt(platformTime(), c);
        runGameFrame(*game);
    }
    press(KEY_ENTER);
    scriptedCharAt(platformTime(), 'p');
    runGameFrame(*game);
    runGameFrame(*game);
    press(KEY_ENTER);
    ASSERT_TRUE(game->session.profile.loaded);
    EXPECT_EQ(stored().lastProfile, "ann");
    press(KEY_S);
    press(KEY_L);
    EXPECT_FALSE(stored().shadowsOn);
    EXPECT_TRUE(stored().lightFollowsKeeper);
    chord({KEY_F11});
    EXPECT_TRUE(stored().fullScreen);

    std::string text = readFile(file());
    text.replace(text.find("zoom = 10"), 9, "zoom = 99");
    writeFile(file(), text);
    freshRun();
    start();
    EXPECT_EQ(startupOutput, "settings: bad value for \"zoom\" on line 8\n");
    EXPECT_FALSE(game->state.scene.shadowsOn);
    EXPECT_TRUE(game->state.scene.lightFollowsKeeper);
    EXPECT_EQ(game->state.scene.zoom, kDefaultZoom);
    EXPECT_TRUE(scriptedRecord().fullScreen);
    game->session.menuOpen = true;
    runGameFrame(*game);
    press(KEY_DOWN);
    press(KEY_ENTER);
    EXPECT_EQ(game->session.menu.menuPage, MenuPage::LoadName);
    EXPECT_EQ(game->session.menu.typedText, "ann");
}

// The zoom is written once its keys are up, not at each step; a file that cannot be written leaves the
// game playing, with one line for the whole run.
TEST_F(PlayerSettingsTest, ZoomIsWrittenOnReleaseAndAWriteThatFailsIsToldOnce) {
    start();
    scriptedSetKey(KEY_LCTRL, true);
    scriptedSetKey(KEY_DOWN, true);
    for (int frame = 0; frame < 10; ++frame) runGameFrame(*game);
    EXPECT_FALSE(testing_support::fileExists(file()));
    scriptedSetKey(KEY_DOWN, false);
    runGameFrame(*game);
    EXPECT_FALSE(testing_support::fileExists(file()));  // Left Ctrl is still down
    scriptedSetKey(KEY_LCTRL, false);
    runGameFrame(*game);
    EXPECT_NEAR(stored().zoom, kDefaultZoom + 1.0f, 1e-4);
    EXPECT_EQ(stored().zoom, game->state.scene.zoom);
    scriptedSetPad(testing_support::padHolding({PAD_LB}));
    for (int frame = 0; frame < 5; ++frame) runGameFrame(*game);
    scriptedSetPad(testing_support::padHolding({}));
    runGameFrame(*game);
    EXPECT_NEAR(stored().zoom, kDefaultZoom + 0.5f, 1e-4);

    std::filesystem::remove(file());
    std::filesystem::create_directories(file() + "/in-the-way");
    testing::internal::CaptureStdout();
    press(KEY_S);
    press(KEY_S);
    press(KEY_L);
    chord({KEY_LEFT});
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output, "settings: cannot write " + file() + ", the game goes on without keeping them\n");
    EXPECT_EQ(game->state.player.x, 3);
}

}  // namespace
