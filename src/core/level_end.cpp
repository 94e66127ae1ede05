#include "core/level_end.h"

#include "core/level_file.h"
#include "core/moves.h"

void levelEndTrigger(LevelEnd& state, const Board& board, bool enterDown, bool demoMode) {
    if (demoMode) return;
    const bool solved = isSolved(board);
    if (!solved && !enterDown) return;
    if (solved) state.solved = true;
    state.endRequested = !isAnyBoxGliding(board);
}

LevelEndFrame runLevelEndPhases(LevelEnd& state, Board& board, Player& player,
                                const std::function<void()>& waitForEnterRelease, const LevelLoader& load) {
    LevelEndFrame frame;
    if (state.endRequested) {
        state.sinking = true;
        if (state.sunk) {
            state.advancing = true;
            if (waitForEnterRelease) waitForEnterRelease();
        }
    }
    if (state.sinking) {
        for (int i = 0; i < kMaxBoxes; ++i) {
            if (board.boxes[i].active == 0) continue;
            state.boxHeight[i] -= kSinkStep;
            if (state.boxHeight[i] <= kSunkHeight) {
                state.sinking = false;
                state.sunk = true;
            }
        }
    }
    if (state.advancing) {
        state.fade += kFadeStep;
        if (state.fade > 1.0f) {
            player.steps = 0;
            state.endRequested = state.sinking = state.sunk = state.advancing = false;
            const bool solved = state.solved;
            if (solved) {
                state.solved = false;
                player.level += 1;
            }
            if (load)
                load(board, player, solved);
            else
                loadLevel(board, player);
            clearBoxHeights(state);
            frame.reloaded = true;
        }
    }
    return frame;
}

LevelEndFrame stepLevelEnd(LevelEnd& state, Board& board, Player& player, bool enterDown, bool demoMode,
                           const std::function<void()>& waitForEnterRelease, const LevelLoader& load) {
    const bool solvedBefore = state.solved;
    levelEndTrigger(state, board, enterDown, demoMode);
    LevelEndFrame frame = runLevelEndPhases(state, board, player, waitForEnterRelease, load);
    frame.solvedNow = !solvedBefore && state.solved;
    return frame;
}

void clearBoxHeights(LevelEnd& state) {
    for (float& height : state.boxHeight) height = 0.0f;
}

void lowerLogoFade(LevelEnd& state) {
    state.logoShown = state.fade > 0.0f;
    if (state.logoShown && !state.advancing) state.fade -= kFadeStep;
}
