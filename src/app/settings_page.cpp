#include "app/settings_page.h"

#include <algorithm>

#include "app/menu_controls.h"
#include "app/player_settings.h"
#include "audio/game_audio.h"

namespace {

enum class SettingsLine { MusicVolume = 1, EffectsVolume, Picture, FullScreen, Shadows, Lamp };
static_assert(static_cast<int>(SettingsLine::Lamp) == kSettingsLineCount, "a line for each setting");

constexpr const char* kPictureNames[] = {"Automatic", "Full", "Fast"};
constexpr int kPictureCount = sizeof kPictureNames / sizeof kPictureNames[0];
static_assert(kPictureCount == static_cast<int>(PictureSetting::Fast) + 1, "a name for each picture setting");

const char* switchName(bool on) {
    return on ? "On" : "Off";
}

// A volume a step up or down, within 0 to kMaxVolume; false at either end, where nothing changes.
bool stepVolume(Game& game, int& volume, int step) {
    const int stepped = std::clamp(volume + step, 0, kMaxVolume);
    if (stepped == volume) return false;
    volume = stepped;
    game.session.settings.settings.mute = false;
    applySoundLevels(game);
    return true;
}

// The line's setting a step along: step is 1 (Right, Enter) or -1 (Left).
void changeLine(Game& game, SettingsLine line, int step) {
    Settings& settings = game.session.settings.settings;
    SceneState& scene = game.state.scene;
    switch (line) {
        case SettingsLine::MusicVolume:
            stepVolume(game, settings.musicVolume, step);
            break;
        case SettingsLine::EffectsVolume:
            if (stepVolume(game, settings.effectsVolume, step)) playVolumeSample(game.audio, scene.eye);
            break;
        case SettingsLine::Picture: {
            const int next = (static_cast<int>(settings.picture) + step + kPictureCount) % kPictureCount;
            settings.picture = static_cast<PictureSetting>(next);
            applyPicture(game);
            break;
        }
        case SettingsLine::FullScreen:
            switchFullScreen(game);
            break;
        case SettingsLine::Shadows:
            scene.shadowsOn = !scene.shadowsOn;
            break;
        case SettingsLine::Lamp:
            scene.lightFollowsKeeper = !scene.lightFollowsKeeper;
            break;
    }
}

bool isVolumeLine(SettingsLine line) {
    return line == SettingsLine::MusicVolume || line == SettingsLine::EffectsVolume;
}

}  // namespace

void openSettingsPage(Game& game) {
    game.session.menu.menuPage = MenuPage::Settings;
    resumeSong(game.audio);
}

void runSettingsPageKeys(Game& game, InputFeed& feed) {
    MenuState& menu = game.session.menu;
    moveSelection(menu.settingsSelection, kSettingsLineCount, feed);
    const auto line = static_cast<SettingsLine>(menu.settingsSelection);

    struct Change {
        Control control;
        int step;
    };
    for (const Change& change : {Change{kMenuLeft, -1}, Change{kMenuRight, 1}, Change{kMenuEnter, 1}}) {
        if (!controlDown(feed.now, change.control)) continue;
        if (change.control.key != KEY_ENTER || !isVolumeLine(line)) changeLine(game, line, change.step);
        waitForControlRelease(feed, change.control, kReleaseWaitSeconds);
    }

    if (controlDown(feed.now, kMenuEscape)) {
        menu.menuPage = MenuPage::Main;
        pauseSong(game.audio);
        waitForControlRelease(feed, kMenuEscape, kReleaseWaitSeconds);
    }
}

std::vector<std::string> settingsPageItems(const Game& game) {
    const Settings& settings = game.session.settings.settings;
    const SceneState& scene = game.state.scene;
    return {"Music volume: " + std::to_string(settings.musicVolume),
            "Effects volume: " + std::to_string(settings.effectsVolume),
            std::string("Picture: ") + kPictureNames[static_cast<int>(settings.picture)],
            std::string("Full screen: ") + switchName(settings.fullScreen),
            std::string("Shadows: ") + switchName(scene.shadowsOn),
            std::string("Lamp: ") + switchName(scene.lightFollowsKeeper)};
}
