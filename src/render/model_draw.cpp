#include "render/model_draw.h"

// Stand-in until model drawing lands.
void drawModel(const Model&, const TextureSlots&) {}
void drawModelShaded(const Model&, const TextureSlots&, Vec4, Vec3) {}
void drawTilePlanar(const Model&, const TextureSlots&, int, int) {}
void drawTilePlanarShaded(const Model&, const TextureSlots&, int, int, Vec4, Vec3) {}
void buildSceneryLists(Graphics&) {}
