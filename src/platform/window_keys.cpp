#include "platform/window_keys.h"

#include <GLFW/glfw3.h>

#include "platform/window.h"

namespace {

struct KeyPair {
    int game;
    int glfw;
};

constexpr KeyPair kSpecialKeys[] = {
    {KEY_ESC, GLFW_KEY_ESCAPE},
    {KEY_F11, GLFW_KEY_F11},
    {KEY_UP, GLFW_KEY_UP},
    {KEY_DOWN, GLFW_KEY_DOWN},
    {KEY_LEFT, GLFW_KEY_LEFT},
    {KEY_RIGHT, GLFW_KEY_RIGHT},
    {KEY_LSHIFT, GLFW_KEY_LEFT_SHIFT},
    {KEY_RSHIFT, GLFW_KEY_RIGHT_SHIFT},
    {KEY_LCTRL, GLFW_KEY_LEFT_CONTROL},
    {KEY_RCTRL, GLFW_KEY_RIGHT_CONTROL},
    {KEY_LALT, GLFW_KEY_LEFT_ALT},
    {KEY_RALT, GLFW_KEY_RIGHT_ALT},
    {KEY_TAB, GLFW_KEY_TAB},
    {KEY_ENTER, GLFW_KEY_ENTER},
    {KEY_BACKSPACE, GLFW_KEY_BACKSPACE},
    {KEY_KP_ENTER, GLFW_KEY_KP_ENTER},
    {KEY_PAGEUP, GLFW_KEY_PAGE_UP},
    {KEY_PAGEDOWN, GLFW_KEY_PAGE_DOWN},
    {KEY_HOME, GLFW_KEY_HOME},
    {KEY_END, GLFW_KEY_END},
};

}  // namespace

int glfwKeyForGameKey(int gameKey) {
    // Printable keys share their number in both schemes (upper-case ASCII, space 32).
    if (gameKey == GLFW_KEY_SPACE || gameKey == GLFW_KEY_APOSTROPHE ||
        (gameKey >= GLFW_KEY_COMMA && gameKey <= GLFW_KEY_9) || gameKey == GLFW_KEY_SEMICOLON ||
        gameKey == GLFW_KEY_EQUAL || (gameKey >= GLFW_KEY_A && gameKey <= GLFW_KEY_RIGHT_BRACKET) ||
        gameKey == GLFW_KEY_GRAVE_ACCENT) {
        return gameKey;
    }
    for (const KeyPair& pair : kSpecialKeys) {
        if (pair.game == gameKey) return pair.glfw;
    }
    return -1;
}

int gameKeyForGlfwKey(int glfwKey) {
    if (glfwKey < 0) return -1;
    for (int gameKey = 0; gameKey <= KEY_LAST; ++gameKey) {
        if (glfwKeyForGameKey(gameKey) == glfwKey) return gameKey;
    }
    return -1;
}
