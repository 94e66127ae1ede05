#include "model_set.h"

#include <cstdio>

#include "keeper_model.h"
#include "scenery_models.h"

namespace {

// "Models/Bin/Character/" + optional subfolder + the frame number in three digits.
std::string framePath(const char* folder, int frame) {
    char name[32];
    std::snprintf(name, sizeof name, "%03d.s3d", frame);
    return std::string("Models/Bin/Character/") + folder + name;
}

}  // namespace

std::vector<GeneratedModel> buildModelSet() {
    std::vector<GeneratedModel> set;
    set.push_back({"Models/Bin/Ground_Plane1.s3d", buildFloorTile(), false});
    set.push_back({"Models/Bin/Cube.s3d", buildWallBlock(), true});
    set.push_back({"Models/Bin/Crate.s3d", buildCrate(), true});
    set.push_back({"Models/Bin/Ground_Plane2.s3d", buildGoalTile(), false});
    for (int frame = 0; frame < kWalkFrameCount; ++frame) {
        set.push_back({framePath("", frame), buildKeeperWalkFrame(frame), true});
    }
    for (int frame = 1; frame <= kPushFrameCount; ++frame) {
        set.push_back({framePath("push/", frame), buildKeeperPushFrame(frame), true});
    }
    return set;
}
