#include "app/solution_watch.h"

#include "core/level_file.h"
#include "game/game_step.h"

namespace {

const CollectionInPlay& collectionShown(const LevelChoice& choice) {
    return choice.browsedEntry == 0 ? choice.classic : choice.browsed;
}

}  // namespace

bool startWatching(Game& game, int number, bool fewestPushes) {
    const CollectionInPlay& shown = collectionShown(game.session.levels);
    if (number < 1 || number > static_cast<int>(shown.hashes.size())) return false;
    const auto kept = game.session.profile.progress.find(shown.hashes[static_cast<std::size_t>(number - 1)]);
    if (kept == game.session.profile.progress.end()) return false;
    const BestSolution& best = fewestPushes ? kept->second.fewestPushes : kept->second.fewestMoves;
    if (best.moves <= 0) return false;

    game.session.gameBeforeWatching = game.state;
    GameState& state = game.state;
    state.player.steps = 0;
    state.levelEnd = LevelEnd{};
    state.levelEnd.fade = game.session.gameBeforeWatching.levelEnd.fade;
    if (game.session.levels.browsedEntry == 0) {
        state.collection = nullptr;
        state.player.level = number;
        loadLevel(state.board, state.player);
    } else {
        // The collection shown may not be the one in play; the level end, the only reader of the collection
        // in play, does not run while a solution is watched.
        state.player.level = number;
        placeCollectionLevel(shown.collection.levels[static_cast<std::size_t>(number - 1)], state.board,
                             state.player);
    }
    afterLevelLoad(state);
    if (!startSolutionReplay(state.replay, best.solution)) {
        endWatching(game);
        return false;
    }
    return true;
}

void endWatching(Game& game) {
    // The animation clock and the fog run on: the game put aside would otherwise catch up the ticks of the
    // whole watching at once.
    const FrameClock clock = game.state.clock;
    const float scroll = game.state.scroll;
    game.state = game.session.gameBeforeWatching;
    game.state.clock = clock;
    game.state.scroll = scroll;
    game.session.menuOpen = true;
}
