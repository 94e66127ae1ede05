#pragma once

#include <string>

#include "app/game.h"

// Start-up in its fixed order: the window and OpenGL state, the resources, the light and the data
// directories; the game is handed the GL resources and the renderer's presenter. False when the window could
// not be opened; the program then ends with status 0. A collection path (empty for none) is chosen for play
// after the profile dialogue.
bool startProgram(Game& game, Graphics& graphics, const std::string& collectionPath);

// Shutdown: the textures, the window and the demo file are released.
void shutdownProgram(Game& game, Graphics& graphics);

// The whole run, with the collection named on the command line (empty for none); the exit status.
int runProgram(const std::string& collectionPath);
