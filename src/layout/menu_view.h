#pragma once

#include <string>

// What the menu shows this frame, as its frame laid it out: lines at their own heights, each centred on
// the window or standing at its own left edge, in the large font or, for the level chooser's lists, the
// small one.
constexpr int kMaxMenuLines = 32;

enum class MenuFont { Large, Small };

struct MenuLine {
    std::string text;
    float y = 0.0f;      // window pixels, upward from the bottom edge
    float left = -1.0f;  // window pixels from the left edge; negative: centred
    MenuFont font = MenuFont::Large;
    float red = 1.0f;  // the colour: white, or grey (0.4) for the main page's items not selected
    float green = 1.0f;
    float blue = 1.0f;
};

// A dark translucent panel behind a page of lines that fill the window (the level chooser's lists), so
// the small font stays legible over the board, the HUD and the mini-map. Window pixels.
constexpr float kMenuPanelOpacity = 0.7f;
struct MenuPanel {
    bool shown = false;
    float left = 0.0f;
    float bottom = 0.0f;
    float right = 0.0f;
    float top = 0.0f;
};

struct MenuView {
    MenuPanel panel;
    MenuLine lines[kMaxMenuLines];
    int lineCount = 0;
};
