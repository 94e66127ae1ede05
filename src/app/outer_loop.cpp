#include "app/outer_loop.h"

#include "app/game_frame.h"
#include "app/keyboard.h"
#include "app/title.h"
#include "core/level_file.h"
#include "platform/window.h"

bool runPass(Game& game) {
    game.demo.demoMode = false;
    game.player.steps = 0;
    changeSong(game.audio, kTitleSong);
    game.player.setName = kLevelSetName;
    game.player.level = 1;
    loadLevel(game.board, game.player);
    startGameEye(game.scene, game.player);
    afterLevelLoad(game);

    const double deadline = platformTime() + kDemoDeadlineSeconds;
    game.titleBlinkTime = 0.0f;
    if (!game.menuOpen) showTitle(game, deadline);
    waitForRelease(KEY_SPACE, kReleaseWaitSeconds);
    changeSong(game.audio, kGameSong);

    game.scroll = 0.0f;
    forgetChannels(game.audio);
    startDemoScript(game.demo);
    game.menuOpen = !game.demo.demoMode;
    resetGameLookAt(game.scene);

    return runGameLoop(game) == FrameOutcome::Quit;
}

void runOuterLoop(Game& game) {
    while (!runPass(game)) {
    }
}
