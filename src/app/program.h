#pragma once

#include "app/game.h"

// Start-up in its fixed order: the window and OpenGL state, the resources, the light and the data
// directories. False when the window could not be opened; the program then ends with status 0.
bool startProgram(Game& game);

// Shutdown: the textures, the window and the demo file are released.
void shutdownProgram(Game& game);

// The whole run; the exit status.
int runProgram();
