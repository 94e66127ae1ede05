#include "layout/shadow_geometry.h"

void markLitFaces(Model& model, Vec4 light) {
    for (ModelFace& face : model.faces) face.lit = dot4(face.plane, light) > 0.0f ? 1 : 0;
}

Vec3 extrudeFromLight(Vec3 vertex, Vec4 light) {
    return vecAdd(vertex, vecScale(vecSubPoint4(vertex, light), kShadowExtrusion));
}
