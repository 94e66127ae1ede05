#include "app/outer_loop.h"

#include "app/game_frame.h"
#include "app/loop_input.h"
#include "app/title.h"
#include "core/level_file.h"
#include "game/game_step.h"
#include "game/input.h"

bool runPass(Game& game) {
    GameState& state = game.state;
    state.demo.demoMode = false;
    state.player.steps = 0;
    changeSong(game.audio, kTitleSong);
    state.player.setName = kLevelSetName;
    state.player.level = 1;
    loadLevel(state.board, state.player);
    startGameEye(state.scene, state.player);
    afterLevelLoad(state);

    InputFeed feed = sampleLoopInput();
    const double deadline = feed.now.time + kDemoDeadlineSeconds;
    state.title = TitleBlink{};
    if (!game.session.menuOpen) showTitle(game, deadline);
    resampleLoopInput(feed);
    waitForRelease(feed, KEY_SPACE, kReleaseWaitSeconds);
    // Space is up by now: this waits for a pad's button that left the title, which the menu would take for
    // its Enter.
    waitForControlRelease(feed, kTakeOverControl, kReleaseWaitSeconds);
    changeSong(game.audio, kGameSong);

    state.scroll = 0.0f;
    forgetChannels(game.audio);
    startDemoScript(state.demo);
    game.session.menuOpen = !state.demo.demoMode;
    resetGameLookAt(state.scene);

    return runGameLoop(game) == FrameOutcome::Quit;
}

void runOuterLoop(Game& game) {
    while (!runPass(game)) {
    }
}
