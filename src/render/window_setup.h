#pragma once

#include "game/scene_state.h"
#include "layout/window_settings.h"
#include "platform/window.h"

constexpr const char* kWindowTitle = "TARMELO 3D";
constexpr int kMultisampleCount = 2;  // the most samples the window accepts; none when only more are offered

// Opens the window, centres it on the desktop, installs the close and size callbacks and sets the OpenGL
// state that holds for the whole run. False when the windowing library or the window cannot be started
// (after "Failed to initialize GLFW!" and a second's wait for the former; either way followed by the
// library's own reason on a line of its own); the program then ends with status 0.
bool openWindow(WindowSettings& settings, CloseCallback onClose, SizeCallback onSize);

// Start of every game-loop frame: the viewport, and after a resize the projection. A window of height 0
// (minimised) keeps its previous projection: its aspect would be a division by zero.
void refreshProjection(WindowSettings& settings);

// The driver's name for the renderer of the current context (as "llvmpipe (LLVM 15.0.6, 256 bits)");
// null when it gives none.
const char* rendererName();

// Light 0 with its start values, lighting on.
void initLights(LightSettings& light);

// Where the window goes so that it stands in the middle of the desktop: each difference halved and
// rounded to the nearest integer, halves to even. May be negative on a desktop smaller than the window.
struct WindowPosition {
    int x;
    int y;
};
WindowPosition centredWindowPosition(int desktopWidth, int desktopHeight, int windowWidth, int windowHeight);

// width / height in double precision, stored as float; false for a zero height.
bool windowAspect(const WindowSettings& settings, float& aspect);
