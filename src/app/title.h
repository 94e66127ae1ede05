#pragma once

#include "app/game.h"

// The title screen: frames until Space (or the pad's A or Start) is pressed or the demo deadline (seconds on
// the timer) passes; in the second case demoMode is set. The deadline is tested before the keys at the end
// of every frame.
void showTitle(Game& game, double deadline);
