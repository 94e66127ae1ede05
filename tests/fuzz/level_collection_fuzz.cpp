// Feeds arbitrary bytes to the collection reader. Whatever the input, every level must come out inside
// the grid in canonical cells, a level called playable must pass the checks and go on the board, and a
// playable level written out in the notation must read back as the same level.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/board.h"
#include "core/level_collection.h"

namespace {

void checkShape(const CollectionLevel& level) {
    if (level.rows.size() > static_cast<std::size_t>(kBoardHeight)) std::abort();
    if (!level.rows.empty() && (level.rows.front().empty() || level.rows.back().empty())) std::abort();
    for (const std::string& row : level.rows) {
        if (row.size() > static_cast<std::size_t>(kBoardWidth)) std::abort();
        if (!row.empty() && row.back() == ' ') std::abort();
        if (row.find_first_not_of("# .$*@+") != std::string::npos) std::abort();
    }
}

void checkPlacement(const CollectionLevel& level) {
    Board board;
    Player player;
    player.x = -5;
    player.y = -6;
    const bool placed = placeCollectionLevel(level, board, player);
    if (placed != (level.problem == LevelProblem::None)) std::abort();
    if (!placed) {
        if (board.notFound != 1 || player.x != -5 || player.y != -6) std::abort();
        return;
    }
    if (board.notFound != 0 || !isInsideGrid(player.x, player.y) || isSolved(board)) std::abort();
    if (board.cells[player.x][player.y] == Cell::Wall) std::abort();
}

void checkRoundTrip(const CollectionLevel& level) {
    const std::string text = formatCollectionLevel(level);
    const LevelCollection reread = parseLevelCollection(text);
    if (reread.levels.size() != 1) std::abort();
    const CollectionLevel& back = reread.levels[0];
    if (back.rows != level.rows || back.problem != LevelProblem::None || back.title != level.title ||
        back.author != level.author || back.name != level.name)
        std::abort();
    if (boardHash(back.rows) != boardHash(level.rows)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const LevelCollection collection = parseLevelCollection(text);
    int previousLine = 0;
    for (const CollectionLevel& level : collection.levels) {
        if (level.firstLine <= previousLine) std::abort();
        previousLine = level.firstLine;
        checkShape(level);
        if (level.problem == LevelProblem::None && levelProblemOf(level.rows) != LevelProblem::None)
            std::abort();
        checkPlacement(level);
        if (level.problem == LevelProblem::None) checkRoundTrip(level);
    }
    return 0;
}
