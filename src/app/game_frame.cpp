#include "app/game_frame.h"

#include <optional>

#include "app/keyboard.h"
#include "app/menu.h"
#include "core/moves.h"
#include "platform/window.h"
#include "profiles/profile_store.h"
#include "render/scene_prepare.h"

namespace {

void runLevelEnd(Game& game) {
    const LevelEndFrame frame =
        stepLevelEnd(game.levelEnd, game.board, game.player, platformKeyDown(KEY_ENTER), game.demo.demoMode,
                     [] { waitForRelease(KEY_ENTER, kShortReleaseWaitSeconds); });
    if (!frame.reloaded) return;
    // The level reached is written back whether the level was solved or restarted; a failed write only
    // loses the progress, so its result is not acted on.
    saveLevelReached(game.profile.dataDirectory, game.profile.record, game.profile.password,
                     game.player.level);
    afterLevelLoad(game);
}

// The arrow keys in their order of precedence: each key held replaces the one before, so Down wins over Up,
// Up over Left and Left over Right.
std::optional<Direction> arrowKeyRequest() {
    std::optional<Direction> requested;
    if (platformKeyDown(KEY_RIGHT)) requested = Direction::Right;
    if (platformKeyDown(KEY_LEFT)) requested = Direction::Left;
    if (platformKeyDown(KEY_UP)) requested = Direction::Up;
    if (platformKeyDown(KEY_DOWN)) requested = Direction::Down;
    return requested;
}

void toggleOnPress(int key, bool& flag) {
    if (!platformKeyDown(key)) return;
    flag = !flag;
    waitForRelease(key, kShortReleaseWaitSeconds);
}

void runTicks(Game& game) {
    const double now = platformTime();
    game.clock.accumulator = static_cast<float>(game.clock.accumulator + (now - game.clock.lastTime));
    while (game.clock.accumulator >= kTickSeconds) {
        runTick(game);
        game.clock.accumulator -= kTickSeconds;
    }
    game.clock.lastTime = static_cast<float>(now);
}

}  // namespace

void afterLevelLoad(Game& game) {
    clearBoxHeights(game.levelEnd);
    prepareLevelScene(game.scene, game.board, game.light, game.random);
}

void runTick(Game& game) {
    SceneTickInput input;
    input.moveKeyActed = game.moveKeyActed;
    input.solved = game.levelEnd.solved;
    input.lastTime = game.clock.lastTime;
    const SceneTickResult result = updateSceneTick(game.scene, game.player, game.board, input);
    if (result.footstep) playFootstep(game.audio, result.footstepPosition);
    game.scroll += kScrollStep;
    if (game.scroll > 1.0f) game.scroll = 0.0f;
}

FrameOutcome runGameFrame(Game& game) {
    if (!game.menuOpen) {
        updateSlideSounds(game.audio, game.board, game.random);
        runLevelEnd(game);

        std::optional<Direction> requested;
        if (game.demo.demoMode) {
            const DemoStep step =
                runDemoStep(game.demo, game.player, platformKeyDown(KEY_SPACE), platformKeyDown(KEY_ESC),
                            DemoClock{platformTime(), platformKeyDown(KEY_LCTRL)});
            if (step.end == DemoEnd::ScriptEnded) return FrameOutcome::EndPass;
            if (step.end == DemoEnd::SpacePressed || step.end == DemoEnd::EscapePressed) {
                waitForRelease(step.end == DemoEnd::SpacePressed ? KEY_SPACE : KEY_ESC, kReleaseWaitSeconds);
                game.menuOpen = true;
                return FrameOutcome::EndPass;
            }
            requested = step.direction;
        } else {
            if (platformKeyDown(KEY_ESC)) {
                game.menuOpen = true;
                waitForRelease(KEY_ESC, kReleaseWaitSeconds);
            }
            requested = arrowKeyRequest();
        }

        game.moveKeyActed = false;
        if (platformKeyDown(KEY_LCTRL)) {
            platformPollEvents();
            zoomCamera(game.scene, platformKeyDown(KEY_UP), platformKeyDown(KEY_DOWN));
        } else if (requested) {
            tryMove(game.board, game.player, *requested);
            game.requestedFacing = directionFacing(*requested);
            game.moveKeyActed = true;
        }

        toggleOnPress(KEY_L, game.scene.lightFollowsKeeper);
        toggleOnPress(KEY_S, game.scene.shadowsOn);
        runTicks(game);
    }

    game.player.facing = game.requestedFacing;
    moveFootsteps(game.audio, game.player);
    if (game.presenter.drawGameFrame != nullptr) game.presenter.drawGameFrame(game);
    placeListener(game.audio, game.scene.eye, game.scene.lookAt);
    if (game.menuOpen) runMenuFrame(game);
    platformSleep(kFrameSleepSeconds);
    platformSwapBuffers();
    updateAudio(game.audio);
    return quitRequested ? FrameOutcome::Quit : FrameOutcome::Continue;
}

FrameOutcome runGameLoop(Game& game) {
    for (;;) {
        const FrameOutcome outcome = runGameFrame(game);
        if (outcome != FrameOutcome::Continue) return outcome;
    }
}
