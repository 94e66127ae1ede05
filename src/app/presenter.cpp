#include "app/presenter.h"

#include <GL/gl.h>

#include "app/keyboard.h"
#include "app/menu_draw.h"
#include "platform/window.h"
#include "render/font.h"
#include "render/hud.h"
#include "render/scene_draw.h"

namespace {

// The credit lines of the title screen; the fixed openings are the game's own.
constexpr const char* kProgrammingCredit = "Programming by the TARMELO 3D team";
constexpr const char* kMusicCredit = "Music by the TARMELO 3D team";
constexpr const char* kTitlePrompt = "Press the space-bar to start the game!";
constexpr double kPromptShownSeconds = 0.4;
constexpr double kPromptHiddenSeconds = 0.2;

void printCentredSmall(const Game& game, const char* text, float y, float red, float green, float blue) {
    const BitmapFont& font = game.graphics.smallFont;
    printText(font, text, centredTextX(text, windowSettings, font.halfAdvance), y, red, green, blue,
              windowSettings);
}

template <typename T>
void appendBytes(std::vector<unsigned char>& out, const T& value) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof value);
}

// Everything the board's picture (scene and HUD) is drawn from. While the menu is open no tick runs, so
// these stay as they are and the picture with them; any difference means drawing it afresh.
void boardPictureInputs(const Game& game, std::vector<unsigned char>& out) {
    out.clear();
    appendBytes(out, windowSettings.width);
    appendBytes(out, windowSettings.height);
    appendBytes(out, game.board);
    const Player& player = game.player;
    for (const std::int32_t value : {player.x, player.y, player.steps, player.level, player.facing}) {
        appendBytes(out, value);
    }
    appendBytes(out, player.offsetX);
    appendBytes(out, player.offsetZ);
    out.insert(out.end(), game.profile.name.begin(), game.profile.name.end());
    out.push_back(0);
    const SceneState& scene = game.scene;
    appendBytes(out, scene.boxMatrices);
    appendBytes(out, scene.extentX);
    appendBytes(out, scene.extentY);
    appendBytes(out, scene.levelLight);
    appendBytes(out, scene.lightFollowsKeeper);
    appendBytes(out, scene.shadowsOn);
    appendBytes(out, scene.zoom);
    appendBytes(out, scene.eye);
    appendBytes(out, scene.lookAt);
    appendBytes(out, scene.keeperPosition);
    appendBytes(out, scene.walkFrame);
    appendBytes(out, scene.pulse);
    appendBytes(out, game.levelEnd);
    appendBytes(out, game.light);
    appendBytes(out, game.scroll);
    appendBytes(out, game.demo.demoMode);
}

void drawBoardPicture(Game& game) {
    drawScene(windowSettings, game.graphics, game.scene, game.light, game.board, game.player, game.levelEnd);
    HudText text;
    text.profileName = &game.profile.name;
    text.steps = game.player.steps;
    text.level = game.player.level;
    text.demoMode = game.demo.demoMode;
    text.allLevelsSolved = game.board.notFound != 0 && game.player.level > 1;
    drawHud(windowSettings, game.graphics, game.board, game.scene, text, game.scroll, game.levelEnd);
}

// The scene and the HUD. Behind the open menu, once the logo has faded, the picture is kept and shown again
// for as long as nothing it is drawn from changes.
void drawGameFrame(Game& game) {
    if (!game.menuOpen || game.levelEnd.fade > 0.0f) {
        game.boardBehindMenu.valid = false;
        drawBoardPicture(game);
        return;
    }
    boardPictureInputs(game, game.boardPictureScratch);
    if (fitsWindow(game.boardBehindMenu, windowSettings) &&
        game.boardPictureScratch == game.boardBehindMenuInputs) {
        replayFrame(game.boardBehindMenu, windowSettings);
        return;
    }
    drawBoardPicture(game);
    // Drawing may settle the keeper's pose (standing at a crate): the inputs are taken again afterwards.
    boardPictureInputs(game, game.boardBehindMenuInputs);
    storeFrame(game.boardBehindMenu, windowSettings);
}

// The credits, the prompt that blinks 0.4 s on and 0.2 s off, and the logo over them. The two pictures
// (prompt shown, prompt hidden) are drawn once each and then shown again.
void drawTitleFrame(Game& game) {
    const double now = platformTime();
    const bool promptShown = now > game.titleBlinkTime;
    if (promptShown && now >= game.titleBlinkTime + kPromptShownSeconds) {
        game.titleBlinkTime = static_cast<float>(now + kPromptHiddenSeconds);
    }
    FrameCache& cache = game.titleFrames[promptShown ? 1 : 0];
    if (fitsWindow(cache, windowSettings)) {
        replayFrame(cache, windowSettings);
        return;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    printCentredSmall(game, kProgrammingCredit, 40.0f, 1.0f, 1.0f, 1.0f);
    printCentredSmall(game, kMusicCredit, 20.0f, 1.0f, 1.0f, 1.0f);
    if (promptShown) printCentredSmall(game, kTitlePrompt, 0.0f, 1.0f, 1.0f, 0.0f);
    drawImageOverlay(windowSettings, game.graphics.textures.names[TEX_LOGO], 1.0f);
    storeFrame(cache, windowSettings);
}

}  // namespace

void installPresenter(Game& game) {
    game.presenter.drawGameFrame = drawGameFrame;
    game.presenter.drawTitleFrame = drawTitleFrame;
    game.presenter.drawMenuFrame = drawMenuFrame;
}
