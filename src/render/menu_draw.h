#pragma once

#include "layout/menu_view.h"
#include "layout/window_settings.h"
#include "render/graphics.h"

// The menu's drawing, over the finished game frame: only what the menu's frame laid out, so that the
// dialogue's rules run and are tested without OpenGL.

// Each line centred on the window at its height, in the font given (the menu always uses the large one),
// white or grey as laid out.
void drawMenu(const MenuView& view, const BitmapFont& font, const WindowSettings& window);

// The presenter's hook for the open menu.
void drawMenuFrame(Graphics& graphics, const WindowSettings& window, const MenuView& view);
