#pragma once

#include <GL/gl.h>

#include "math/vec.h"
#include "render/model.h"

// Stencil shadow volumes from the scene's one light.

// Stencil-only drawing state for the volumes that follow.
void beginShadowPass();
// The silhouette of the model's lit faces extruded away from the light (given in the model's own space),
// counted into the stencil buffer: front sides up, back sides down. Rewrites the faces' lit flags.
void castShadow(Model& model, Vec4 light);
// The display list that darkens every pixel with a non-zero stencil count and restores the drawing state.
GLuint buildShadowFinishList();
