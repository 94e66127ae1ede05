// Treats arbitrary bytes as the demo path file. The reader must give exactly the pairs a plain reference
// reading gives (integers split at commas and white space, up to the first thing that is not one); the
// keeper steered along them on a walled board must stay inside it, and never spend longer on one target
// than walking the board and the stall allowance take, so every demo ends.

#include <sys/mman.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "core/board.h"
#include "core/demo.h"
#include "core/moves.h"

namespace {

int g_file = -1;
std::string g_path;

void initialise() {
    g_file = ::memfd_create("moves", 0);
    if (g_file < 0) std::abort();
    g_path = "/proc/self/fd/" + std::to_string(g_file);
}

bool isSeparator(unsigned char c) {
    return c == ',' || c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A token is an integer when it is an optional sign and digits whose value fits in 32 bits.
bool parseToken(const std::string& token, long long& value) {
    std::size_t at = token.size() > 0 && (token[0] == '+' || token[0] == '-') ? 1 : 0;
    if (at == token.size()) return false;
    const bool negative = token[0] == '-';
    long long magnitude = 0;
    for (; at < token.size(); ++at) {
        if (!std::isdigit(static_cast<unsigned char>(token[at]))) return false;
        magnitude = std::min(magnitude * 10 + (token[at] - '0'), 1LL << 40);
    }
    value = negative ? -magnitude : magnitude;
    return value >= INT_MIN && value <= INT_MAX;
}

std::vector<std::pair<int, int>> referencePairs(const std::string& text) {
    std::vector<long long> numbers;
    std::size_t at = 0;
    for (;;) {
        while (at < text.size() && isSeparator(static_cast<unsigned char>(text[at]))) ++at;
        if (at == text.size()) break;
        std::size_t end = at;
        while (end < text.size() && !isSeparator(static_cast<unsigned char>(text[end]))) ++end;
        long long value = 0;
        if (!parseToken(text.substr(at, end - at), value)) break;
        numbers.push_back(value);
        at = end;
    }
    std::vector<std::pair<int, int>> pairs;
    for (std::size_t i = 0; i + 1 < numbers.size(); i += 2)
        pairs.emplace_back(static_cast<int>(numbers[i]), static_cast<int>(numbers[i + 1]));
    return pairs;
}

// The pairs as the game reads them: the first at the start, each further one as the keeper reaches the
// target before it; the file is used up one step after the last.
void checkReading(const std::vector<std::pair<int, int>>& expected) {
    DemoState demo;
    demo.targetX = demo.targetY = 12345;
    startDemoScript(demo, g_path.c_str());
    if (expected.empty()) {
        if (!demoScriptAtEnd(demo) || demo.targetX != 12345 || demo.targetY != 12345) std::abort();
        closeDemoScript(demo);
        return;
    }
    Player player;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (demo.targetX != expected[i].first || demo.targetY != expected[i].second) std::abort();
        player.x = demo.targetX;
        player.y = demo.targetY;
        const DemoEnd end = runDemoStep(demo, player, false, false).end;
        if (end != (i + 1 == expected.size() ? DemoEnd::ScriptEnded : DemoEnd::None)) std::abort();
    }
    closeDemoScript(demo);
}

// A room of 8 x 6 cells inside walls, with two boxes, the keeper at (2, 2).
void buildRoom(Board& board, Player& player) {
    for (int x = 0; x < 10; ++x) {
        for (int y = 0; y < 8; ++y)
            board.cells[x][y] = (x == 0 || y == 0 || x == 9 || y == 7) ? Cell::Wall : Cell::Floor;
    }
    board.cells[5][5] = Cell::Wall;
    board.boxes[0] = Box{kBoxActive, 4, 3};
    board.boxes[1] = Box{kBoxActive, 6, 4};
    player.x = 2;
    player.y = 2;
}

void checkSteering(std::size_t pairCount) {
    constexpr double kFrameSeconds = 0.05;
    constexpr int kTicksPerFrame = 3;  // 60 ticks a second
    // A target is reached after at most one walk across the board, a glide of 10 ticks a step; an
    // unreachable one ends the demo after the stall allowance. Each frame counts a little extra for the
    // rounding of the clock.
    constexpr int kMaxFramesPerTarget =
        static_cast<int>((kBoardWidth + kBoardHeight) * 10.0 / kTicksPerFrame +
                         kDemoStallSeconds / kFrameSeconds) +
        8;
    Board board;
    Player player;
    buildRoom(board, player);
    DemoState demo;
    demo.demoMode = true;
    startDemoScript(demo, g_path.c_str());
    int framesOnTarget = 0;
    std::size_t targets = 1;
    double now = 0.0;
    for (int frame = 0; frame < 4000 && targets <= pairCount; ++frame, now += kFrameSeconds) {
        const int targetX = demo.targetX;
        const int targetY = demo.targetY;
        const DemoStep step = runDemoStep(demo, player, false, false, DemoClock{now, false});
        if (step.end != DemoEnd::None) break;
        if (demo.targetX != targetX || demo.targetY != targetY ||
            (player.x == targetX && player.y == targetY)) {
            framesOnTarget = 0;
            ++targets;
        }
        if (++framesOnTarget > kMaxFramesPerTarget) std::abort();
        if (step.direction) tryMove(board, player, *step.direction);
        for (int tick = 0; tick < kTicksPerFrame; ++tick) {
            settlePlayer(player);
            settleBoxes(board);
        }
        if (player.x < 1 || player.x > 8 || player.y < 1 || player.y > 6) std::abort();
    }
    closeDemoScript(demo);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (g_file < 0) initialise();
    if (::ftruncate(g_file, 0) != 0) std::abort();
    if (size > 0 && ::pwrite(g_file, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    const std::vector<std::pair<int, int>> expected =
        referencePairs(std::string(reinterpret_cast<const char*>(data), size));
    checkReading(expected);
    checkSteering(expected.size());
    return 0;
}
