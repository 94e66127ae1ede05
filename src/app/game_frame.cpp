#include "app/game_frame.h"

#include "app/frame_pacing.h"
#include "app/loop_input.h"
#include "app/menu.h"
#include "app/window_callbacks.h"
#include "game/game_step.h"
#include "platform/window.h"
#include "profiles/profile_store.h"

namespace {

void playReportedSounds(Game& game, const FrameReport& report, bool played) {
    if (played)
        updateSlideSounds(game.audio, report.boxGliding, report.glidingBoxPosition, game.state.random);
    for (int i = 0; i < report.footfallCount; ++i) playFootstep(game.audio, report.footfalls[i]);
}

}  // namespace

FrameOutcome runGameFrame(Game& game) {
    const FrameStart start = startFrame();
    const bool played = !game.session.menuOpen;
    InputFeed feed = sampleLoopInput();
    const FrameReport report = stepGame(game.state, game.session.menuOpen, feed);
    playReportedSounds(game, report, played);
    if (report.levelReloaded) {
        // The level reached is written back whether the level was solved or restarted. A failed write loses
        // the progress: the HUD says so until a later save succeeds.
        ProfileSession& profile = game.session.profile;
        const ProfileResult saved = saveLevelReached(profile.dataDirectory, profile.record, profile.password,
                                                     game.state.player.level);
        game.session.notes.progressNotSaved = saved != ProfileResult::Ok;
    }
    if (report.passEnd == PassEnd::ScriptEnded) return FrameOutcome::EndPass;
    if (report.passEnd == PassEnd::PlayerTookOver) {
        game.session.menuOpen = true;
        return FrameOutcome::EndPass;
    }
    if (report.menuRequested) game.session.menuOpen = true;

    moveFootsteps(game.audio, game.state.player);
    if (game.presenter.drawGameFrame != nullptr) {
        game.session.notes.profileName = game.session.profile.name;
        game.presenter.drawGameFrame(*game.graphics, windowSettings, game.state, game.session.notes,
                                     game.session.menuOpen);
    }
    placeListener(game.state.scene.eye, game.state.scene.lookAt);
    if (game.session.menuOpen) {
        feed.now.time = platformTime();  // the menu's marks blink on the clock as it is laid out
        runMenuFrame(game, feed);
    }
    platformFlushDrawing();
    sleepRestOfFrame(start);
    platformSwapBuffers();
    updateAudio();
    return quitRequested ? FrameOutcome::Quit : FrameOutcome::Continue;
}

FrameOutcome runGameLoop(Game& game) {
    for (;;) {
        const FrameOutcome outcome = runGameFrame(game);
        if (outcome != FrameOutcome::Continue) return outcome;
    }
}
