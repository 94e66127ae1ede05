#pragma once

// Translation between the game's key numbers (platform/window.h) and GLFW 3's. The two overlap: GLFW 3's
// Enter is 257, the game's Escape is 257. Every key goes through this one table.

// The GLFW 3 key for a game key, or -1 when the game key has none.
int glfwKeyForGameKey(int gameKey);

// The game key for a GLFW 3 key, or -1 when the game has none for it.
int gameKeyForGlfwKey(int glfwKey);
