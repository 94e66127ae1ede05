#include "levels/demo_path.h"

#include "core/demo.h"
#include "core/moves.h"
#include "levels/solver_level.h"

std::vector<DemoTarget> demoPathFromSolution(int keeperX, int keeperY, const std::string& solution) {
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
    path.push_back({x, y});
    return path;
}

std::string formatDemoPath(const std::vector<DemoTarget>& path) {
    std::string text;
    for (const DemoTarget& target : path)
        text += std::to_string(target.x) + "," + std::to_string(target.y) + "\n";
    return text;
}

DemoReplay replayDemo(Board& board, Player& player, const char* movesPath, int ticksPerFrame, int maxFrames) {
    DemoReplay replay;
    DemoState demo;
    demo.demoMode = true;
    startDemoScript(demo, movesPath);
    for (; replay.frames < maxFrames; ++replay.frames) {
        const DemoStep step = runDemoStep(demo, player, false, false);
        if (step.end != DemoEnd::None) {
            replay.scriptEnded = true;
            break;
        }
        if (step.direction) tryMove(board, player, *step.direction);
        for (int tick = 0; tick < ticksPerFrame; ++tick) {
            settlePlayer(player);
            settleBoxes(board);
        }
    }
    closeDemoScript(demo);
    replay.solved = isSolved(board);
    replay.steps = player.steps;
    return replay;
}
