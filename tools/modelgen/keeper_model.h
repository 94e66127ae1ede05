#pragma once

#include "core/board.h"
#include "formats/asset_files.h"
#include "formats/model.h"
#include "shape_math.h"

// The keeper: a low-poly figure (legs and shoes, body and arms, head with a nose and hands) posed per
// animation frame. The scene draws the model at the keeper's reference height above the floor, so the
// soles rest at y = -kKeeperHeight; the figure faces +z and its left side is +x.

// Leg angles in radians: swing carries the thigh forward, knee folds the shin back, footPitch lifts the
// toes. Arm angles: swing carries the upper arm forward, spread away from the body, elbow folds the
// forearm forward.
struct LegPose {
    float swing = 0.0f;
    float knee = 0.0f;
    float footPitch = 0.0f;
};

struct ArmPose {
    float swing = 0.0f;
    float spread = 0.0f;
    float elbow = 0.0f;
};

struct KeeperPose {
    LegPose legs[2];  // 0 left (+x), 1 right (-x)
    ArmPose arms[2];
    float lean = 0.0f;        // torso forward, radians
    float twist = 0.0f;       // shoulders turned about the spine; positive carries the left shoulder back
    bool handsOnBox = false;  // hands flat on the face of a crate one cell ahead; replaces the arm angles
};

KeeperPose standingPose();
// phase 0..1 over one cycle; frame n of either cycle is phase (n - 1) / 15.
KeeperPose walkingPose(float phase);
KeeperPose pushingPose(float phase);

// frame 0..15.
Model buildKeeperWalkFrame(int frame);
// frame 1..15, the file number.
Model buildKeeperPushFrame(int frame);
Model buildKeeper(const KeeperPose& pose);
