#include "app/level_records.h"

#include "core/solution_check.h"
#include "profiles/level_progress.h"

namespace {

// The hash of the level in play, or nothing when the set in play does not name it (a Classic file that
// could not be read through the collection reader, a level past the last).
const std::uint64_t* levelInPlayHash(const Game& game) {
    const LevelChoice& choice = game.session.levels;
    const CollectionInPlay& play = game.state.collection != nullptr ? choice.inPlay : choice.classic;
    const int index = game.state.player.level - 1;
    if (index < 0 || index >= static_cast<int>(play.hashes.size())) return nullptr;
    return &play.hashes[index];
}

// The solution the moves since the level's start make, when it checks out from the level's start.
std::optional<BestSolution> checkedSolution(const GameState& state) {
    BestSolution solution{state.player.steps, state.history.pushes, solutionText(state.history)};
    const std::optional<SolutionCount> count =
        checkSolution(state.levelStart, state.levelStartKeeper, solution.solution);
    if (!count || count->moves != solution.moves || count->pushes != solution.pushes) return std::nullopt;
    return solution;
}

}  // namespace

void recordSolvedLevel(Game& game) {
    const std::uint64_t* hash = levelInPlayHash(game);
    if (hash == nullptr) return;
    LevelChoice& choice = game.session.levels;
    CollectionInPlay& play = game.state.collection != nullptr ? choice.inPlay : choice.classic;
    play.solved[static_cast<std::size_t>(game.state.player.level - 1)] = true;

    ProfileSession& profile = game.session.profile;
    LevelProgress& level = profile.progress[*hash];
    const bool newlySolved = !level.solved;
    level.solved = true;
    const std::optional<BestSolution> solution = checkedSolution(game.state);
    const bool better = solution && keepBetterSolution(level, *solution);
    if (!newlySolved && !better) return;
    // A profile whose place in its file could not be found (the file unreadable since) has no owner to
    // write under: the record stays for this run only, and the HUD says so.
    const bool saved = profile.owner.recordNumber >= 1 &&
                       saveProgress(profile.dataDirectory, profile.owner, *hash, level) == ProgressResult::Ok;
    game.session.notes.solvedLevelNotSaved = !saved;
}

const LevelProgress& levelInPlayProgress(const Game& game) {
    static const LevelProgress kNothing;
    const std::uint64_t* hash = levelInPlayHash(game);
    if (hash == nullptr || !game.session.profile.loaded) return kNothing;
    const auto found = game.session.profile.progress.find(*hash);
    return found != game.session.profile.progress.end() ? found->second : kNothing;
}
