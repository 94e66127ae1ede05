#pragma once

#include "core/board.h"
#include "math/mat4.h"
#include "math/vec.h"

// What the 3D picture is drawn from: the camera, the keeper's animation, the goal glow, the light modes and
// the per-object drawing matrices. Part of the game's state; the ticks and the frame's pose move it, the
// drawing only reads it.

constexpr float kZoomMin = 5.0f;  // camera height limits, world units
constexpr float kZoomMax = 20.0f;
constexpr float kZoomStep = 0.1f;  // per frame while Left Ctrl and Up or Down are held

// Light 0, the scene's one positional light.
struct LightSettings {
    float ambient[4] = {0.01f, 0.01f, 0.01f, 1.0f};
    float diffuse[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float specular[4] = {0.3f, 0.3f, 0.3f, 1.0f};
    float position[4] = {15.5f, 20.0f, 11.5f, 1.0f};  // w = 1: positional
};

struct SceneState {
    Mat4 cellMatrices[kBoardWidth][kBoardHeight];
    Mat4 boxMatrices[kMaxBoxes];
    Mat4 keeperMatrix;
    int extentX = 0;  // largest column holding a wall
    int extentY = 0;  // largest row holding a wall
    Vec4 levelLight{15.5f, 20.0f, 11.5f, 1.0f};
    bool lightFollowsKeeper = false;  // the lamp
    bool shadowsOn = true;
    float zoom = 10.0f;  // height of the camera's resting point
    Vec3 eye;
    Vec3 lookAt;
    Vec3 keeperPosition;
    float walkFrame = 0.0f;  // 0 standing, else 1.0 to 15.0 in half steps
    bool facingBox = false;
    float pulse = 0.0f;  // goal glow, -1.0 to 1.0
};

// Once per pass of the outer loop: the eye right after the pass's level load...
void startGameEye(SceneState& scene, const Player& player);
// ...and the point looked at just before the first game-loop frame, so the view swings in from the origin.
void resetGameLookAt(SceneState& scene);

struct SceneTickInput {
    bool moveKeyActed = false;  // a move request was handed to tryMove this frame
    bool solved = false;        // the level is solved: the camera circles the keeper
    float lastTime = 0.0f;      // seconds, the timer value taken after the previous frame's ticks
};

struct SceneTickResult {
    bool footstep = false;  // the walk cycle reached a footfall (5.0 or 12.0) in this tick
    Vec3 footstepPosition;
};

// One tick (1/60 s): the keeper's glide, the camera, the boxes' glide, the walk cycle and the goal glow.
SceneTickResult updateSceneTick(SceneState& scene, Player& player, Board& board, const SceneTickInput& input);

// Left Ctrl with Up or Down: the camera height, kept within its limits.
void zoomCamera(SceneState& scene, bool up, bool down);
