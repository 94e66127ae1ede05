#include <GLFW/glfw3.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "platform/frame_input.h"
#include "platform/pad_sampling.h"
#include "platform/window.h"
#include "platform/window_events.h"
#include "platform/window_keys.h"

// The windowing layer over GLFW 3. GLFW 3 differs from what the game expects in four ways: key numbers
// (translated here through one table), the close callback (GLFW 3 closes unless vetoed), the size callback
// (GLFW 3 does not call it on installation) and character repeat (GLFW 3 always repeats). The last three
// are the shared rules of platform/window_events.h, which this layer reports its events through. A pad is
// read through GLFW's gamepad mappings, by the shared rule of platform/pad_sampling.h.

namespace {

// The one window of the program; touched only on the main thread.
struct WindowState {
    GLFWwindow* window = nullptr;
    bool lastKeyWasRepeat = false;  // the character that follows a repeated key event is a repeat too
    double sleptSeconds = 0.0;      // as measured by the timer, oversleeping included
    // Presses since the last sample, by game key and mouse button: a tap shorter than a frame still counts.
    bool keyPressed[KEY_LAST + 1] = {};
    bool buttonPressed[kMouseButtonCount] = {};
    PadSampling pad;
    // The window's place and size before it went full screen, given back when it leaves.
    int windowedX = 0;
    int windowedY = 0;
    int windowedWidth = 0;
    int windowedHeight = 0;
};

WindowState g_state;

// GLFW's gamepad buttons in the order of the game's pad buttons.
constexpr int kGlfwPadButtons[] = {GLFW_GAMEPAD_BUTTON_A,           GLFW_GAMEPAD_BUTTON_B,
                                   GLFW_GAMEPAD_BUTTON_X,           GLFW_GAMEPAD_BUTTON_Y,
                                   GLFW_GAMEPAD_BUTTON_BACK,        GLFW_GAMEPAD_BUTTON_START,
                                   GLFW_GAMEPAD_BUTTON_LEFT_BUMPER, GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER,
                                   GLFW_GAMEPAD_BUTTON_DPAD_UP,     GLFW_GAMEPAD_BUTTON_DPAD_DOWN,
                                   GLFW_GAMEPAD_BUTTON_DPAD_LEFT,   GLFW_GAMEPAD_BUTTON_DPAD_RIGHT};
static_assert(sizeof kGlfwPadButtons / sizeof kGlfwPadButtons[0] == kPadButtonCount,
              "a GLFW button for every pad button");

// The first joystick GLFW has a gamepad mapping for, looked for afresh at every read: a pad plugged in or
// pulled out is taken or dropped at the next read, without a word. (GLFW notices the change in its event
// poll.)
PadState readPad() {
    PadState pad;
    GLFWgamepadstate state;
    for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick) {
        if (glfwJoystickIsGamepad(joystick) != GLFW_TRUE ||
            glfwGetGamepadState(joystick, &state) != GLFW_TRUE)
            continue;
        pad.connected = true;
        for (int button = 0; button < kPadButtonCount; ++button)
            pad.held[button] = state.buttons[kGlfwPadButtons[button]] == GLFW_PRESS;
        pad.stickX = state.axes[GLFW_GAMEPAD_AXIS_LEFT_X];
        pad.stickY = state.axes[GLFW_GAMEPAD_AXIS_LEFT_Y];
        break;
    }
    return pad;
}

// GLFW's text for its latest error. The callback may run before initialisation and outlives a terminate,
// so it is kept apart from the window's state.
char g_lastError[256] = "";

void handleError(int, const char* description) {
    std::snprintf(g_lastError, sizeof g_lastError, "%s", description != nullptr ? description : "");
}

void handleClose(GLFWwindow* window) {
    if (!reportCloseRequest()) glfwSetWindowShouldClose(window, GLFW_FALSE);
}

void handleSize(GLFWwindow*, int width, int height) {
    reportSize(width, height);
}

