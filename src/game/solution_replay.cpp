#include "game/solution_replay.h"

#include "core/solution_check.h"

bool startSolutionReplay(SolutionReplay& replay, std::string_view solution) {
    if (solution.empty() || solution.size() > static_cast<std::size_t>(kMaxReplayMoves)) return false;
    for (std::size_t i = 0; i < solution.size(); ++i) {
        const std::optional<Direction> direction = moveLetterDirection(solution[i]);
        if (!direction) return false;
        replay.moves[i] = static_cast<std::uint8_t>(*direction);
    }
    replay.active = true;
    replay.count = static_cast<std::int32_t>(solution.size());
    replay.done = 0;
    replay.endPauseSeconds = kReplayEndPauseSeconds;
    return true;
}

std::optional<Direction> nextReplayMove(const SolutionReplay& replay, const Player& player) {
    if (!replay.active || replay.done >= replay.count || isPlayerGliding(player)) return std::nullopt;
    return static_cast<Direction>(replay.moves[replay.done]);
}

void replayMoveMade(SolutionReplay& replay, bool moved) {
    // A move the rule refuses means the solution does not fit this level: the watching stops there.
    replay.done = moved ? replay.done + 1 : replay.count;
}

bool tickSolutionReplay(SolutionReplay& replay, const Player& player, float seconds) {
    if (!replay.active || replay.done < replay.count || isPlayerGliding(player)) return false;
    replay.endPauseSeconds -= seconds;
    return replay.endPauseSeconds <= 0.0f;
}
