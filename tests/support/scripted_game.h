#pragma once

#include <gtest/gtest.h>

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

    TempDir dir;
    std::unique_ptr<ScopedWorkingDirectory> cwd;
    std::unique_ptr<Game> game;
};

}  // namespace testing_support