void handleKey(GLFWwindow*, int key, int, int action, int mods) {
    if (action == GLFW_PRESS) g_state.lastKeyWasRepeat = false;
    if (action == GLFW_REPEAT) g_state.lastKeyWasRepeat = true;
    const int gameKey = gameKeyForGlfwKey(key);
    if (gameKey < 0) return;
    if (action == GLFW_RELEASE) reportKeyRelease(gameKey);
    if (action == GLFW_PRESS && reportKeyPress(gameKey, (mods & GLFW_MOD_ALT) != 0))
        g_state.keyPressed[gameKey] = true;
}

// The monitor that holds the largest part of the window; the primary one when none does.
GLFWmonitor* monitorOfWindow(GLFWwindow* window) {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    glfwGetWindowPos(window, &x, &y);
    glfwGetWindowSize(window, &width, &height);
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    GLFWmonitor* best = glfwGetPrimaryMonitor();
    long bestArea = 0;
    for (int i = 0; i < count; ++i) {
        const GLFWvidmode* mode = glfwGetVideoMode(monitors[i]);
        if (mode == nullptr) continue;
        int left = 0;
        int top = 0;
        glfwGetMonitorPos(monitors[i], &left, &top);
        const long across = std::min(x + width, left + mode->width) - std::max(x, left);
        const long down = std::min(y + height, top + mode->height) - std::max(y, top);
        if (across > 0 && down > 0 && across * down > bestArea) {
            bestArea = across * down;
            best = monitors[i];
        }
    }
    return best;
}

void handleMouseButton(GLFWwindow*, int button, int action, int) {
    if (action == GLFW_PRESS && button >= 0 && button < kMouseButtonCount)
        g_state.buttonPressed[button] = true;
}

void handleChar(GLFWwindow*, unsigned int codepoint) {
    reportChar(codepoint, g_state.lastKeyWasRepeat);
}

}  // namespace

bool platformInit() {
    g_lastError[0] = '\0';
    glfwSetErrorCallback(handleError);
    return glfwInit() == GLFW_TRUE;
}

const char* platformLastError() {
    return g_lastError;
}

void platformTerminate() {
    glfwTerminate();
    g_state = WindowState{};
    resetWindowEvents();
}

bool platformOpenWindow(const WindowRequest& request) {
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_RED_BITS, request.redBits);
    glfwWindowHint(GLFW_GREEN_BITS, request.greenBits);
    glfwWindowHint(GLFW_BLUE_BITS, request.blueBits);
    glfwWindowHint(GLFW_ALPHA_BITS, request.alphaBits);
    glfwWindowHint(GLFW_DEPTH_BITS, request.depthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, request.stencilBits);
    glfwWindowHint(GLFW_SAMPLES, request.samples);
    // Shown only once it stands where the game puts it.
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    g_state.window = glfwCreateWindow(request.width, request.height, request.title, nullptr, nullptr);
    if (g_state.window == nullptr) return false;
    glfwMakeContextCurrent(g_state.window);
    glfwSetWindowCloseCallback(g_state.window, handleClose);
    glfwSetWindowSizeCallback(g_state.window, handleSize);
    glfwSetKeyCallback(g_state.window, handleKey);
    glfwSetMouseButtonCallback(g_state.window, handleMouseButton);
    glfwSetCharCallback(g_state.window, handleChar);
    return true;
}

void platformCloseWindow() {
    if (g_state.window != nullptr) glfwDestroyWindow(g_state.window);
    g_state.window = nullptr;
}

int platformWindowSamples() {
    if (g_state.window == nullptr) return 0;
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    return samples;
}

void platformSetWindowTitle(const char* title) {
    if (g_state.window != nullptr) glfwSetWindowTitle(g_state.window, title);
}

void platformSetWindowIcon(int width, int height, const unsigned char* pixels) {
    if (g_state.window == nullptr) return;
    GLFWimage image{width, height, const_cast<unsigned char*>(pixels)};  // GLFW only reads the pixels
    glfwSetWindowIcon(g_state.window, 1, &image);
}

void platformSetWindowPos(int x, int y) {
    if (g_state.window == nullptr) return;
    glfwSetWindowPos(g_state.window, x, y);
    glfwShowWindow(g_state.window);
}

void platformGetWindowSize(int& width, int& height) {
    width = height = 0;
    if (g_state.window != nullptr) glfwGetWindowSize(g_state.window, &width, &height);
}

