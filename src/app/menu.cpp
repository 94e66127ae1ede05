#include "app/menu.h"

#include "app/keyboard.h"
#include "platform/window.h"

// Until the profile dialogue exists, Enter stands in for a successful login: it closes the menu.
void runMenuFrame(Game& game) {
    if (!game.menuEntered) {
        game.menuEntered = true;
        pauseSong(game.audio);
        platformSetCharCallback(charCallback);
        platformSetKeyRepeat(true);
    }
    if (platformKeyDown(KEY_ENTER)) {
        game.menuOpen = false;
        waitForRelease(KEY_ENTER, kReleaseWaitSeconds);
    }
    if (!game.menuOpen) {
        game.menuEntered = false;
        resumeSong(game.audio);
        platformSetCharCallback(nullptr);
        platformSetKeyRepeat(false);
    }
}
