#include "app/player_settings.h"

#include "app/game.h"
#include "audio/game_audio.h"
#include "platform/diagnostics.h"
#include "platform/window.h"

namespace {

// The settings that live in the scene, as the scene has them now.
void takeSceneSettings(Settings& settings, const SceneState& scene) {
    settings.shadowsOn = scene.shadowsOn;
    settings.lightFollowsKeeper = scene.lightFollowsKeeper;
    settings.zoom = scene.zoom;
}

void putSceneSettings(const Settings& settings, SceneState& scene) {
    scene.shadowsOn = settings.shadowsOn;
    scene.lightFollowsKeeper = settings.lightFollowsKeeper;
    scene.zoom = settings.zoom;
}

bool zoomKeysHeld(const FrameInput& input) {
    return input.held[KEY_LCTRL] || input.pad.held[PAD_LB] || input.pad.held[PAD_RB];
}

}  // namespace

void startSettings(Game& game) {
    SettingsKeeping& kept = game.session.settings;
    kept.path = settingsFilePath();
    if (kept.path.empty())
        diagnosticLine("settings: no configuration folder (XDG_CONFIG_HOME or HOME), none are kept");
    else
        loadSettings(kept.path, kept.settings);
    kept.written = kept.settings;
    putSceneSettings(kept.settings, game.state.scene);
    applySoundLevels(game);
    applyPicture(game);
    if (kept.settings.fullScreen) platformSetFullScreen(true);
}

void runSettingsKeys(Game& game, const FrameInput& input, bool typing) {
    if (input.pressed[KEY_F11] || input.altEnterPressed) switchFullScreen(game);
    if (input.pressed[KEY_M] && !typing) {
        Settings& settings = game.session.settings.settings;
        settings.mute = !settings.mute;
        applySoundLevels(game);
    }
}

void switchFullScreen(Game& game) {
    Settings& settings = game.session.settings.settings;
    settings.fullScreen = !settings.fullScreen;
    platformSetFullScreen(settings.fullScreen);
}

void applySoundLevels(const Game& game) {
    const Settings& settings = game.session.settings.settings;
    setSoundLevels(settings.musicVolume, settings.effectsVolume, settings.mute);
}

void applyPicture(Game& game) {
    if (game.presenter.choosePicture != nullptr && game.graphics != nullptr)
        game.presenter.choosePicture(*game.graphics, game.session.settings.settings.picture);
}

void rememberProfile(Game& game, const std::string& name) {
    if (isStorableProfileName(name)) game.session.settings.settings.lastProfile = name;
}

void keepSettings(Game& game, const FrameInput& input) {
    SettingsKeeping& kept = game.session.settings;
    takeSceneSettings(kept.settings, game.state.scene);
    if (kept.settings == kept.written) return;
    Settings zoomAside = kept.settings;
    zoomAside.zoom = kept.written.zoom;
    if (zoomAside == kept.written && zoomKeysHeld(input)) return;
    kept.written = kept.settings;
    if (kept.path.empty() || saveSettings(kept.path, kept.settings) == SettingsResult::Ok) return;
    if (!kept.writeFailureTold)
        diagnosticLine("settings: cannot write %s, the game goes on without keeping them", kept.path.c_str());
    kept.writeFailureTold = true;
}
