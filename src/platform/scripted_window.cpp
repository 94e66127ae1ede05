#include "platform/scripted_window.h"

#include <algorithm>
#include <vector>

#include "platform/frame_input.h"
#include "platform/pad_sampling.h"
#include "platform/window.h"
#include "platform/window_events.h"

namespace {

enum class EventKind { Key, Close, Char, Resize, Cursor, Button, Pad };

struct ScheduledEvent {
    double time;
    EventKind kind;
    int a;
    int b;
    double x = 0.0;  // the pointer's position, for Cursor
    double y = 0.0;
    PadState pad{};  // for Pad
};

struct ScriptedState {
    ScriptedWindowRecord record;
    bool failInit = false;
    bool failOpen = false;
    const char* failureText = "";  // the library's words for the scripted failure
    const char* lastError = "";
    int desktopWidth = 1920;
    int desktopHeight = 1080;
    double now = 0.0;
    double awake = 0.0;  // what the test advanced the clock by: the program's own time
    bool keys[KEY_LAST + 1] = {};
    bool keyPressed[KEY_LAST + 1] = {};  // since the last sample
    double cursorX = 0.0;
    double cursorY = 0.0;
    bool buttons[kMouseButtonCount] = {};
    bool buttonPressed[kMouseButtonCount] = {};
    PadState pad;
    PadSampling padSampling;
    ScriptedWindowRecord windowed;       // the window's place and size before it went full screen
    std::vector<ScheduledEvent> events;  // kept in time order
    std::function<void()> onPoll;
    std::function<void()> onSwap;
    bool (*extensionQuery)(const char*) = nullptr;
    int (*grantSamples)(int) = nullptr;
};

ScriptedState g_scripted;

void schedule(const ScheduledEvent& event) {
    auto& events = g_scripted.events;
    const auto at = std::upper_bound(events.begin(), events.end(), event.time,
                                     [](double time, const ScheduledEvent& e) { return time < e.time; });
    events.insert(at, event);
}

void apply(const ScheduledEvent& event) {
    switch (event.kind) {
        case EventKind::Key:
            scriptedSetKey(event.a, event.b != 0);
            break;
        case EventKind::Close:
            reportCloseRequest();  // like a real window, it stays open until the program closes it
            break;
        case EventKind::Char:
            reportChar(static_cast<unsigned int>(event.a), event.b != 0);
            break;
        case EventKind::Cursor:
            scriptedSetCursor(event.x, event.y);
            break;
        case EventKind::Button:
            scriptedSetButton(event.a, event.b != 0);
            break;
        case EventKind::Pad:
            scriptedSetPad(event.pad);
            break;
        case EventKind::Resize:
            g_scripted.record.windowWidth = event.a;
            g_scripted.record.windowHeight = event.b;
            reportSize(event.a, event.b);
            break;
    }
}

}  // namespace

void scriptedReset() {
    g_scripted = ScriptedState{};
    resetWindowEvents();
}

const ScriptedWindowRecord& scriptedRecord() {
    return g_scripted.record;
}

void scriptedFailInit(bool fail, const char* libraryText) {
    g_scripted.failInit = fail;
    g_scripted.failureText = libraryText;
}

void scriptedFailOpen(bool fail, const char* libraryText) {
    g_scripted.failOpen = fail;
    g_scripted.failureText = libraryText;
}

void scriptedSetDesktopSize(int width, int height) {
    g_scripted.desktopWidth = width;
    g_scripted.desktopHeight = height;
}

void scriptedGrantSamples(int (*grant)(int requested)) {
    g_scripted.grantSamples = grant;
}

void scriptedSetKey(int key, bool down) {
    if (key < 0 || key > KEY_LAST) return;
    bool* const keys = g_scripted.keys;
    if (down && !keys[key] && reportKeyPress(key, keys[KEY_LALT] || keys[KEY_RALT]))
        g_scripted.keyPressed[key] = true;
    if (!down && keys[key]) reportKeyRelease(key);
    keys[key] = down;
}

