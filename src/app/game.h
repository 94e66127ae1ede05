#pragma once

#include <string>

#include "app/level_choice.h"
#include "app/menu_state.h"
#include "app/player_settings.h"
#include "audio/game_audio.h"
#include "game/game_state.h"
#include "layout/session_notes.h"
#include "layout/window_settings.h"
#include "profiles/level_progress.h"
#include "profiles/profile_record.h"

// Everything the entry point owns for the whole run, in four parts passed by reference to the loops: the
// game's state (copyable, drawn from), the session (menu and profile), the audio, and the GL resources,
// which only the drawing functions the presenter names ever look into. (The values the window callbacks
// write live in app/window_callbacks.h.)

constexpr double kDemoDeadlineSeconds = 60.0;  // left alone this long, the title starts the demo
constexpr const char* kLevelSetName = "Classic";

// The logged-in profile and what the player typed for it; the level-end reload writes progress back.
struct ProfileSession {
    std::string dataDirectory;
    ProfileRecord record;
    std::string name;      // as typed; the HUD shows it
    std::string password;  // as typed; the record cannot yield it
    bool loaded = false;
    ProgressOwner owner;       // the profile in the progress file
    ProfileProgress progress;  // the levels it has solved, as read at its load and recorded since
};

struct Session {
    bool menuOpen = false;
    MenuState menu;  // pages, selection, typed text and message of the menu and profile dialogue
    ProfileSession profile;
    SessionNotes notes;            // what the HUD shows of the session: the profile's name, a failed save
    LevelChoice levels;            // the collections, the one chosen and the one in play
    SettingsKeeping settings;      // the player's choices, kept in the settings file
    GameState gameBeforeWatching;  // the game put aside while a kept solution is watched
};

// The GL resources: textures, fonts, models, display lists and the pictures kept for still screens. Defined
// by the renderer; the loops only pass it on to the presenter.
struct Graphics;

// How frames reach the screen, kept apart from the rules so that the loops run without one: the game fills
// these with the renderer's functions, loop tests leave them empty. Each only draws.
struct Presenter {
    // The scene, its shadows and the HUD of a game-loop frame, before the menu.
    void (*drawGameFrame)(Graphics& graphics, WindowSettings& window, const GameState& state,
                          const SessionNotes& notes, bool menuOpen) = nullptr;
    // Everything of one title frame before its sleep and swap.
    void (*drawTitleFrame)(Graphics& graphics, const WindowSettings& window, bool promptShown) = nullptr;
    // The open menu over the game frame.
    void (*drawMenuFrame)(Graphics& graphics, const WindowSettings& window, const MenuView& view) = nullptr;
    // The detail the pictures are drawn with from now on, for the player's picture setting.
    void (*choosePicture)(Graphics& graphics, PictureSetting setting) = nullptr;
};

struct Game {
    GameState state;
    Session session;
    GameAudio audio;
    Presenter presenter;
    Graphics* graphics = nullptr;  // owned by the entry point; null where nothing is drawn
};
