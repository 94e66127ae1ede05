#include "app/program.h"

#include <GL/gl.h>

#include <chrono>
#include <memory>
#include <string>

#include "app/keyboard.h"
#include "app/outer_loop.h"
#include "app/presenter.h"
#include "platform/window.h"
#include "profiles/data_directory.h"
#include "render/font.h"
#include "render/hud.h"
#include "render/model_draw.h"
#include "render/shadows.h"
#include "render/textures.h"
#include "render/window_setup.h"

namespace {

void showInitialisingScreen(const Game& game) {
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawImageOverlay(windowSettings, game.graphics.textures.names[TEX_LOGO], 1.0f);
    printText(game.graphics.smallFont, "Initializing, Please Wait.",
              static_cast<float>(windowSettings.width / 2 - 104),
              static_cast<float>(windowSettings.height) / 4.0f, 1.0f, 1.0f, 1.0f, windowSettings);
    platformSwapBuffers();
}

// Shown after each walk frame is loaded: 0, 6, 13, ... 100 percent.
void showLoadingScreen(const Game& game, int percent) {
    glClear(GL_COLOR_BUFFER_BIT);
    drawImageOverlay(windowSettings, game.graphics.textures.names[TEX_LOGO], 1.0f);
    const float y = static_cast<float>(windowSettings.height) / 4.0f;
    printText(game.graphics.smallFont, "Loading, Please Wait.",
              static_cast<float>(windowSettings.width / 2 - 84), y, 1.0f, 1.0f, 1.0f, windowSettings);
    const std::string text = std::to_string(percent) + "%";
    printText(game.graphics.smallFont, text.c_str(), centredTextX(text.c_str(), windowSettings, 4), y - 20.0f,
              1.0f, 1.0f, 1.0f, windowSettings);
    platformSwapBuffers();
}

void loadModels(Game& game) {
    ModelTables& models = game.graphics.models;
    for (int slot = 0; slot < kSceneryModelCount; ++slot)
        models.scenery[slot] = loadModel(kSceneryModelFiles[slot]);
    buildSceneryLists(game.graphics);
    for (int number = 0; number < kWalkFrameCount; ++number) {
        models.walkFrames[number] = loadModel(walkFramePath(number));
        showLoadingScreen(game, number * 100 / (kWalkFrameCount - 1));
    }
    for (int number = 1; number <= kPushFrameCount; ++number) {
        models.pushFrames[number - 1] = loadModel(pushFramePath(number));
    }
}

}  // namespace

bool startProgram(Game& game) {
    game.random.seed(
        static_cast<std::mt19937::result_type>(std::chrono::steady_clock::now().time_since_epoch().count()));
    if (!openWindow(windowSettings, closeCallback, sizeCallback)) return false;
    platformSetWindowTitle(kWindowTitle);

    loadTextures(game.graphics.textures);
    loadMapIcons(game.graphics.icons);
    buildFonts(game.graphics);
    initAudio(game.audio);

    showInitialisingScreen(game);
    loadSamples(game.audio);
    loadModels(game);

    initLights(game.light);
    glViewport(0, 0, static_cast<GLsizei>(windowSettings.width), static_cast<GLsizei>(windowSettings.height));
    game.graphics.shadowFinishList = buildShadowFinishList();

    game.profile = ProfileSession{};
    game.profile.dataDirectory = dataDirectory();
    makeDataDirectories(game.profile.dataDirectory);

    installPresenter(game);
    return true;
}

void shutdownProgram(Game& game) {
    deleteTextures(game.graphics.textures);
    platformTerminate();
    closeDemoScript(game.demo);
}

int runProgram() {
    // Too large for the stack: the scene keeps a matrix for every cell, the tables hold every model.
    auto game = std::make_unique<Game>();
    if (!startProgram(*game)) return 0;
    runOuterLoop(*game);
    shutdownProgram(*game);
    return 0;
}
