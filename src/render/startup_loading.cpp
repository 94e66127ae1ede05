#include "render/startup_loading.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "formats/asset_files.h"
#include "formats/tga_image.h"
#include "platform/window.h"
#include "render/font.h"
#include "render/hud.h"
#include "render/model_draw.h"
#include "render/shadows.h"
#include "render/textures.h"
#include "render/window_setup.h"

namespace {

void showLoadingScreen(const Graphics& graphics, const WindowSettings& window, int percent) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);  // the logo tests depth, and nothing has drawn yet
    drawImageOverlay(window, graphics.textures.names[TEX_LOGO], 1.0f);
    const float y = static_cast<float>(window.height) / 4.0f;
    printText(graphics.smallFont, "Loading, Please Wait.", static_cast<float>(window.width / 2 - 84), y, 1.0f,
              1.0f, 1.0f, window);
    const std::string text = std::to_string(percent) + "%";
    printText(graphics.smallFont, text.c_str(), centredTextX(text.c_str(), window, 4), y - 20.0f, 1.0f, 1.0f,
              1.0f, window);
    platformSwapBuffers();
}

}  // namespace

void setWindowIcon() {
    const Image icon = loadTgaImage(kWindowIconFile);
    if (!isImageValid(icon)) return;
    // Images keep the bottom row first, as textures want it; the desktop wants the top row first.
    const std::size_t rowBytes = static_cast<std::size_t>(icon.width) * 4;
    std::vector<std::uint8_t> topFirst(icon.pixels.size());
    for (int row = 0; row < icon.height; ++row)
        std::memcpy(&topFirst[static_cast<std::size_t>(icon.height - 1 - row) * rowBytes],
                    &icon.pixels[static_cast<std::size_t>(row) * rowBytes], rowBytes);
    platformSetWindowIcon(icon.width, icon.height, topFirst.data());
}

void loadImages(Graphics& graphics) {
    loadTextures(graphics.textures);
    loadMapIcons(graphics.icons);
    buildFonts(graphics);
}

void drawInitialisingScreen(const Graphics& graphics, const WindowSettings& window) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);  // the logo tests depth, and nothing has drawn yet
    glColor3f(1.0f, 1.0f, 1.0f);
    drawImageOverlay(window, graphics.textures.names[TEX_LOGO], 1.0f);
    printText(graphics.smallFont, "Initializing, Please Wait.", static_cast<float>(window.width / 2 - 104),
              static_cast<float>(window.height) / 4.0f, 1.0f, 1.0f, 1.0f, window);
}

void showInitialisingScreen(const Graphics& graphics, const WindowSettings& window) {
    drawInitialisingScreen(graphics, window);
    platformSwapBuffers();
}

void loadModels(Graphics& graphics, const WindowSettings& window) {
    ModelTables& models = graphics.models;
    for (int slot = 0; slot < kSceneryModelCount; ++slot)
        models.scenery[slot] = loadModel(kSceneryModelFiles[slot]);
    buildSceneryLists(graphics);
    for (int number = 0; number < kWalkFrameCount; ++number) {
        models.walkFrames[number] = loadModel(walkFramePath(number));
        showLoadingScreen(graphics, window, number * 100 / (kWalkFrameCount - 1));
    }
    for (int number = 1; number <= kPushFrameCount; ++number) {
        models.pushFrames[number - 1] = loadModel(pushFramePath(number));
    }
}

void setUpLightAndShadows(Graphics& graphics, LightSettings& light, const WindowSettings& window) {
    initLights(light);
    glViewport(0, 0, static_cast<GLsizei>(window.width), static_cast<GLsizei>(window.height));
    graphics.shadowFinishList = buildShadowFinishList();
}
