#include "core/demo.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>

namespace {

bool isSeparator(int c) {
    return c == ',' || std::isspace(c) != 0;
}

// Reads one decimal integer (optional sign) after any separators. False on the end of the file or on
// anything else: a word, a lone sign, a number too large for 32 bits, a number glued to other characters.
bool readInteger(std::FILE* file, int& value) {
    int c = std::getc(file);
    while (c != EOF && isSeparator(c)) c = std::getc(file);
    bool negative = false;
    if (c == '-' || c == '+') {
        negative = c == '-';
        c = std::getc(file);
    }
    if (c == EOF || !std::isdigit(c)) return false;
    long long magnitude = 0;
    while (c != EOF && std::isdigit(c)) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) return false;
        c = std::getc(file);
    }
    if (c != EOF && !isSeparator(c)) return false;
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX) return false;
    value = static_cast<int>(signedValue);
    return true;
}

void readAhead(DemoScript& script) {
    script.hasPending = script.file != nullptr && readInteger(script.file, script.pendingX) &&
                        readInteger(script.file, script.pendingY);
}

bool takePair(DemoScript& script, int& x, int& y) {
    if (!script.hasPending) return false;
    x = script.pendingX;
    y = script.pendingY;
    readAhead(script);
    return true;
}

// Counts this frame's seconds as the keeper making no progress, unless it came closer, a new target was read
// or the viewer is zooming.
void trackProgress(DemoProgress& progress, const Player& player, int targetX, int targetY, bool newTarget,
                   const DemoClock& clock) {
    // In 64 bits: a target read from the file may lie anywhere in 32-bit range.
    const long long distance = std::llabs(static_cast<long long>(targetX) - player.x) +
                               std::llabs(static_cast<long long>(targetY) - player.y);
    const double frameSeconds = progress.lastStepTime < 0.0 ? 0.0 : clock.now - progress.lastStepTime;
    progress.lastStepTime = clock.now;
    if (newTarget || progress.closestDistance < 0 || distance < progress.closestDistance) {
        progress.closestDistance = distance;
        progress.stalledSeconds = 0.0;
    } else if (!clock.zooming) {
        progress.stalledSeconds += std::clamp(frameSeconds, 0.0, kDemoStallFrameSeconds);
    }
}

}  // namespace

void startDemoScript(DemoState& demo, const char* path) {
    closeDemoScript(demo);
    demo.progress = DemoProgress{};
    demo.script.file = std::fopen(path, "rb");
    readAhead(demo.script);
    takePair(demo.script, demo.targetX, demo.targetY);
}

void closeDemoScript(DemoState& demo) {
    if (demo.script.file != nullptr) std::fclose(demo.script.file);
    demo.script = DemoScript{};
}

bool demoScriptAtEnd(const DemoState& demo) {
    return !demo.script.hasPending;
}

std::optional<Direction> demoSteering(int keeperX, int keeperY, int targetX, int targetY) {
    std::optional<Direction> direction;
    if (targetX > keeperX) direction = Direction::Right;
    if (targetX < keeperX) direction = Direction::Left;
    if (targetY < keeperY) direction = Direction::Up;
    if (targetY > keeperY) direction = Direction::Down;
    return direction;
}

DemoStep runDemoStep(DemoState& demo, const Player& player, bool spaceDown, bool escapeDown,
                     DemoClock clock) {
    DemoStep step;
    if (demoScriptAtEnd(demo)) {
        closeDemoScript(demo);
        demo.demoMode = false;
        step.end = DemoEnd::ScriptEnded;
        return step;
    }
    const bool reached = player.x == demo.targetX && player.y == demo.targetY;
    if (reached) takePair(demo.script, demo.targetX, demo.targetY);
    trackProgress(demo.progress, player, demo.targetX, demo.targetY, reached, clock);
    step.direction = demoSteering(player.x, player.y, demo.targetX, demo.targetY);
    if (spaceDown || escapeDown || demo.progress.stalledSeconds >= kDemoStallSeconds) {
        closeDemoScript(demo);
        demo.demoMode = false;
        step.end = spaceDown    ? DemoEnd::SpacePressed
                   : escapeDown ? DemoEnd::EscapePressed
                                : DemoEnd::ScriptEnded;
        step.direction.reset();  // the pass ends here; nothing moves
    }
    return step;
}
