#include "app/program.h"

#include <GL/gl.h>

#include <chrono>
#include <memory>

#include "app/keyboard.h"
#include "app/outer_loop.h"
#include "platform/window.h"
#include "profiles/data_directory.h"
#include "render/window_setup.h"

namespace {

// Stands in for the renderer until it exists: every frame is a cleared screen.
void clearFrame(Game&) {
    refreshProjection(windowSettings);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

}  // namespace

bool startProgram(Game& game) {
    game.random.seed(
        static_cast<std::mt19937::result_type>(std::chrono::steady_clock::now().time_since_epoch().count()));
    if (!openWindow(windowSettings, closeCallback, sizeCallback)) return false;
    platformSetWindowTitle(kWindowTitle);

    initLights(game.light);
    glViewport(0, 0, static_cast<GLsizei>(windowSettings.width), static_cast<GLsizei>(windowSettings.height));

    game.profile = ProfileSession{};
    game.profile.dataDirectory = dataDirectory();
    makeDataDirectories(game.profile.dataDirectory);

    game.presenter.drawGameFrame = clearFrame;
    game.presenter.drawTitleFrame = clearFrame;
    return true;
}

void shutdownProgram(Game& game) {
    platformTerminate();
    closeDemoScript(game.demo);
}

int runProgram() {
    // Too large for the stack: the scene keeps a matrix for every cell.
    auto game = std::make_unique<Game>();
    if (!startProgram(*game)) return 0;
    runOuterLoop(*game);
    shutdownProgram(*game);
    return 0;
}
