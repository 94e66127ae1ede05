#pragma once

#include <GL/gl.h>

#include <vector>

#include "formats/model.h"
#include "layout/shadow_geometry.h"
#include "math/vec.h"

// Stencil shadow volumes from the scene's one light.

// Stencil-only drawing state for the volumes that follow.
void beginShadowPass();
// The silhouette of the model's lit faces extruded away from the light (given in the model's own space),
// counted into the stencil buffer: front sides up, back sides down. Rewrites the faces' lit flags.
void castShadow(Model& model, Vec4 light);

// The display list that darkens every pixel with a non-zero stencil count and restores the drawing state.
GLuint buildShadowFinishList();

// --- The fast way: volume sides worked out ahead and sent in one call --------------------------------

// Vertex arrays on for the sides that follow; off again before the finish list.
void beginVolumeSides();
void endVolumeSides();

// Appends the model's volume sides for the light (in the model's own space), in castShadow's order.
// Rewrites the faces' lit flags.
void appendShadowQuads(Model& model, Vec4 light, std::vector<ShadowQuad>& quads);

// Counts `count` sides (strips a, a', b, b') of one caster under the current matrix, in two culled passes:
// the same triangles, in the same order, as castShadow sends.
void countVolumeSides(const ShadowQuad* quads, int count);
