#pragma once

#include <string>

// What the menu shows this frame, as its frame laid it out: at most three lines, each centred on the window
// at its own height.
constexpr int kMaxMenuLines = 3;

struct MenuLine {
    std::string text;
    float y = 0.0f;           // window pixels, upward from the bottom edge
    float brightness = 1.0f;  // grey level: 1.0 white, 0.4 for the items not selected
};

struct MenuView {
    MenuLine lines[kMaxMenuLines];
    int lineCount = 0;
};