void scriptedSetCursor(double x, double y) {
    g_scripted.cursorX = x;
    g_scripted.cursorY = y;
}

void scriptedSetButton(int button, bool down) {
    if (button < 0 || button >= kMouseButtonCount) return;
    if (down && !g_scripted.buttons[button]) g_scripted.buttonPressed[button] = true;
    g_scripted.buttons[button] = down;
}

void scriptedSetPad(const PadState& pad) {
    g_scripted.pad = pad;
}

void scriptedAdvanceTime(double seconds) {
    g_scripted.now += seconds;
    g_scripted.awake += seconds;
}

void scriptedKeyAt(double time, int key, bool down) {
    schedule({time, EventKind::Key, key, down ? 1 : 0});
}

void scriptedCursorAt(double time, double x, double y) {
    schedule({time, EventKind::Cursor, 0, 0, x, y});
}

void scriptedButtonAt(double time, int button, bool down) {
    schedule({time, EventKind::Button, button, down ? 1 : 0});
}

void scriptedPadAt(double time, const PadState& pad) {
    ScheduledEvent event{time, EventKind::Pad, 0, 0};
    event.pad = pad;
    schedule(event);
}

void scriptedCloseAt(double time) {
    schedule({time, EventKind::Close, 0, 0});
}

void scriptedCharAt(double time, int code, bool repeat) {
    schedule({time, EventKind::Char, code, repeat ? 1 : 0});
}

void scriptedResizeAt(double time, int width, int height) {
    schedule({time, EventKind::Resize, width, height});
}

void scriptedOnPoll(std::function<void()> hook) {
    g_scripted.onPoll = std::move(hook);
}

void scriptedOnSwap(std::function<void()> hook) {
    g_scripted.onSwap = std::move(hook);
}

void scriptedSetExtensionQuery(bool (*query)(const char* name)) {
    g_scripted.extensionQuery = query;
}

bool platformInit() {
    g_scripted.record.initialised = !g_scripted.failInit;
    g_scripted.lastError = g_scripted.failInit ? g_scripted.failureText : "";
    return !g_scripted.failInit;
}

const char* platformLastError() {
    return g_scripted.lastError;
}

void platformTerminate() {
    g_scripted.record.initialised = false;
    g_scripted.record.windowOpen = false;
    resetWindowEvents();
}

bool platformOpenWindow(const WindowRequest& request) {
    if (g_scripted.failOpen) {
        g_scripted.lastError = g_scripted.failureText;
        return false;
    }
    ScriptedWindowRecord& record = g_scripted.record;
    record.windowOpen = true;
    record.windowWidth = request.width;
    record.windowHeight = request.height;
    record.samples =
        g_scripted.grantSamples != nullptr ? g_scripted.grantSamples(request.samples) : request.samples;
    ++record.windowsOpened;
    record.title = request.title;
    return true;
}

void platformCloseWindow() {
    g_scripted.record.windowOpen = false;
}

int platformWindowSamples() {
    return g_scripted.record.windowOpen ? g_scripted.record.samples : 0;
}

void platformSetWindowTitle(const char* title) {
    g_scripted.record.title = title;
}

void platformSetWindowIcon(int width, int height, const unsigned char*) {
    g_scripted.record.iconWidth = width;
    g_scripted.record.iconHeight = height;
}

void platformSetWindowPos(int x, int y) {
    g_scripted.record.windowX = x;
    g_scripted.record.windowY = y;
}

void platformGetWindowSize(int& width, int& height) {
    width = g_scripted.record.windowWidth;
    height = g_scripted.record.windowHeight;
}

void platformSetWindowSize(int width, int height) {
    scriptedResizeAt(g_scripted.now, width, height);
}

void platformGetDesktopSize(int& width, int& height) {
    width = g_scripted.desktopWidth;
    height = g_scripted.desktopHeight;
}

