// The volume sides are sent as vertex arrays; the calls past OpenGL 1.1 are declared only with prototypes
// asked for before the first OpenGL header.
#define GL_GLEXT_PROTOTYPES 1
#include "render/shadows.h"

#include <GL/glext.h>

#include "layout/shadow_geometry.h"

namespace {

// One side of a volume: its own strip, a, a', b, b'.
void sendShadowQuad(const ShadowQuad& quad) {
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3fv(&quad.a.x);
    glVertex3fv(&quad.aFar.x);
    glVertex3fv(&quad.b.x);
    glVertex3fv(&quad.bFar.x);
    glEnd();
}

void drawVolume(const Model& model, Vec4 light) {
    forEachShadowQuad(model, light, sendShadowQuad);
}

constexpr int kVerticesPerQuad = 4;
static_assert(sizeof(ShadowQuad) == kVerticesPerQuad * sizeof(Vec3), "a side is its strip's four vertices");

// Every side its own four-vertex strip, as many as one call sends.
constexpr int kSidesPerCall = 1024;

struct StripTable {
    GLint first[kSidesPerCall];
    GLsizei count[kSidesPerCall];
    StripTable() {
        for (int i = 0; i < kSidesPerCall; ++i) {
            first[i] = i * kVerticesPerQuad;
            count[i] = kVerticesPerQuad;
        }
    }
};

void sendSides(const ShadowQuad* quads, int count) {
    static const StripTable strips;
    for (int done = 0; done < count; done += kSidesPerCall) {
        const int now = count - done < kSidesPerCall ? count - done : kSidesPerCall;
        glVertexPointer(3, GL_FLOAT, 0, &quads[done].a.x);
        glMultiDrawArrays(GL_TRIANGLE_STRIP, strips.first, strips.count, now);
    }
}

// The sides facing the camera count up, the far sides count down: a pixel ends non-zero where the scene
// lies inside a volume. Both paths count this way, so their stencil buffers agree.
template <typename SendSides>
void countFrontThenBack(SendSides send) {
    glFrontFace(GL_CCW);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    send();
    glFrontFace(GL_CW);
    glStencilOp(GL_KEEP, GL_KEEP, GL_DECR);
    send();
}

}  // namespace

void beginShadowPass() {
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(0.5f, 4.0f);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_STENCIL_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glStencilFunc(GL_ALWAYS, 1, ~0u);
}

void castShadow(Model& model, Vec4 light) {
    markLitFaces(model, light);
    countFrontThenBack([&] { drawVolume(model, light); });
}

void beginVolumeSides() {
    glEnableClientState(GL_VERTEX_ARRAY);
}

void endVolumeSides() {
    glDisableClientState(GL_VERTEX_ARRAY);
}

void appendShadowQuads(Model& model, Vec4 light, std::vector<ShadowQuad>& quads) {
    markLitFaces(model, light);
    forEachShadowQuad(model, light, [&](const ShadowQuad& quad) { quads.push_back(quad); });
}

void countVolumeSides(const ShadowQuad* quads, int count) {
    if (count <= 0) return;
    countFrontThenBack([&] { sendSides(quads, count); });
}

GLuint buildShadowFinishList() {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glFrontFace(GL_CCW);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glColor4f(0.0f, 0.0f, 0.0f, 0.6f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glStencilFunc(GL_NOTEQUAL, 0, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    // A quad in front of everything, on the near plane, and far wider than the view there: it covers the
    // window whatever its aspect ratio up to 2000 to 1 (a quad 2 wide there would leave the sides of a window
    // wider than about 2.4 to 1 unshadowed).
    constexpr float kHalfWidth = 1000.0f;
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(-kHalfWidth, 1.0f, -1.0f);
    glVertex3f(-kHalfWidth, -1.0f, -1.0f);
    glVertex3f(kHalfWidth, 1.0f, -1.0f);
    glVertex3f(kHalfWidth, -1.0f, -1.0f);
    glEnd();
    glPopMatrix();
    glDisable(GL_BLEND);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    glDisable(GL_STENCIL_TEST);
    glShadeModel(GL_SMOOTH);
    glEndList();
    return list;
}
