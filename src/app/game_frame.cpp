#include "app/game_frame.h"

#include "app/frame_pacing.h"
#include "app/level_records.h"
#include "app/loop_input.h"
#include "app/menu.h"
#include "app/player_settings.h"
#include "app/solution_watch.h"
#include "app/window_callbacks.h"
#include "game/game_step.h"
#include "layout/cursor_ray.h"
#include "layout/hud_layout.h"
#include "platform/window.h"
#include "profiles/profile_store.h"

#include <algorithm>

namespace {

void playReportedSounds(Game& game, const FrameReport& report, bool played) {
    if (played)
        updateSlideSounds(game.audio, report.boxGliding, report.glidingBoxPosition, game.state.random);
    for (int i = 0; i < report.footfallCount; ++i) playFootstep(game.audio, report.footfalls[i]);
}

// The level reached is written back whether the level was solved or restarted, and only ever rises:
// replaying an early level must not take the profile back to it. A player's own collection never touches
// the profile's record. A failed write loses the progress: the HUD says so until a later save succeeds.
void saveClassicLevelReached(Game& game) {
    if (game.state.collection != nullptr) return;
    ProfileSession& profile = game.session.profile;
    const int reached = std::max(profile.record.level, game.state.player.level);
    const ProfileResult saved =
        saveLevelReached(profile.dataDirectory, profile.record, profile.password, reached);
    game.session.notes.progressNotSaved = saved != ProfileResult::Ok;
}

}  // namespace

FrameOutcome runGameFrame(Game& game) {
    const FrameStart start = startFrame();
    const bool played = !game.session.menuOpen;
    InputFeed feed = sampleLoopInput();
    runSettingsKeys(game, feed.now, game.session.menuOpen && game.session.menu.textEntry);
    feed.pointerRay = cursorRay(windowSettings, game.state.scene.eye, game.state.scene.lookAt,
                                feed.now.cursorX, feed.now.cursorY);
    const FrameReport report = stepGame(game.state, game.session.menuOpen, feed);
    playReportedSounds(game, report, played);
    if (report.levelSolved) recordSolvedLevel(game);
    if (report.levelReloaded) saveClassicLevelReached(game);
    if (report.replayEnded) endWatching(game);
    if (report.passEnd == PassEnd::ScriptEnded) return FrameOutcome::EndPass;
    if (report.passEnd == PassEnd::PlayerTookOver) {
        game.session.menuOpen = true;
        return FrameOutcome::EndPass;
    }
    if (report.menuRequested) game.session.menuOpen = true;

    moveFootsteps(game.audio, game.state.player);
    if (game.presenter.drawGameFrame != nullptr) {
        game.session.notes.profileName = game.session.profile.name;
        const LevelProgress& records = levelInPlayProgress(game);
        game.session.notes.best = bestSolutionsText(records.fewestMoves.moves, records.fewestMoves.pushes,
                                                    records.fewestPushes.pushes, records.fewestPushes.moves);
        game.presenter.drawGameFrame(*game.graphics, windowSettings, game.state, game.session.notes,
                                     game.session.menuOpen);
    }
    placeListener(game.state.scene.eye, game.state.scene.lookAt);
    if (game.session.menuOpen) {
        feed.now.time = platformTime();  // the menu's marks blink on the clock as it is laid out
        runMenuFrame(game, feed);
    }
    keepSettings(game, feed.now);
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
