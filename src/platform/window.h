#pragma once

// The windowing layer the game is written against: one window with an OpenGL context, the keyboard as key
// state plus typed characters, a timer and a sleep. It keeps the behaviour of the interface the game's key
// tables were written for:
//  - keys are numbered as below (special keys from 256 up; printable keys by their upper-case ASCII code);
//  - key state is as of the last event poll; a press and release between two polls is not seen;
//  - Enter pressed while Alt is down is the full-screen switch, never Enter: that press reads as up until
//    Enter is released, even once Alt is let go first (platform/window_events.h);
//  - the close callback only reports the request: the window stays open when it returns 0;
//  - the size callback also fires once, at once, when it is installed;
//  - typed characters arrive through a callback with (code, action), held-key repeats only while key repeat
//    is enabled;
//  - a buffer swap also polls events, so callbacks run inside it too.
// Everything runs on the calling thread. Two implementations exist: over GLFW 3 for the game, and a scripted
// one for tests (platform/scripted_window.h).

constexpr int KEY_SPACE = 32;
constexpr int KEY_L = 76;
constexpr int KEY_M = 77;
constexpr int KEY_P = 80;
constexpr int KEY_S = 83;
constexpr int KEY_U = 85;
constexpr int KEY_W = 87;
constexpr int KEY_Y = 89;
constexpr int KEY_ESC = 257;
constexpr int KEY_F11 = 268;
constexpr int KEY_UP = 283;
constexpr int KEY_DOWN = 284;
constexpr int KEY_LEFT = 285;
constexpr int KEY_RIGHT = 286;
constexpr int KEY_LSHIFT = 287;
constexpr int KEY_RSHIFT = 288;
constexpr int KEY_LCTRL = 289;
constexpr int KEY_RCTRL = 290;
constexpr int KEY_LALT = 291;
constexpr int KEY_RALT = 292;
constexpr int KEY_TAB = 293;
constexpr int KEY_ENTER = 294;
constexpr int KEY_BACKSPACE = 295;
constexpr int KEY_PAGEUP = 298;
constexpr int KEY_PAGEDOWN = 299;
constexpr int KEY_HOME = 300;
constexpr int KEY_END = 301;
constexpr int KEY_KP_ENTER = 318;  // a key of its own: never reported as Enter
constexpr int KEY_LAST = 325;

constexpr int ACTION_RELEASE = 0;
constexpr int ACTION_PRESS = 1;

struct WindowRequest {
    int width = 800;
    int height = 600;
    int redBits = 8;
    int greenBits = 8;
    int blueBits = 8;
    int alphaBits = 8;
    int depthBits = 24;
    int stencilBits = 8;
    int samples = 0;  // multisampling; 0 for none
    const char* title = "";
};

using CloseCallback = int (*)();  // return 0 to keep the window open
using SizeCallback = void (*)(int width, int height);
using CharCallback = void (*)(int code, int action);

bool platformInit();
void platformTerminate();  // closes the window, if any, and ends the library
// The windowing library's own words for its latest failure ("" when it reported none since the last
// platformInit): why the library could not start, or why a window or its context could not be made.
const char* platformLastError();

bool platformOpenWindow(const WindowRequest& request);
void platformCloseWindow();   // the window and its context; the library stays up
int platformWindowSamples();  // multisampling the window's framebuffer has (0: none)
void platformSetWindowTitle(const char* title);
// The picture the desktop shows for the window (task bar, switcher): 8-bit RGBA pixels, top row first.
void platformSetWindowIcon(int width, int height, const unsigned char* pixels);
void platformSetWindowPos(int x, int y);
void platformGetWindowSize(int& width, int& height);
void platformSetWindowSize(int width, int height);  // the size callback reports the size the window gets
void platformGetDesktopSize(int& width, int& height);
// Full screen on the monitor that holds most of the window, at that monitor's own resolution; back in a
// window, the window's size and place from before. The size callback reports the new size either way.
// Asking for the mode the window is already in changes nothing.
void platformSetFullScreen(bool fullScreen);
bool platformFullScreen();
void platformSwapInterval(int interval);
bool platformExtensionSupported(const char* name);

void platformSetCloseCallback(CloseCallback callback);
void platformSetSizeCallback(SizeCallback callback);
void platformSetCharCallback(CharCallback callback);  // nullptr removes it
void platformSetKeyRepeat(bool enabled);

bool platformKeyDown(int key);
void platformPollEvents();
// Sends the frame's drawing on to the renderer without waiting for it. Called before a frame's closing
// sleep: a software renderer, which otherwise starts drawing only when the buffers are swapped, then draws
// while the program sleeps.
void platformFlushDrawing();
void platformSwapBuffers();

double platformTime();  // seconds since platformInit
void platformSleep(double seconds);
// Seconds since platformInit not spent in platformSleep: the program's own work, waits for the display
// included. The difference over a stretch of the program is how long its work took there.
double platformAwakeTime();
