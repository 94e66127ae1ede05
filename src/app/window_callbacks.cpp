#include "app/window_callbacks.h"

#include "platform/window.h"

bool quitRequested = false;
std::int32_t lastTypedChar = 0;
WindowSettings windowSettings;

void charCallback(int code, int action) {
    if (action == ACTION_PRESS && code >= 32 && code <= 122) lastTypedChar = code;
}

int closeCallback() {
    quitRequested = true;
    return 0;  // the window stays open; the game loop closes it in its shutdown
}

void sizeCallback(int width, int height) {
    windowSettings.width = static_cast<std::uint32_t>(width < 0 ? 0 : width);
    windowSettings.height = static_cast<std::uint32_t>(height < 0 ? 0 : height);
    windowSettings.resized = true;
}
