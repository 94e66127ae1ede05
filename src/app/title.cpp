#include "app/title.h"

#include "app/frame_pacing.h"
#include "app/window_callbacks.h"
#include "game/title_blink.h"
#include "platform/window.h"

void showTitle(Game& game, double deadline) {
    for (;;) {
        const FrameStart start = startFrame();
        stepTitleBlink(game.state.title, platformTime());
        if (game.presenter.drawTitleFrame != nullptr)
            game.presenter.drawTitleFrame(*game.graphics, windowSettings, game.state.title.promptShown);
        platformFlushDrawing();
        sleepRestOfFrame(start);
        platformSwapBuffers();
        if (platformTime() >= deadline) {
            game.state.demo.demoMode = true;
            return;
        }
        if (platformKeyDown(KEY_SPACE)) return;
    }
}
