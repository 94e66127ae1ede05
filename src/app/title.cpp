#include "app/title.h"

#include "app/frame_pacing.h"
#include "app/loop_input.h"
#include "app/player_settings.h"
#include "app/window_callbacks.h"
#include "game/title_blink.h"
#include "platform/window.h"

void showTitle(Game& game, double deadline) {
    for (;;) {
        const FrameStart start = startFrame();
        InputFeed feed = sampleLoopInput();
        stepTitleBlink(game.state.title, feed.now.time);
        if (game.presenter.drawTitleFrame != nullptr)
            game.presenter.drawTitleFrame(*game.graphics, windowSettings, game.state.title.promptShown);
        platformFlushDrawing();
        sleepRestOfFrame(start);
        platformSwapBuffers();
        // The swap read the events: the deadline and Space (or the pad's A or Start) as they stand after it,
        // in that order, after the keys every screen knows.
        resampleLoopInput(feed);
        runSettingsKeys(game, feed.now, false);
        keepSettings(game, feed.now);
        if (feed.now.time >= deadline) {
            game.state.demo.demoMode = true;
            return;
        }
        if (controlDown(feed.now, kTakeOverControl)) return;
    }
}
