#pragma once

#include <random>
#include <vector>

#include "game/game_state.h"
#include "layout/window_settings.h"
#include "render/graphics.h"
#include "render/scene_draw.h"

// A real window with the game's resources and a fixed scene, for the benchmark and for the comparison of
// the two ways the scene can be drawn. Runs in the game directory (the data is found relative to it).

struct BenchScene {
    WindowSettings window;
    Graphics graphics;
    GameState state;
};

// Opens the window and loads textures, fonts and models as start-up does. False without a display.
bool openBenchWindow(BenchScene& bench);

// Gives the window another client size and waits (up to two seconds) until the size callback has reported
// it; false when the window did not get it (a screen too small for it, say).
bool resizeBenchWindow(BenchScene& bench, int width, int height);

// The largest legal level: 32 x 24, walls all round, inner walls, 32 boxes, the keeper in the middle.
void buildLargestLevel(BenchScene& bench);
// A small level whose right and bottom edges are in view.
void buildEdgeLevel(BenchScene& bench);

// The camera at rest above the keeper (as after a few seconds of play).
void settleCamera(BenchScene& bench);

// The scene's pose for the next frame, as the game's step settles it, then the 3D picture.
void drawBenchScene(BenchScene& bench, ScenePath path = ScenePath::Fast);

// The game's frame in play, as the game draws it: the scene with its shadows, then the HUD over it (no
// profile name, the state's counters).
void drawBenchFrame(BenchScene& bench);

// The colour and stencil buffers after a frame.
struct FrameReadback {
    std::vector<unsigned char> colour;  // RGBA
    std::vector<unsigned char> stencil;
};
FrameReadback readFrame(const WindowSettings& window);

bool writePng(const char* path, const WindowSettings& window, const std::vector<unsigned char>& rgba);
