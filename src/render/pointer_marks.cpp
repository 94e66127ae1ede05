#include "render/pointer_marks.h"

#include <GL/gl.h>

namespace {

constexpr float kTargetLift = 0.012f;  // above the floor and the goal decals (0.005)
constexpr float kTargetHalf = 0.3f;    // of a cell
constexpr float kFrameHalf = 0.5f;     // the chosen crate's frames: as wide as its cell
constexpr float kFrameWidth = 0.07f;

void square(float x, float y, float z, float half) {
    glVertex3f(x - half, y, z - half);
    glVertex3f(x - half, y, z + half);
    glVertex3f(x + half, y, z + half);
    glVertex3f(x + half, y, z - half);
}

// A square ring at height y: four strips, each a quad facing up.
void ring(float x, float y, float z, float half) {
    const float inner = half - kFrameWidth;
    const float corners[4][4] = {{-half, -half, half, -inner},
                                 {-half, inner, half, half},
                                 {-half, -inner, -inner, inner},
                                 {inner, -inner, half, inner}};
    for (const auto& strip : corners) {
        glVertex3f(x + strip[0], y, z + strip[1]);
        glVertex3f(x + strip[0], y, z + strip[3]);
        glVertex3f(x + strip[2], y, z + strip[3]);
        glVertex3f(x + strip[2], y, z + strip[1]);
    }
}

}  // namespace

void drawPointerMarks(const PointerPlay& pointer, const SceneState& scene) {
    if (pointer.chosenBox < 0 || pointer.chosenBox >= kMaxBoxes) return;
    glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glBegin(GL_QUADS);
    glColor4f(0.3f, 0.95f, 0.35f, 0.45f);
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) {
            if (pointer.targets[x][y])
                square(static_cast<float>(x), kTargetLift, static_cast<float>(y), kTargetHalf);
        }
    }
    // The crate as drawn: its matrix carries the glide and the sinking.
    const Mat4& matrix = scene.boxMatrices[pointer.chosenBox];
    const float x = matrix.m[12];
    const float top = matrix.m[13] + 2.0f * kCrateHalfSize + 0.01f;
    const float z = matrix.m[14];
    glColor4f(1.0f, 0.8f, 0.2f, 0.85f);
    ring(x, top, z, kCrateHalfSize);
    ring(x, kTargetLift, z, kFrameHalf);
    glEnd();
    glPopAttrib();
}