void platformSetFullScreen(bool fullScreen) {
    ScriptedWindowRecord& record = g_scripted.record;
    if (!record.windowOpen || fullScreen == record.fullScreen) return;
    record.fullScreen = fullScreen;
    ++record.fullScreenSwitches;
    if (fullScreen) {
        g_scripted.windowed = record;
        record.windowX = 0;
        record.windowY = 0;
        record.windowWidth = g_scripted.desktopWidth;
        record.windowHeight = g_scripted.desktopHeight;
    } else {
        record.windowX = g_scripted.windowed.windowX;
        record.windowY = g_scripted.windowed.windowY;
        record.windowWidth = g_scripted.windowed.windowWidth;
        record.windowHeight = g_scripted.windowed.windowHeight;
    }
    reportSize(record.windowWidth, record.windowHeight);
}

bool platformFullScreen() {
    return g_scripted.record.fullScreen;
}

void platformSwapInterval(int interval) {
    g_scripted.record.swapInterval = interval;
}

bool platformExtensionSupported(const char* name) {
    return g_scripted.extensionQuery != nullptr && g_scripted.extensionQuery(name);
}

void platformSetCloseCallback(CloseCallback callback) {
    installCloseCallback(callback);
}

void platformSetSizeCallback(SizeCallback callback) {
    const ScriptedWindowRecord& record = g_scripted.record;
    installSizeCallback(callback, record.windowOpen, record.windowWidth, record.windowHeight);
}

void platformSetCharCallback(CharCallback callback) {
    installCharCallback(callback);
    g_scripted.record.charCallbackInstalled = callback != nullptr;
}

void platformSetKeyRepeat(bool enabled) {
    setKeyRepeat(enabled);
    g_scripted.record.keyRepeat = enabled;
}

bool platformKeyDown(int key) {
    return key >= 0 && key <= KEY_LAST && g_scripted.keys[key] && !keyHeldBack(key);
}

void platformPollEvents() {
    ++g_scripted.record.polls;
    auto& events = g_scripted.events;
    while (!events.empty() && events.front().time <= g_scripted.now) {
        const ScheduledEvent event = events.front();
        events.erase(events.begin());
        apply(event);
    }
    if (g_scripted.onPoll) g_scripted.onPoll();
}

void platformSampleInput(FrameInput& input) {
    const int typedChar = input.typedChar;
    input = FrameInput{};
    input.typedChar = typedChar;
    input.time = g_scripted.now;
    for (int key = 0; key <= KEY_LAST; ++key) {
        input.held[key] = platformKeyDown(key);
        input.pressed[key] = g_scripted.keyPressed[key];
        g_scripted.keyPressed[key] = false;
    }
    input.altEnterPressed = takeAltEnterPress();
    input.cursorX = g_scripted.cursorX;
    input.cursorY = g_scripted.cursorY;
    for (int button = 0; button < kMouseButtonCount; ++button) {
        input.buttonHeld[button] = g_scripted.buttons[button];
        input.buttonPressed[button] = g_scripted.buttonPressed[button];
        g_scripted.buttonPressed[button] = false;
    }
    input.pad = samplePad(g_scripted.padSampling, g_scripted.pad);
}

bool platformPadButtonDown(int button) {
    return button >= 0 && button < kPadButtonCount && g_scripted.pad.connected && g_scripted.pad.held[button];
}

void platformFlushDrawing() {
    g_scripted.record.lastFlushAt = g_scripted.now;
}

void platformSwapBuffers() {
    ++g_scripted.record.swaps;
    if (g_scripted.onSwap) g_scripted.onSwap();
    platformPollEvents();
}

double platformTime() {
    return g_scripted.now;
}

void platformSleep(double seconds) {
    if (seconds <= 0.0) return;
    g_scripted.now += seconds;
    g_scripted.record.sleptSeconds += seconds;
}

double platformAwakeTime() {
    return g_scripted.awake;
}
