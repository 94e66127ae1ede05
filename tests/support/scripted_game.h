#pragma once

#include <memory>

#include "app/game_frame.h"
#include "app/keyboard.h"
#include "core/level_file.h"
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
    game->player.setName = "Classic";
    game->player.level = 1;
    loadLevel(game->board, game->player);
    afterLevelLoad(*game);
    return game;
}

}  // namespace testing_support
