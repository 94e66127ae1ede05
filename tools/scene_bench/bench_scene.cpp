#include "bench_scene.h"

#include <GL/gl.h>

#include <cstdio>

#include "core/level_file.h"
#include "game/scene_pose.h"
#include "game/scene_prepare.h"
#include "platform/window.h"
#include "render/font.h"
#include "render/model_draw.h"
#include "render/presenter.h"
#include "render/shadows.h"
#include "render/textures.h"
#include "render/window_setup.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

namespace {

WindowSettings* g_benchWindow = nullptr;

int ignoreClose() {
    return 0;
}

void followSize(int width, int height) {
    if (g_benchWindow == nullptr) return;
    g_benchWindow->width = static_cast<std::uint32_t>(width);
    g_benchWindow->height = static_cast<std::uint32_t>(height);
    g_benchWindow->resized = true;
}

void loadLevelText(BenchScene& bench, const char* rows) {
    const std::string text = std::string("bench\n\n") + rows;
    std::FILE* file = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    bench.state.player.level = 1;
    loadLevelFromFile(bench.state.board, bench.state.player, file);
    std::fclose(file);
    clearBoxHeights(bench.state.levelEnd);
    prepareLevelScene(bench.state.scene, bench.state.board, bench.state.player, bench.state.light,
                      bench.state.random);
}

}  // namespace

bool openBenchWindow(BenchScene& bench) {
    g_benchWindow = &bench.window;
    bench.state.random.seed(12345);  // the same crate turns in every run
    if (!openWindow(bench.window, ignoreClose, followSize)) return false;
    loadTextures(bench.graphics.textures);
    loadMapIcons(bench.graphics.icons);
    buildFonts(bench.graphics);
    ModelTables& models = bench.graphics.models;
    for (int slot = 0; slot < kSceneryModelCount; ++slot)
        models.scenery[slot] = loadModel(kSceneryModelFiles[slot]);
    buildSceneryLists(bench.graphics);
    for (int n = 0; n < kWalkFrameCount; ++n) models.walkFrames[n] = loadModel(walkFramePath(n));
    for (int n = 1; n <= kPushFrameCount; ++n) models.pushFrames[n - 1] = loadModel(pushFramePath(n));
    initLights(bench.state.light);
    bench.graphics.shadowFinishList = buildShadowFinishList();
    return true;
}

bool resizeBenchWindow(BenchScene& bench, int width, int height) {
    const auto reached = [&] {
        return bench.window.width == static_cast<std::uint32_t>(width) &&
               bench.window.height == static_cast<std::uint32_t>(height);
    };
    platformSetWindowPos(0, 0);  // wholly on the screen, so that showing a frame costs what it would
    platformSetWindowSize(width, height);
    for (int wait = 0; wait < 200 && !reached(); ++wait) {
        platformSleep(0.01);
        platformPollEvents();
    }
    // The driver takes the drawable's new size at a buffer swap: the frame before it still has the old one.
    platformSwapBuffers();
    return reached();
}

void buildLargestLevel(BenchScene& bench) {
    // Rows of 32: a wall round the edge, inner wall runs, 32 boxes and 32 goals, the keeper in the middle.
    static const char* const kRows =
        "################################\n"
        "#  $   .    #        .   $     #\n"
        "#    ####   #   $  ####    .   #\n"
        "# $  #  .   #      #   $   #   #\n"
        "#    #   $  ####   #  .    #   #\n"
        "#  . #      #   $  #     $ # . #\n"
        "#    ###  ###   .  ###  ####   #\n"
        "#  $      .   #        $     . #\n"
        "#   .  $      #  ##    .   $   #\n"
        "#      ###### #  ##  ####      #\n"
        "# $  .     #   $   .    #  $ . #\n"
        "#          #       @    #      #\n"
        "#   $   .  #  $  .   $  #  .   #\n"
        "#   ####   #####    #####   $  #\n"
        "# .    #      $  .   #    .    #\n"
        "#   $  #  .   ###    #  $    . #\n"
        "#      #   $    #  . #      $  #\n"
        "#  .   ###      # $  ###  .    #\n"
        "#    $      .   #         $  . #\n"
        "#  ####   $   ######   .  ###  #\n"
        "#     #  .      $   #    $  .  #\n"
        "# $ . #    $        #          #\n"
        "#     #             #          #\n"
        "################################\n";
    loadLevelText(bench, kRows);
}

void buildEdgeLevel(BenchScene& bench) {
    static const char* const kRows =
        "  ######\n"
        "###    #\n"
        "#  $ . #\n"
        "# $@ . #\n"
        "#  ### #\n"
        "####  ##\n";
    loadLevelText(bench, kRows);
}

void drawBenchScene(BenchScene& bench, ScenePath path) {
    GameState& state = bench.state;
    settleScenePose(state.scene, state.light, state.board, state.player, state.levelEnd);
    beginScenePicture(bench.graphics, bench.window);
    drawScene(bench.window, bench.graphics, state.scene, state.light, state.board, path);
    showScenePicture(bench.graphics, bench.window, state.scroll);
}

void drawBenchFrame(BenchScene& bench) {
    GameState& state = bench.state;
    settleScenePose(state.scene, state.light, state.board, state.player, state.levelEnd);
    drawGameFrame(bench.graphics, bench.window, state, SessionNotes{}, false);
}

void settleCamera(BenchScene& bench) {
    startGameEye(bench.state.scene, bench.state.player);
    resetGameLookAt(bench.state.scene);
    for (int tick = 0; tick < 2000; ++tick)
        updateSceneTick(bench.state.scene, bench.state.player, bench.state.board, {});
}

FrameReadback readFrame(const WindowSettings& window) {
    FrameReadback frame;
    const std::size_t pixels = static_cast<std::size_t>(window.width) * window.height;
    frame.colour.resize(pixels * 4);
    frame.stencil.resize(pixels);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, static_cast<GLsizei>(window.width), static_cast<GLsizei>(window.height), GL_RGBA,
                 GL_UNSIGNED_BYTE, frame.colour.data());
    glReadPixels(0, 0, static_cast<GLsizei>(window.width), static_cast<GLsizei>(window.height),
                 GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, frame.stencil.data());
    return frame;
}

bool writePng(const char* path, const WindowSettings& window, const std::vector<unsigned char>& rgba) {
    const int width = static_cast<int>(window.width);
    const int height = static_cast<int>(window.height);
    // What the screen shows: colour without the alpha channel, the top row first (OpenGL reads bottom-up).
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t from = (static_cast<std::size_t>(height - 1 - y) * width + x) * 4;
            const std::size_t to = (static_cast<std::size_t>(y) * width + x) * 3;
            for (int c = 0; c < 3; ++c) rgb[to + c] = rgba[from + c];
        }
    }
    return stbi_write_png(path, width, height, 3, rgb.data(), width * 3) != 0;
}
