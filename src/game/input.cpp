#include "game/input.h"

#include "platform/window.h"

void waitForRelease(int key, double intervalSeconds) {
    while (platformKeyDown(key)) {
        platformSleep(intervalSeconds);
        platformPollEvents();
    }
}

std::optional<Direction> arrowKeyRequest() {
    std::optional<Direction> requested;
    if (platformKeyDown(KEY_RIGHT)) requested = Direction::Right;
    if (platformKeyDown(KEY_LEFT)) requested = Direction::Left;
    if (platformKeyDown(KEY_UP)) requested = Direction::Up;
    if (platformKeyDown(KEY_DOWN)) requested = Direction::Down;
    return requested;
}

bool undoKeyDown() {
    return platformKeyDown(KEY_U) || platformKeyDown(KEY_BACKSPACE);
}

void toggleOnPress(int key, bool& flag) {
    if (!platformKeyDown(key)) return;
    flag = !flag;
    waitForRelease(key, kShortReleaseWaitSeconds);
}
