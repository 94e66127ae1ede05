#include "levels/demo/demo_path.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "core/demo.h"
#include "core/moves.h"
#include "levels/demo/demo_tour.h"
#include "levels/solver/solver_level.h"

namespace {

// Whole frames or steps that a length in seconds takes, rounding up; a hair's tolerance keeps 3 s at
// 100 frames rather than 101.
int countFor(double seconds, double each) {
    return std::max(0, static_cast<int>(std::ceil(seconds / each - 1e-9)));
}

}  // namespace

std::vector<DemoTarget> demoPathFromSolution(int keeperX, int keeperY, const std::string& solution,
                                             int holdPairs) {
    std::vector<DemoTarget> path;
    int x = keeperX;
    int y = keeperY;
    int runDirection = -1;
    for (const char letter : solution) {
        const int direction = solutionLetterDirection(letter);
        if (direction < 0) continue;
        if (direction != runDirection && runDirection >= 0) path.push_back({x, y});
        runDirection = direction;
        const CellStep step = directionStep(static_cast<Direction>(direction));
        x += step.dx;
        y += step.dy;
    }
    path.push_back({x, y});
    path.insert(path.end(), static_cast<std::size_t>(std::max(1, holdPairs)), DemoTarget{x, y});
    return path;
}

std::vector<DemoTarget> demoShow(const Board& board, const Player& player, const std::string& solution,
                                 const DemoShowOptions& options) {
    // The solution's own walk up to its first push gives way to the walk round the level.
    std::size_t firstPush = 0;
    int pushX = player.x;
    int pushY = player.y;
    for (; firstPush < solution.size(); ++firstPush) {
        const char letter = solution[firstPush];
        const int direction = solutionLetterDirection(letter);
        if (direction < 0) continue;
        if (std::isupper(static_cast<unsigned char>(letter))) break;
        const CellStep step = directionStep(static_cast<Direction>(direction));
        pushX += step.dx;
        pushY += step.dy;
    }
    const std::optional<std::string> tour =
        demoTour(board, player, countFor(options.walkSeconds, kDemoStepSeconds), pushX, pushY);
    if (!tour) return {};
    return demoPathFromSolution(player.x, player.y, *tour + solution.substr(firstPush),
                                countFor(options.pauseSeconds, kDemoFrameSeconds));
}

std::string formatDemoPath(const std::vector<DemoTarget>& path) {
    std::string text;
    for (const DemoTarget& target : path)
        text += std::to_string(target.x) + "," + std::to_string(target.y) + "\n";
    return text;
}

DemoReplay replayDemo(Board& board, Player& player, const char* movesPath, double frameSeconds,
                      int maxFrames) {
    DemoReplay replay;
    DemoState demo;
    demo.demoMode = true;
    startDemoScript(demo, movesPath);
    double untickedSeconds = 0.0;
    for (; replay.frames < maxFrames; ++replay.frames) {
        const DemoStep step = runDemoStep(demo, player, false, false);
        if (step.end != DemoEnd::None) {
            replay.scriptEnded = true;
            break;
        }
        if (step.direction) tryMove(board, player, *step.direction);
        for (untickedSeconds += frameSeconds; untickedSeconds >= kDemoTickSeconds;
             untickedSeconds -= kDemoTickSeconds) {
            settlePlayer(player);
            settleBoxes(board);
        }
    }
    closeDemoScript(demo);
    replay.solved = isSolved(board);
    replay.steps = player.steps;
    replay.seconds = replay.frames * frameSeconds;
    return replay;
}
