#pragma once

#include <string>

#include "platform/frame_input.h"
#include "profiles/settings_file.h"

// The player's settings through a run: read from the settings file at start-up and put to use (the
// scene's shadows, lamp and zoom, the sound levels, the picture, full screen), changed by the keys every
// screen knows (F11 or Alt+Enter, M), by the menu's settings page and by play (S, L, the zoom), and written
// back whole when one has changed. None of it goes into the profile file.

struct Game;

struct SettingsKeeping {
    std::string path;  // the settings file; empty without a configuration folder: nothing is kept
    // As they stand. The shadows, the lamp and the zoom are the scene's own, copied in here by keepSettings.
    Settings settings;
    Settings written;               // as the file holds them (or was last asked to)
    bool writeFailureTold = false;  // a write that failed has had its line: one a run
};

// Once the window, the sound and the pictures are up: the file read and every setting put to use. A run
// without a configuration folder says so once and plays with the defaults.
void startSettings(Game& game);

// F11, or Enter with Alt: full screen or back to the window. M, unless a text field takes the letter: all
// sound off or on again.
void runSettingsKeys(Game& game, const FrameInput& input, bool typing);

void switchFullScreen(Game& game);
// The volumes and mute as the settings hold them, heard at once.
void applySoundLevels(const Game& game);
// The picture setting handed to the renderer, which resolves Automatic.
void applyPicture(Game& game);
// A profile created or loaded: the name field of "Load Profile" starts with it from now on, also in later
// runs.
void rememberProfile(Game& game, const std::string& name);

// After every frame of the title and the game loop: settings that changed are written, the zoom only once
// its keys (Left Ctrl, the pad's shoulders) are up, not at every step of it. A write that fails leaves the
// game playing and says so once a run.
void keepSettings(Game& game, const FrameInput& input);
