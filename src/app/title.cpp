#include "app/title.h"

#include "platform/window.h"

void showTitle(Game& game, double deadline) {
    for (;;) {
        if (game.presenter.drawTitleFrame != nullptr) game.presenter.drawTitleFrame(game);
        platformSleep(kFrameSleepSeconds);
        platformSwapBuffers();
        if (platformTime() >= deadline) {
            game.demo.demoMode = true;
            return;
        }
        if (platformKeyDown(KEY_SPACE)) return;
    }
}
