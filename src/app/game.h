#pragma once

#include <random>
#include <string>
#include <vector>

#include "app/menu_state.h"
#include "audio/game_audio.h"
#include "core/board.h"
#include "core/demo.h"
#include "core/level_end.h"
#include "game/scene_state.h"
#include "layout/window_settings.h"
#include "profiles/profile_record.h"
#include "render/frame_cache.h"
#include "render/graphics.h"

// Every piece of game state, single instances owned by the entry point for the whole run and passed by
// reference to the loops. (The three values the window callbacks write live in app/keyboard.h.)

constexpr float kTickSeconds = 1.0f / 60.0f;   // the fixed animation step
constexpr double kFrameSleepSeconds = 0.03;    // every title and game-loop frame sleeps this long
constexpr double kDemoDeadlineSeconds = 60.0;  // left alone this long, the title starts the demo
constexpr float kScrollStep = 0.001f;          // fog drift per tick
constexpr const char* kLevelSetName = "Classic";

// Animation time: seconds not yet consumed by ticks, in single precision.
struct FrameClock {
    float lastTime = 0.0f;  // timer value taken after the last frame's ticks
    float accumulator = 0.0f;
};

// The logged-in profile and what the player typed for it; the level-end reload writes progress back.
struct ProfileSession {
    std::string dataDirectory;
    ProfileRecord record;
    std::string name;      // as typed; the HUD shows it
    std::string password;  // as typed; the record cannot yield it
    bool loaded = false;
};

struct Game;

// How frames reach the screen, kept apart from the rules so that the loops can run without one: the
// game fills these with the renderer's functions, loop tests leave them empty.
struct Presenter {
    void (*drawGameFrame)(Game&) = nullptr;   // scene, shadows, HUD, before the menu
    void (*drawTitleFrame)(Game&) = nullptr;  // everything of one title frame before its sleep and swap
    void (*drawMenuFrame)(Game&) = nullptr;   // the open menu over the game frame
};

struct Game {
    Board board;
    Player player;
    LevelEnd levelEnd;
    DemoState demo;
    bool menuOpen = false;
    float titleBlinkTime = 0.0f;  // seconds; the title's prompt shows while the timer is past it
    FrameClock clock;
    int requestedFacing = 0;    // facing of the last move request, copied to the player every frame
    bool moveKeyActed = false;  // a move request went to tryMove in this frame
    float scroll = 0.0f;        // fog drift, 0 to 1
    SceneState scene;
    LightSettings light;
    ProfileSession profile;
    Presenter presenter;
    std::mt19937 random;  // box turns and grunt choices; seeded from the clock at start-up
    GameAudio audio;
    Graphics graphics;
    // Pictures that stand still, drawn once and shown again: the title with and without its prompt, and
    // the board behind the open menu with the inputs it was drawn from.
    FrameCache titleFrames[2];
    FrameCache boardBehindMenu;
    std::vector<unsigned char> boardBehindMenuInputs;
    std::vector<unsigned char> boardPictureScratch;  // this frame's inputs, compared with the kept ones
    // ---- menu and profile dialogue ----
    MenuState menu;  // pages, selection, typed text and message of the menu and profile dialogue
};
