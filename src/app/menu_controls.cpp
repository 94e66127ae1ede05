#include "app/menu_controls.h"

#include <algorithm>

void moveSelection(int& selection, int count, InputFeed& feed) {
    if (controlDown(feed.now, kMenuUp)) {
        --selection;
        waitForControlRelease(feed, kMenuUp, kReleaseWaitSeconds);
    }
    if (controlDown(feed.now, kMenuDown)) {
        ++selection;
        waitForControlRelease(feed, kMenuDown, kReleaseWaitSeconds);
    }
    selection = std::max(std::min(selection, count), 1);
}
