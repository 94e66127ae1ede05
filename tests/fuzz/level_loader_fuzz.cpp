// Feeds arbitrary bytes to the level loader. The first byte picks the level number; whatever the input,
// the load must stay inside the grid and the box list and leave the board consistent.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/board.h"
#include "core/level_file.h"
#include "core/moves.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    Board board;
    Player player;
    player.level = static_cast<std::int8_t>(data[0]);
    player.x = 5;
    player.y = 6;
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data + 1), size - 1, "rb");
    if (file == nullptr) return 0;
    loadLevelFromFile(board, player, file);
    std::fclose(file);

    if (board.notFound != 0) {
        if (player.x != 5 || player.y != 6) std::abort();
        for (const Box& box : board.boxes) {
            if (box.active != 0) std::abort();
        }
        return 0;
    }
    if (!isInsideGrid(player.x, player.y)) std::abort();
    for (const Box& box : board.boxes) {
        if (box.active != 0 && (!isInsideGrid(box.x, box.y) || box.active != kBoxActive)) std::abort();
    }
    for (const auto& column : board.cells) {
        for (const auto cell : column) {
            if (cell > Cell::Goal) std::abort();
        }
    }
    // Play a few moves on whatever was loaded: nothing may leave the grid.
    for (std::size_t i = 1; i < size && i < 64; ++i) {
        tryMove(board, player, static_cast<Direction>(data[i] % 4));
        settlePlayer(player);
        settleBoxes(board);
        if (!isInsideGrid(player.x, player.y)) std::abort();
    }
    return 0;
}
