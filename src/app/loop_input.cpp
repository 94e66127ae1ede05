#include "app/loop_input.h"

#include "app/window_callbacks.h"
#include "platform/frame_input.h"
#include "platform/window.h"

namespace {

// Sleeps the interval and polls events while the key or pad button is down, then samples again.
void waitWhileDown(InputFeed& feed, bool (*down)(int), int which, double intervalSeconds) {
    while (down(which)) {
        platformSleep(intervalSeconds);
        platformPollEvents();
    }
    resampleLoopInput(feed);
}

void runReleaseWait(InputFeed& feed, int key, double intervalSeconds) {
    waitWhileDown(feed, platformKeyDown, key, intervalSeconds);
}

void runPadReleaseWait(InputFeed& feed, int button, double intervalSeconds) {
    waitWhileDown(feed, platformPadButtonDown, button, intervalSeconds);
}

void pollOnceMore(InputFeed& feed) {
    platformPollEvents();
    resampleLoopInput(feed);
}

void useUpTypedChar(InputFeed&) {
    lastTypedChar = 0;
}

constexpr InputActions kLoopActions{runReleaseWait, pollOnceMore, useUpTypedChar, runPadReleaseWait};

}  // namespace

void resampleLoopInput(InputFeed& feed) {
    platformSampleInput(feed.now);
    feed.now.typedChar = lastTypedChar;
}

InputFeed sampleLoopInput() {
    InputFeed feed;
    feed.actions = &kLoopActions;
    resampleLoopInput(feed);
    return feed;
}
