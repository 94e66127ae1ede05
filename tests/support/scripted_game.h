#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "app/game_frame.h"
#include "app/window_callbacks.h"
#include "core/level_file.h"
#include "game/game_step.h"
#include "platform/scripted_window.h"
#include "platform/window.h"
#include "support/temp_dir.h"

// Shared set-up of the tests that run whole game frames against the scripted window and clock.

namespace testing_support {

// A fresh scripted window. A loop that waits for input no script gives would hang the suite: past
// `limitSeconds` of scripted time it is told to quit instead.
inline void resetScriptedGame(double limitSeconds = 3600.0) {
    scriptedReset();
    platformSetCloseCallback(closeCallback);
    scriptedOnPoll([limitSeconds] {
        if (platformTime() > limitSeconds) quitRequested = true;
    });
    quitRequested = false;
}

// A pad plugged in with these buttons down and its left stick at (stickX, stickY).
inline PadState padHolding(std::initializer_list<int> buttons, float stickX = 0.0f, float stickY = 0.0f) {
    PadState pad;
    pad.connected = true;
    for (const int button : buttons) pad.held[button] = true;
    pad.stickX = stickX;
    pad.stickY = stickY;
    return pad;
}

// A game on level 1 of levels/Classic.lvt in the working directory, as the title leaves it.
inline std::unique_ptr<Game> gameOnLevelOne() {
    auto game = std::make_unique<Game>();
    game->state.player.setName = "Classic";
    game->state.player.level = 1;
    loadLevel(game->state.board, game->state.player);
    afterLevelLoad(game->state);
    return game;
}

// A scratch game directory whose levels/Classic.lvt holds `levels`, made the working directory, and a game
// on its level 1.
struct ScriptedGameTest : ::testing::Test {
    void startOn(const std::string& levels, double limitSeconds = 600.0) {
        resetScriptedGame(limitSeconds);
        writeFile(dir / "levels/Classic.lvt", levels);
        cwd = std::make_unique<ScopedWorkingDirectory>(dir.path());
        game = gameOnLevelOne();
    }

    // Down for `seconds` within one frame, as a player's press: the frame waits for the release.
    void press(int key, double seconds = 0.1) {
        scriptedSetKey(key, true);
        scriptedKeyAt(platformTime() + seconds, key, false);
        runGameFrame(*game);
    }

    // Frames until the level end has loaded a level again (at most 200).
    int framesUntilReloaded() {
        int frames = 0;
        do {
            runGameFrame(*game);
            ++frames;
        } while (game->state.levelEnd.endRequested && frames < 200);
        return frames;
    }

    // Frames until the keeper stands still again (the glide is over).
    int framesUntilSettled() {
        int frames = 0;
        while ((game->state.player.offsetX != 0.0f || game->state.player.offsetZ != 0.0f) && frames < 100) {
            runGameFrame(*game);
            ++frames;
        }
        return frames;
    }

    // Typed text, one character per frame: each arrives at the frame's end and is taken by the next frame.
    void type(const std::string& text) {
        for (const char c : text) {
            scriptedCharAt(platformTime(), static_cast<unsigned char>(c));
            runGameFrame(*game);
        }
        runGameFrame(*game);
    }

    // press() with a pad's button (the pad stays plugged in).
    void pressPad(int button, double seconds = 0.1) {
        scriptedSetPad(padHolding({button}));
        scriptedPadAt(platformTime() + seconds, padHolding({}));
        runGameFrame(*game);
    }

    TempDir dir;
    std::unique_ptr<ScopedWorkingDirectory> cwd;
    std::unique_ptr<Game> game;
};

}  // namespace testing_support
