#pragma once

#include "formats/model.h"

// The keeper's model for the walk phase: a push frame while it faces a box, else a walk frame. The phase
// rounds to the nearest frame, halves to the even one.
Model& keeperFrameModel(ModelTables& models, float walkFrame, bool facingBox);
