#include "layout/keeper_frame.h"

#include "formats/asset_files.h"
#include "math/rounding.h"

Model& keeperFrameModel(ModelTables& models, float walkFrame, bool facingBox) {
    if (facingBox) {
        int index = roundHalfToEven(walkFrame - 1.0f);
        if (index < 0) index = 0;
        if (index >= kPushFrameCount) index = kPushFrameCount - 1;
        return models.pushFrames[index];
    }
    int index = roundHalfToEven(walkFrame);
    if (index < 0) index = 0;
    if (index >= kWalkFrameCount) index = kWalkFrameCount - 1;
    return models.walkFrames[index];
}
