#include "app/program.h"

#include <chrono>
#include <memory>

#include "app/outer_loop.h"
#include "app/player_settings.h"
#include "app/window_callbacks.h"
#include "platform/window.h"
#include "profiles/data_directory.h"
#include "profiles/level_folder.h"
#include "render/menu_draw.h"
#include "render/presenter.h"
#include "render/startup_loading.h"
#include "render/textures.h"
#include "render/window_setup.h"

// The Classic set through the collection reader, for its levels' names in the progress file and the
// chooser's list; play still reads it from its file. A missing set leaves the list empty, as play gets an
// empty board.
void readClassicSet(LevelChoice& choice) {
    readCollectionEntry(choice.entries[0], choice.classic);
}

bool startProgram(Game& game, Graphics& graphics, const std::string& collectionPath) {
    game.state.random.seed(
        static_cast<std::mt19937::result_type>(std::chrono::steady_clock::now().time_since_epoch().count()));
    if (!openWindow(windowSettings, closeCallback, sizeCallback)) return false;
    platformSetWindowTitle(kWindowTitle);
    setWindowIcon();
    game.graphics = &graphics;
    game.presenter.drawGameFrame = drawGameFrame;
    game.presenter.drawTitleFrame = drawTitleFrame;
    game.presenter.drawMenuFrame = drawMenuFrame;
    game.presenter.choosePicture = choosePictureDetail;

    loadImages(graphics);
    initAudio(game.audio);
    // Before the loading screens, which then already show full screen when the player left it so.
    startSettings(game);

    showInitialisingScreen(graphics, windowSettings);
    loadSamples(game.audio);
    loadModels(graphics, windowSettings);
    setUpLightAndShadows(graphics, game.state.light, windowSettings);

    game.session.profile = ProfileSession{};
    game.session.profile.dataDirectory = dataDirectory();
    makeDataDirectories(game.session.profile.dataDirectory);
    makeLevelFolder(game.session.profile.dataDirectory);
    listCollections(game.session.levels, levelFolderPath(game.session.profile.dataDirectory), collectionPath);
    readClassicSet(game.session.levels);
    return true;
}

void shutdownProgram(Game& game, Graphics& graphics) {
    deleteTextures(graphics.textures);
    platformTerminate();
    closeDemoScript(game.state.demo);
}

int runProgram(const std::string& collectionPath) {
    // Too large for the stack: the state keeps a matrix for every cell, the resources hold every model.
    auto game = std::make_unique<Game>();
    auto graphics = std::make_unique<Graphics>();
    if (!startProgram(*game, *graphics, collectionPath)) return 0;
    runOuterLoop(*game);
    shutdownProgram(*game, *graphics);
    return 0;
}
