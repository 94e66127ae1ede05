#pragma once

// The title's prompt blinks: shown 0.4 s, hidden 0.2 s, on the timer's seconds.
struct TitleBlink {
    float hiddenUntil = 0.0f;  // seconds on the timer; the prompt shows once the timer is past it
    bool promptShown = false;  // this frame's decision, which the title's picture shows
};

// Once per title frame, before it is drawn.
void stepTitleBlink(TitleBlink& blink, double now);
