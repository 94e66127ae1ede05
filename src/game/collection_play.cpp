#include "game/collection_play.h"

#include <utility>

namespace {

void clearToNothing(Board& board, bool pastLastLevel) {
    board = Board{};
    board.notFound = 1;
    board.pastLastLevel = pastLastLevel ? 1 : 0;
}

}  // namespace

CollectionInPlay openCollection(LevelCollection collection) {
    CollectionInPlay play;
    play.collection = std::move(collection);
    for (const CollectionLevel& level : play.collection.levels) play.hashes.push_back(boardHash(level.rows));
    play.solved.assign(play.collection.levels.size(), false);
    return play;
}

int nextUnsolvedLevel(const CollectionInPlay& play, int from) {
    const int count = static_cast<int>(play.collection.levels.size());
    if (count == 0) return 0;
    const int start = (from >= 1 && from <= count) ? from - 1 : 0;
    for (int step = 0; step < count; ++step) {
        const int index = (start + step) % count;
        if (play.collection.levels[index].problem == LevelProblem::None && !play.solved[index])
            return index + 1;
    }
    return 0;
}

void loadCollectionLevel(Board& board, Player& player, const CollectionInPlay& play, bool solved) {
    if (solved) {
        const int next = nextUnsolvedLevel(play, player.level);
        if (next == 0) {
            clearToNothing(board, true);
            return;
        }
        player.level = next;
    }
    const int count = static_cast<int>(play.collection.levels.size());
    if (player.level < 1 || player.level > count) {
        clearToNothing(board, player.level > count);
        return;
    }
    placeCollectionLevel(play.collection.levels[player.level - 1], board, player);
}
