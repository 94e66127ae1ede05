#include "app/loop_input.h"

#include "app/window_callbacks.h"
#include "platform/window.h"

namespace {

void runReleaseWait(InputFeed& feed, int key, double intervalSeconds) {
    while (platformKeyDown(key)) {
        platformSleep(intervalSeconds);
        platformPollEvents();
    }
    resampleLoopInput(feed);
}

void pollOnceMore(InputFeed& feed) {
    platformPollEvents();
    resampleLoopInput(feed);
}

void useUpTypedChar(InputFeed&) {
    lastTypedChar = 0;
}

constexpr InputActions kLoopActions{runReleaseWait, pollOnceMore, useUpTypedChar};

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
