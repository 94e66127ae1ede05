// Where a cell of a level shows in the game's window, for the end-to-end tests that play by pointing:
//     cell_pixel LEVEL-FILE NUMBER WIDTH HEIGHT MOVES COLUMN ROW
// MOVES ("-" for none) are played from the level's start, one letter a move as the genre writes them; then
// the game's own ticks settle the camera behind the keeper at its starting height, as a few seconds of play
// leave it. Prints "X Y", the window pixel (from the top-left corner) over the top of what stands on the
// cell: a crate's lid, a wall block's top or the floor. It is the point nearest the middle of that top
// whose pixel, and every pixel kMarginPixels round it, the game's own cursor ray and cell picking take for
// the cell: a crate or a wall block in front hides part of the floor behind it. Within the middle of the
// top only (kSpan), where the marks of play by pointing lie. Exit status 0 when printed, 3 when no such
// point shows (the cell is hidden or outside the picture), 2 on bad arguments, 1 when the level cannot be
// read or a move cannot be made.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/level_end.h"
#include "core/level_file.h"
#include "core/moves.h"
#include "core/solution_check.h"
#include "game/cell_picking.h"
#include "game/scene_pose.h"
#include "game/scene_prepare.h"
#include "layout/cursor_ray.h"
#include "support/project_to_cursor.h"

namespace {

constexpr int kSettleTicks = 2000;  // over half a minute of the game's clock: the eye eases 1/64 a tick
constexpr float kSpan = 0.3f;       // of a cell either way of its middle: the target marks' half width
constexpr int kSpanSteps = 6;       // points tried per half span
constexpr double kMarginPixels = 4.0;

struct Level {
    Board board;
    Player player;
};

bool readLevel(const char* path, int number, Level& level) {
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) return false;
    level.player.level = number;
    loadLevelFromFile(level.board, level.player, file);
    std::fclose(file);
    return level.board.notFound == 0;
}

// Every move glides to its end before the next, as the game refuses a move during a glide.
bool playMoves(Level& level, SceneState& scene, const std::string& moves) {
    for (const char letter : moves) {
        const std::optional<Direction> direction = moveLetterDirection(letter);
        if (!direction || !tryMove(level.board, level.player, *direction).moved) return false;
        while (isPlayerGliding(level.player) || isAnyBoxGliding(level.board))
            updateSceneTick(scene, level.player, level.board, {});
    }
    return true;
}

float topOf(const Level& level, const SceneState& scene, int column, int row) {
    const int box = findBox(level.board, column, row);
    if (box >= 0) return scene.boxMatrices[box].m[13] + 2.0f * kCrateHalfSize;
    return isWall(level.board, column, row) ? 1.0f : 0.0f;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 8) {
        std::fprintf(stderr, "usage: %s LEVEL-FILE NUMBER WIDTH HEIGHT MOVES COLUMN ROW\n", argv[0]);
        return 2;
    }
    const int number = std::atoi(argv[2]);
    WindowSettings window;
    window.width = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
    window.height = static_cast<std::uint32_t>(std::strtoul(argv[4], nullptr, 10));
    const std::string moves = std::string(argv[5]) == "-" ? "" : argv[5];
    const int column = std::atoi(argv[6]);
    const int row = std::atoi(argv[7]);
    if (number < 1 || window.width == 0 || window.height == 0 || !isInsideGrid(column, row)) return 2;
    window.aspect = static_cast<float>(static_cast<double>(window.width) / window.height);

    Level level;
    if (!readLevel(argv[1], number, level)) {
        std::fprintf(stderr, "no level %d in %s\n", number, argv[1]);
        return 1;
    }
    SceneState scene;
    LightSettings light;
    std::mt19937 random(1);
    prepareLevelScene(scene, level.board, level.player, light, random);
    startGameEye(scene, level.player);
    resetGameLookAt(scene);
    if (!playMoves(level, scene, moves)) {
        std::fprintf(stderr, "the moves %s cannot be made on level %d\n", moves.c_str(), number);
        return 1;
    }
    for (int tick = 0; tick < kSettleTicks; ++tick) updateSceneTick(scene, level.player, level.board, {});
    const LevelEnd levelEnd{};
    settleScenePose(scene, light, level.board, level.player, levelEnd);

    const float height = topOf(level, scene, column, row);
    const auto pickedHere = [&](double x, double y) {
        const std::optional<Ray> ray = cursorRay(window, scene.eye, scene.lookAt, x, y);
        const std::optional<PickedCell> picked = ray ? pickCell(*ray, scene, level.board) : std::nullopt;
        return picked && picked->x == column && picked->y == row;
    };
    // The points of the top's middle, nearest its centre first.
    std::vector<std::pair<int, int>> offsets;
    for (int u = -kSpanSteps; u <= kSpanSteps; ++u) {
        for (int v = -kSpanSteps; v <= kSpanSteps; ++v) offsets.emplace_back(u, v);
    }
    std::stable_sort(offsets.begin(), offsets.end(), [](auto a, auto b) {
        return a.first * a.first + a.second * a.second < b.first * b.first + b.second * b.second;
    });
    for (const auto& [u, v] : offsets) {
        const Vec3 point{static_cast<float>(column) + kSpan * static_cast<float>(u) / kSpanSteps, height,
                         static_cast<float>(row) + kSpan * static_cast<float>(v) / kSpanSteps};
        const std::optional<testing_support::CursorPosition> cursor =
            testing_support::projectToCursor(window, scene, point);
        if (!cursor) continue;
        const double x = std::round(cursor->x);
        const double y = std::round(cursor->y);
        bool clear = true;
        for (int dx = -1; dx <= 1 && clear; ++dx) {
            for (int dy = -1; dy <= 1 && clear; ++dy)
                clear = pickedHere(x + kMarginPixels * dx, y + kMarginPixels * dy);
        }
        if (!clear) continue;
        std::printf("%.0f %.0f\n", x, y);
        return 0;
    }
    std::fprintf(stderr, "cell (%d, %d) does not show after the moves \"%s\"\n", column, row, moves.c_str());
    return 3;
}
