#include "game/input.h"

void waitForRelease(InputFeed& feed, int key, double intervalSeconds) {
    if (feed.actions != nullptr && feed.actions->waitForRelease != nullptr)
        feed.actions->waitForRelease(feed, key, intervalSeconds);
}

void waitForPadRelease(InputFeed& feed, int button, double intervalSeconds) {
    if (feed.actions != nullptr && feed.actions->waitForPadRelease != nullptr)
        feed.actions->waitForPadRelease(feed, button, intervalSeconds);
}

void pollAgain(InputFeed& feed) {
    if (feed.actions != nullptr && feed.actions->pollAgain != nullptr) feed.actions->pollAgain(feed);
}

int takeTypedChar(InputFeed& feed) {
    const int typed = feed.now.typedChar;
    if (typed == 0) return 0;
    feed.now.typedChar = 0;
    if (feed.actions != nullptr && feed.actions->takeTypedChar != nullptr) feed.actions->takeTypedChar(feed);
    return typed;
}

bool controlDown(const FrameInput& input, const Control& control) {
    if (input.held[control.key]) return true;
    for (int button = 0; button < kPadButtonCount; ++button) {
        if ((control.padButtons & padButtonBit(button)) != 0 && input.pad.held[button]) return true;
    }
    return false;
}

void waitForControlRelease(InputFeed& feed, const Control& control, double intervalSeconds) {
    if (feed.now.held[control.key]) waitForRelease(feed, control.key, intervalSeconds);
    for (int button = 0; button < kPadButtonCount; ++button) {
        if ((control.padButtons & padButtonBit(button)) != 0 && feed.now.pad.held[button])
            waitForPadRelease(feed, button, intervalSeconds);
    }
}

std::optional<Direction> heldDirection(bool up, bool down, bool left, bool right) {
    std::optional<Direction> requested;
    if (right) requested = Direction::Right;
    if (left) requested = Direction::Left;
    if (up) requested = Direction::Up;
    if (down) requested = Direction::Down;
    return requested;
}

std::optional<Direction> arrowKeyRequest(const FrameInput& input) {
    return heldDirection(input.held[KEY_UP], input.held[KEY_DOWN], input.held[KEY_LEFT],
                         input.held[KEY_RIGHT]);
}

bool undoKeyDown(const FrameInput& input) {
    return input.held[KEY_U] || input.held[KEY_BACKSPACE];
}

bool redoKeyDown(const FrameInput& input) {
    return input.held[KEY_Y];
}

void toggleOnPress(InputFeed& feed, int key, bool& flag) {
    if (!feed.now.held[key]) return;
    flag = !flag;
    waitForRelease(feed, key, kShortReleaseWaitSeconds);
}
