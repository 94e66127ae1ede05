#include "core/move_history.h"

namespace {

constexpr std::uint8_t kDirectionBits = 0x03;
constexpr std::uint8_t kPushBit = 0x04;
constexpr int kBoxShift = 3;
static_assert(kMaxBoxes <= (1 << (8 - kBoxShift)), "a box index fits the byte's upper bits");

int slot(const MoveHistory& history, int index) {
    return (history.first + index) % kMoveHistoryCapacity;
}

}  // namespace

void clearMoveHistory(MoveHistory& history) {
    history.first = 0;
    history.count = 0;
    history.redoable = 0;
    history.pushes = 0;
    history.forgotOldest = false;
}

void recordMove(MoveHistory& history, Direction direction, const MoveResult& move) {
    if (!move.moved) return;
    history.redoable = 0;
    std::uint8_t code = static_cast<std::uint8_t>(static_cast<int>(direction)) & kDirectionBits;
    if (move.pushedBox >= 0) code |= static_cast<std::uint8_t>(kPushBit | (move.pushedBox << kBoxShift));
    if (history.count == kMoveHistoryCapacity) {
        history.first = slot(history, 1);  // the oldest move is forgotten
        --history.count;
        history.forgotOldest = true;
    }
    if (move.pushedBox >= 0) ++history.pushes;
    history.moves[slot(history, history.count)] = code;
    ++history.count;
}

std::optional<Direction> undoMove(MoveHistory& history, Board& board, Player& player) {
    if (isPlayerGliding(player) || history.count == 0) return std::nullopt;
    const std::uint8_t code = history.moves[slot(history, history.count - 1)];
    --history.count;
    ++history.redoable;
    const Direction direction = static_cast<Direction>(code & kDirectionBits);
    const CellStep step = directionStep(direction);
    // Drawn at the cell it leaves, gliding back: the offsets of a move in the opposite direction.
    player.x -= step.dx;
    player.y -= step.dy;
    player.offsetX = static_cast<float>(-step.dx);
    player.offsetZ = static_cast<float>(-step.dy);
    player.steps -= 1;
    if ((code & kPushBit) != 0) {
        --history.pushes;
        Box& box = board.boxes[code >> kBoxShift];
        box.x -= step.dx;
        box.y -= step.dy;
        box.offsetX = player.offsetX;
        box.offsetZ = player.offsetZ;
    }
    return direction;
}

std::optional<Direction> redoMove(MoveHistory& history, Board& board, Player& player) {
    if (isPlayerGliding(player) || history.redoable == 0) return std::nullopt;
    const Direction direction =
        static_cast<Direction>(history.moves[slot(history, history.count)] & kDirectionBits);
    // The board is as it was before the move was taken back, so the move rule makes the very same move.
    const MoveResult move = tryMove(board, player, direction);
    if (!move.moved) return std::nullopt;
    if (move.pushedBox >= 0) ++history.pushes;
    ++history.count;
    --history.redoable;
    return direction;
}

std::string solutionText(const MoveHistory& history) {
    if (history.forgotOldest) return std::string();
    constexpr char kLetters[] = {'u', 'd', 'l', 'r'};  // by Direction: up 0, down 1, left 2, right 3
    std::string text;
    text.reserve(static_cast<std::size_t>(history.count));
    for (int i = 0; i < history.count; ++i) {
        const std::uint8_t code = history.moves[slot(history, i)];
        const char letter = kLetters[code & kDirectionBits];
        text.push_back((code & kPushBit) != 0 ? static_cast<char>(letter - 'a' + 'A') : letter);
    }
    return text;
}
