#include "app/frame_pacing.h"

#include <algorithm>

#include "platform/window.h"

double frameSleepAfter(double workSeconds) {
    return std::max(kMinFrameSleepSeconds, kFrameSleepSeconds - std::max(0.0, workSeconds));
}

FrameStart startFrame() {
    return {platformAwakeTime()};
}

void sleepRestOfFrame(const FrameStart& start) {
    platformSleep(frameSleepAfter(platformAwakeTime() - start.awakeSeconds));
}
