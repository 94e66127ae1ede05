#include "model_set.h"

#include "formats/asset_files.h"
#include "keeper_model.h"
#include "scenery_models.h"

std::vector<GeneratedModel> buildModelSet() {
    std::vector<GeneratedModel> set;
    set.push_back({kSceneryModelFiles[MODEL_FLOOR], buildFloorTile(), false});
    set.push_back({kSceneryModelFiles[MODEL_WALL], buildWallBlock(), true});
    set.push_back({kSceneryModelFiles[MODEL_CRATE], buildCrate(), true});
    set.push_back({kSceneryModelFiles[MODEL_GOAL], buildGoalTile(), false});
    for (int frame = 0; frame < kWalkFrameCount; ++frame) {
        set.push_back({walkFramePath(frame), buildKeeperWalkFrame(frame), true});
    }
    for (int frame = 1; frame <= kPushFrameCount; ++frame) {
        set.push_back({pushFramePath(frame), buildKeeperPushFrame(frame), true});
    }
    return set;
}