void platformSetWindowSize(int width, int height) {
    if (g_state.window != nullptr) glfwSetWindowSize(g_state.window, width, height);
}

void platformGetDesktopSize(int& width, int& height) {
    width = height = 0;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode == nullptr) return;
    width = mode->width;
    height = mode->height;
}

void platformSetFullScreen(bool fullScreen) {
    GLFWwindow* window = g_state.window;
    if (window == nullptr || fullScreen == platformFullScreen()) return;
    if (!fullScreen) {
        glfwSetWindowMonitor(window, nullptr, g_state.windowedX, g_state.windowedY, g_state.windowedWidth,
                             g_state.windowedHeight, GLFW_DONT_CARE);
        return;
    }
    GLFWmonitor* monitor = monitorOfWindow(window);
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode == nullptr) return;
    glfwGetWindowPos(window, &g_state.windowedX, &g_state.windowedY);
    glfwGetWindowSize(window, &g_state.windowedWidth, &g_state.windowedHeight);
    glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
}

bool platformFullScreen() {
    return g_state.window != nullptr && glfwGetWindowMonitor(g_state.window) != nullptr;
}

void platformSwapInterval(int interval) {
    glfwSwapInterval(interval);
}

bool platformExtensionSupported(const char* name) {
    return glfwExtensionSupported(name) == GLFW_TRUE;
}

void platformSetCloseCallback(CloseCallback callback) {
    installCloseCallback(callback);
}

void platformSetSizeCallback(SizeCallback callback) {
    int width = 0;
    int height = 0;
    if (g_state.window != nullptr) glfwGetWindowSize(g_state.window, &width, &height);
    installSizeCallback(callback, g_state.window != nullptr, width, height);
}

void platformSetCharCallback(CharCallback callback) {
    installCharCallback(callback);
}

void platformSetKeyRepeat(bool enabled) {
    setKeyRepeat(enabled);
}

bool platformKeyDown(int key) {
    const int glfwKey = glfwKeyForGameKey(key);
    return g_state.window != nullptr && glfwKey >= 0 && !keyHeldBack(key) &&
           glfwGetKey(g_state.window, glfwKey) == GLFW_PRESS;
}

void platformPollEvents() {
    glfwPollEvents();
}

void platformSampleInput(FrameInput& input) {
    const int typedChar = input.typedChar;
    input = FrameInput{};
    input.typedChar = typedChar;
    input.time = glfwGetTime();
    if (g_state.window == nullptr) return;
    for (int key = 0; key <= KEY_LAST; ++key) {
        input.held[key] = platformKeyDown(key);
        input.pressed[key] = g_state.keyPressed[key];
        g_state.keyPressed[key] = false;
    }
    input.altEnterPressed = takeAltEnterPress();
    glfwGetCursorPos(g_state.window, &input.cursorX, &input.cursorY);
    for (int button = 0; button < kMouseButtonCount; ++button) {
        input.buttonHeld[button] = glfwGetMouseButton(g_state.window, button) == GLFW_PRESS;
        input.buttonPressed[button] = g_state.buttonPressed[button];
        g_state.buttonPressed[button] = false;
    }
    input.pad = samplePad(g_state.pad, readPad());
}

bool platformPadButtonDown(int button) {
    return g_state.window != nullptr && button >= 0 && button < kPadButtonCount && readPad().held[button];
}

void platformFlushDrawing() {
    if (g_state.window != nullptr) glFlush();
}

void platformSwapBuffers() {
    if (g_state.window != nullptr) glfwSwapBuffers(g_state.window);
    glfwPollEvents();
}

double platformTime() {
    return glfwGetTime();
}

void platformSleep(double seconds) {
    if (seconds <= 0.0) return;
    const double start = glfwGetTime();
    timespec wait{};
    wait.tv_sec = static_cast<time_t>(seconds);
    wait.tv_nsec = static_cast<long>((seconds - static_cast<double>(wait.tv_sec)) * 1e9);
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
    g_state.sleptSeconds += glfwGetTime() - start;
}

double platformAwakeTime() {
    return glfwGetTime() - g_state.sleptSeconds;
}
