#pragma once

#include "game/input.h"

// The loops' side of the input: they sample the devices once per frame into a feed, and run the waits and
// the extra poll the rules ask for, exactly as the game always has (sleep the interval, poll events, until
// the key or the pad's button is up), sampling the input again after each.

// A feed with this frame's input and the loop's actions.
InputFeed sampleLoopInput();

// Samples the feed's input again (after events were polled).
void resampleLoopInput(InputFeed& feed);
