#pragma once

#include <GL/gl.h>

#include "formats/model.h"
#include "layout/shadow_geometry.h"
#include "math/vec.h"

// Stencil shadow volumes from the scene's one light.

// Stencil-only drawing state for the volumes that follow.
void beginShadowPass();
// The silhouette of the model's lit faces extruded away from the light (given in the model's own space),
// counted into the stencil buffer: front sides up, back sides down. Rewrites the faces' lit flags.
void castShadow(Model& model, Vec4 light);
// castShadow with each side of the volume sent only where `scissorFor(quad)` says: the rectangle it fills in
// (x0, y0, x1, y1 in window pixels), or an empty one to skip the side. The scissor test must be on. Sides go
// out in the same order as castShadow sends them, both passes.
template <typename ScissorFor>
void castShadowScissored(Model& model, Vec4 light, ScissorFor scissorFor);

// The display list that darkens every pixel with a non-zero stencil count and restores the drawing state.
GLuint buildShadowFinishList();

// --- Implementation of the template ---------------------------------------------------------------------

// One side of a volume: its own strip, a, a', b, b'.
inline void sendShadowQuad(const ShadowQuad& quad) {
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3fv(&quad.a.x);
    glVertex3fv(&quad.aFar.x);
    glVertex3fv(&quad.b.x);
    glVertex3fv(&quad.bFar.x);
    glEnd();
}

template <typename ScissorFor>
void castShadowScissored(Model& model, Vec4 light, ScissorFor scissorFor) {
    markLitFaces(model, light);
    const auto sendSides = [&] {
        forEachShadowQuad(model, light, [&](const ShadowQuad& quad) {
            int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
            scissorFor(quad, x0, y0, x1, y1);
            if (x1 <= x0 || y1 <= y0) return;
            glScissor(x0, y0, x1 - x0, y1 - y0);
            sendShadowQuad(quad);
        });
    };
    glFrontFace(GL_CCW);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    sendSides();
    glFrontFace(GL_CW);
    glStencilOp(GL_KEEP, GL_KEEP, GL_DECR);
    sendSides();
}
