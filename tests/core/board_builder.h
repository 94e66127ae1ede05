#pragma once

#include <cstdio>
#include <string>

#include "core/board.h"
#include "core/level_file.h"
#include "core/moves.h"

// Builds a board from level rows, the way a level file would spell it, so tests read like the levels
// they play.
inline Board boardFromRows(const std::string& rows, Player& player) {
    const std::string text = "test\n\n" + rows;
    Board board;
    player.level = 1;
    std::FILE* file = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    loadLevelFromFile(board, player, file);
    std::fclose(file);
    return board;
}

// Runs the glide of the keeper and the boxes to its end, as the ticks would.
inline void settleAll(Board& board, Player& player) {
    for (int tick = 0; tick < 20; ++tick) {
        settlePlayer(player);
        settleBoxes(board);
    }
}
