#pragma once

#include "layout/window_settings.h"

// Flat drawing in window pixels over whatever the 3D picture set up. The 2D operations save both matrices,
// draw with one unit per pixel and the origin at the lower-left corner, and restore them, so the caller's
// projection and camera come back intact.

// Pushes the projection and the modelview matrix, in that order, loading identity into each; the
// modelview matrix is current afterwards.
void pushIdentityMatrices();

// Pops the projection, then the modelview matrix; the modelview matrix is current afterwards.
void popMatrices();

// Multiplies the current matrix by the orthographic mapping of the window's pixels (depth -1 to 1).
void pixelOrtho(const WindowSettings& window);
