#include "core/solution_check.h"

#include "core/moves.h"

std::optional<Direction> moveLetterDirection(char letter) {
    switch (letter | 0x20) {  // either case
        case 'u':
            return Direction::Up;
        case 'd':
            return Direction::Down;
        case 'l':
            return Direction::Left;
        case 'r':
            return Direction::Right;
        default:
            return std::nullopt;
    }
}

namespace {

// The glide is a picture, not a rule: the next move may start at once.
void stopGliding(Board& board, Player& keeper) {
    keeper.offsetX = keeper.offsetZ = 0.0f;
    for (Box& box : board.boxes) box.offsetX = box.offsetZ = 0.0f;
}

}  // namespace

std::optional<SolutionCount> checkSolution(Board board, Player keeper, std::string_view solution) {
    SolutionCount count;
    stopGliding(board, keeper);
    for (const char letter : solution) {
        const std::optional<Direction> direction = moveLetterDirection(letter);
        if (!direction) return std::nullopt;
        const MoveResult move = tryMove(board, keeper, *direction);
        const bool push = letter >= 'A' && letter <= 'Z';
        if (!move.moved || (move.pushedBox >= 0) != push) return std::nullopt;
        ++count.moves;
        if (push) ++count.pushes;
        stopGliding(board, keeper);
    }
    if (!isSolved(board)) return std::nullopt;
    return count;
}
