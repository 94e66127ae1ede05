#pragma once

#include "layout/menu_view.h"
#include "layout/window_settings.h"
#include "render/graphics.h"

// The menu's drawing, over the finished game frame: only what the menu's frame laid out, so that the
// dialogue's rules run and are tested without OpenGL.

// Each line at its height, centred on the window or from its left edge, in its font and colour.
void drawMenu(const MenuView& view, const BitmapFont& largeFont, const BitmapFont& smallFont,
              const WindowSettings& window);

// The presenter's hook for the open menu.
void drawMenuFrame(Graphics& graphics, const WindowSettings& window, const MenuView& view);
