#include "game/input.h"

void waitForRelease(InputFeed& feed, int key, double intervalSeconds) {
    if (feed.actions != nullptr && feed.actions->waitForRelease != nullptr)
        feed.actions->waitForRelease(feed, key, intervalSeconds);
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

std::optional<Direction> arrowKeyRequest(const FrameInput& input) {
    std::optional<Direction> requested;
    if (input.held[KEY_RIGHT]) requested = Direction::Right;
    if (input.held[KEY_LEFT]) requested = Direction::Left;
    if (input.held[KEY_UP]) requested = Direction::Up;
    if (input.held[KEY_DOWN]) requested = Direction::Down;
    return requested;
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
