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

void drawGameFrame(Game& game) {
    drawScene(windowSettings, game.graphics, game.scene, game.light, game.board, game.player, game.levelEnd);
    HudText text;
    text.profileName = &game.profile.name;
    text.steps = game.player.steps;
    text.level = game.player.level;
    text.demoMode = game.demo.demoMode;
    text.allLevelsSolved = game.board.notFound != 0 && game.player.level > 1;
    drawHud(windowSettings, game.graphics, game.board, game.scene, text, game.scroll, game.levelEnd);
}

// The credits, the prompt that blinks 0.4 s on and 0.2 s off, and the logo over them.
void drawTitleFrame(Game& game) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    printCentredSmall(game, kProgrammingCredit, 40.0f, 1.0f, 1.0f, 1.0f);
    printCentredSmall(game, kMusicCredit, 20.0f, 1.0f, 1.0f, 1.0f);
    const double now = platformTime();
    if (now > game.titleBlinkTime) {
        if (now >= game.titleBlinkTime + kPromptShownSeconds) {
            game.titleBlinkTime = static_cast<float>(now + kPromptHiddenSeconds);
        }
        printCentredSmall(game, kTitlePrompt, 0.0f, 1.0f, 1.0f, 0.0f);
    }
    drawImageOverlay(windowSettings, game.graphics.textures.names[TEX_LOGO], 1.0f);
}

}  // namespace

void installPresenter(Game& game) {
    game.presenter.drawGameFrame = drawGameFrame;
    game.presenter.drawTitleFrame = drawTitleFrame;
    game.presenter.drawMenuFrame = drawMenuFrame;
}
