#include "game/game_step.h"

#include <optional>

#include "core/level_file.h"
#include "core/moves.h"
#include "game/input.h"
#include "game/pad_play.h"
#include "game/pointer_play.h"
#include "game/scene_pose.h"
#include "game/scene_prepare.h"
#include "game/solution_replay.h"

namespace {

// Escape, or the pad's Start: the menu.
constexpr Control kMenuControl{KEY_ESC, padButtonBit(PAD_START)};

void noteGlidingBox(const Board& board, FrameReport& report) {
    const Box* box = lastGlidingBox(board);
    report.boxGliding = box != nullptr;
    if (box != nullptr) report.glidingBoxPosition = drawnPosition(*box, kKeeperHeight);
}

void runLevelEnd(GameState& state, InputFeed& feed, FrameReport& report) {
    LevelLoader loadFromCollection;
    if (state.collection != nullptr) {
        const CollectionInPlay* collection = state.collection;
        loadFromCollection = [collection](Board& board, Player& player, bool solved) {
            loadCollectionLevel(board, player, *collection, solved);
        };
    }
    const bool watching = state.demo.demoMode || state.replay.active;
    const bool padRestart = !watching && padRestartDown(state.pad, feed.now.pad, feed.now.time);
    const LevelEndFrame frame = stepLevelEnd(
        state.levelEnd, state.board, state.player, feed.now.held[KEY_ENTER] || padRestart, watching,
        [&feed] { waitForRelease(feed, KEY_ENTER, kShortReleaseWaitSeconds); }, loadFromCollection);
    // Taken: Back held on must not restart the next level as well.
    if (state.levelEnd.endRequested) state.pad.restartHeld = false;
    report.levelSolved = frame.solvedNow;
    if (!frame.reloaded) return;
    report.levelReloaded = true;
    afterLevelLoad(state);
}

// The time since the last frame's ticks, caught up one tick at a time, up to kMaxTicksPerFrame: a longer
// pause (a long stay in the menu) loses the rest, which no one would see: the camera has long settled by
// then. Counted, so the loop ends even where single precision can no longer take a tick off the backlog.
void runTicks(GameState& state, double now, FrameReport& report) {
    state.clock.accumulator = static_cast<float>(state.clock.accumulator + (now - state.clock.lastTime));
    int ticks = 0;
    while (state.clock.accumulator >= kTickSeconds && ticks < kMaxTicksPerFrame) {
        runTick(state, report);
        state.clock.accumulator -= kTickSeconds;
        ++ticks;
    }
    if (!(state.clock.accumulator < kTickSeconds)) state.clock.accumulator = 0.0f;
    state.clock.lastTime = static_cast<float>(now);
}

// The part of the frame that runs only while the menu is closed. False when the demo ended the pass.
bool runPlay(GameState& state, InputFeed& feed, FrameReport& report) {
    noteGlidingBox(state.board, report);
    runLevelEnd(state, feed, report);

    std::optional<Direction> requested;
    bool undoRequested = false;
    bool redoRequested = false;
    PadRequest pad;
    if (state.replay.active) {
        // Watching a kept solution: the keys ask only to stop watching.
        for (const int key : {KEY_SPACE, KEY_ESC}) {
            if (!feed.now.held[key]) continue;
            waitForRelease(feed, key, kReleaseWaitSeconds);
            report.replayEnded = true;
            return false;
        }
        requested = nextReplayMove(state.replay, state.player);
    } else if (state.demo.demoMode) {
        const FrameInput& input = feed.now;
        const DemoStep step = runDemoStep(state.demo, state.player, controlDown(input, kTakeOverControl),
                                          input.held[KEY_ESC], DemoClock{input.time, input.held[KEY_LCTRL]});
        if (step.end == DemoEnd::ScriptEnded) {
            report.passEnd = PassEnd::ScriptEnded;
            return false;
        }
        if (step.end == DemoEnd::SpacePressed || step.end == DemoEnd::EscapePressed) {
            if (step.end == DemoEnd::SpacePressed)
                waitForControlRelease(feed, kTakeOverControl, kReleaseWaitSeconds);
            else
                waitForRelease(feed, KEY_ESC, kReleaseWaitSeconds);
            report.passEnd = PassEnd::PlayerTookOver;
            return false;
        }
        requested = step.direction;
    } else {
        if (controlDown(feed.now, kMenuControl)) {
            // A crate chosen by a click is let go first; the menu opens with the next press.
            if (!dropChosenBox(state.pointer)) report.menuRequested = true;
            waitForControlRelease(feed, kMenuControl, kReleaseWaitSeconds);
        }
        // The keys first: the pad's requests count where no key asks for the same.
        pad = readPadInPlay(state.pad, feed.now.pad);
        requested = arrowKeyRequest(feed.now);
        if (!requested) requested = pad.direction;
        undoRequested = (undoKeyDown(feed.now) || pad.undo) && !state.levelEnd.endRequested;
        redoRequested = (redoKeyDown(feed.now) || pad.redo) && !state.levelEnd.endRequested;
        if (state.levelEnd.endRequested) {
            resetPointerPlay(state.pointer);
        } else {
            if (pad.stopsWalk) stopPlan(state.pointer);
            handlePointer(state.pointer, state.board, state.player, state.scene, feed);
        }
    }
    // A plan made by a click goes on while no key asks for a move of its own.
    std::optional<Direction> planned;
    if (!requested && !undoRequested && !redoRequested && !state.demo.demoMode && !state.replay.active)
        planned = nextPlannedMove(state.pointer, state.player);

    state.moveKeyActed = false;
    if (feed.now.held[KEY_LCTRL]) {
        pollAgain(feed);
        zoomCamera(state.scene, feed.now.held[KEY_UP], feed.now.held[KEY_DOWN]);
    } else if (pad.zoomNearer || pad.zoomFarther) {
        zoomCamera(state.scene, pad.zoomNearer, pad.zoomFarther);
    } else if (undoRequested) {
        // The keeper steps back facing the way he moved, as if pulling; held, the key goes on taking moves
        // back at the pace of moves.
        const std::optional<Direction> undone = undoMove(state.history, state.board, state.player);
        if (undone) state.requestedFacing = directionFacing(*undone);
        state.moveKeyActed = true;
    } else if (redoRequested) {
        // Held, it goes on making moves again at the pace of moves, as undo takes them back.
        const std::optional<Direction> redone = redoMove(state.history, state.board, state.player);
        if (redone) state.requestedFacing = directionFacing(*redone);
        state.moveKeyActed = true;
    } else if (requested) {
        const MoveResult move = tryMove(state.board, state.player, *requested);
        recordMove(state.history, *requested, move);
        if (state.replay.active) replayMoveMade(state.replay, move.moved);
        state.requestedFacing = directionFacing(*requested);
        state.moveKeyActed = true;
    } else if (planned) {
        const MoveResult move = tryMove(state.board, state.player, *planned);
        recordMove(state.history, *planned, move);
        planMoveMade(state.pointer, move.moved);
        state.requestedFacing = directionFacing(*planned);
        state.moveKeyActed = true;
    }

    toggleOnPress(feed, KEY_L, state.scene.lightFollowsKeeper);
    toggleOnPress(feed, KEY_S, state.scene.shadowsOn);
    runTicks(state, feed.now.time, report);
    return true;
}

}  // namespace

