#include "platform/window_events.h"

namespace {

struct WindowEvents {
    CloseCallback onClose = nullptr;
    SizeCallback onSize = nullptr;
    CharCallback onChar = nullptr;
    bool keyRepeat = false;
    bool enterHeldBack = false;    // Enter went down with Alt and is not up yet
    bool altEnterPressed = false;  // since the last takeAltEnterPress
};

WindowEvents g_events;

// The character range the game's interface delivers: printable ASCII and Latin-1 upwards.
bool isDeliveredCharacter(unsigned int codepoint) {
    return codepoint >= 32 && (codepoint <= 126 || codepoint >= 160);
}

}  // namespace

void resetWindowEvents() {
    g_events = WindowEvents{};
}

void installCloseCallback(CloseCallback callback) {
    g_events.onClose = callback;
}

bool reportCloseRequest() {
    return g_events.onClose == nullptr || g_events.onClose() != 0;
}

void installSizeCallback(SizeCallback callback, bool windowOpen, int width, int height) {
    g_events.onSize = callback;
    if (callback != nullptr && windowOpen) callback(width, height);
}

void reportSize(int width, int height) {
    if (g_events.onSize != nullptr) g_events.onSize(width, height);
}

void installCharCallback(CharCallback callback) {
    g_events.onChar = callback;
}

bool charCallbackInstalled() {
    return g_events.onChar != nullptr;
}

void setKeyRepeat(bool enabled) {
    g_events.keyRepeat = enabled;
}

bool keyRepeatEnabled() {
    return g_events.keyRepeat;
}

void reportChar(unsigned int codepoint, bool fromRepeat) {
    if (g_events.onChar == nullptr) return;
    if (fromRepeat && !g_events.keyRepeat) return;
    if (!isDeliveredCharacter(codepoint)) return;
    g_events.onChar(static_cast<int>(codepoint), ACTION_PRESS);
}

bool reportKeyPress(int gameKey, bool altDown) {
    if (gameKey != KEY_ENTER || !altDown) return true;
    g_events.enterHeldBack = true;
    g_events.altEnterPressed = true;
    return false;
}

void reportKeyRelease(int gameKey) {
    if (gameKey == KEY_ENTER) g_events.enterHeldBack = false;
}

bool keyHeldBack(int gameKey) {
    return gameKey == KEY_ENTER && g_events.enterHeldBack;
}

bool takeAltEnterPress() {
    const bool pressed = g_events.altEnterPressed;
    g_events.altEnterPressed = false;
    return pressed;
}
