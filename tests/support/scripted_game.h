#pragma once

#include <memory>

#include "app/game_frame.h"
#include "app/window_callbacks.h"
#include "core/level_file.h"
#include "game/game_step.h"
#include "platform/scripted_window.h"
#include "platform/window.h"

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

}  // namespace testing_support