void loadLevelInPlay(GameState& state) {
    if (state.collection != nullptr)
        loadCollectionLevel(state.board, state.player, *state.collection, false);
    else
        loadLevel(state.board, state.player);
}

void afterLevelLoad(GameState& state) {
    state.levelStart = state.board;
    state.levelStartKeeper = state.player;
    resetPointerPlay(state.pointer);
    clearBoxHeights(state.levelEnd);
    clearMoveHistory(state.history);
    prepareLevelScene(state.scene, state.board, state.player, state.light, state.random);
}

void runTick(GameState& state, FrameReport& report) {
    SceneTickInput input;
    input.moveKeyActed = state.moveKeyActed;
    input.solved = state.levelEnd.solved;
    input.lastTime = state.clock.lastTime;
    const SceneTickResult result = updateSceneTick(state.scene, state.player, state.board, input);
    if (result.footstep && report.footfallCount < kMaxFootfallsPerFrame)
        report.footfalls[report.footfallCount++] = result.footstepPosition;
    tickPointerNote(state.pointer, kTickSeconds);
    if (tickSolutionReplay(state.replay, state.player, kTickSeconds)) report.replayEnded = true;
    state.scroll += kScrollStep;
    if (state.scroll > 1.0f) state.scroll = 0.0f;
}

FrameReport stepGame(GameState& state, bool menuOpen, InputFeed& feed) {
    FrameReport report;
    if (!menuOpen && !runPlay(state, feed, report)) return report;
    state.player.facing = state.requestedFacing;
    settleScenePose(state.scene, state.light, state.board, state.player, state.levelEnd);
    lowerLogoFade(state.levelEnd);
    return report;
}
