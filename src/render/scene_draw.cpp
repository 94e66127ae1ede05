#include "render/scene_draw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "layout/floor_footprint.h"
#include "layout/keeper_frame.h"
#include "render/model_draw.h"
#include "render/shadows.h"
#include "render/window_setup.h"

// Sections: the board, boxes and keeper; the shadow volumes.

namespace {

void glowOn(float pulse) {
    const float emission[4] = {pulse, pulse, -std::fabs(pulse), 0.0f};
    glMaterialfv(GL_FRONT, GL_EMISSION, emission);
}

void glowOff() {
    const float none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_EMISSION, none);
}

GLuint sceneryList(const Graphics& graphics, int model) {
    return graphics.sceneryLists + static_cast<GLuint>(model);
}

// --- The board, boxes and keeper --------------------------------------------------------------------

// The floor tile goes in under the camera's matrix (it places itself in its cell), the rest under the
// cell's matrix.
void drawCell(Graphics& graphics, const SceneState& scene, int x, int y, std::uint8_t code, Vec4 floorLight) {
    const Model& floor = graphics.models.scenery[MODEL_FLOOR];
    const Vec3 offset{static_cast<float>(x), 0.0f, static_cast<float>(y)};
    if (!scene.lightFollowsKeeper) {
        drawTilePlanar(floor, graphics.textures, x, y);
        glPushMatrix();
        glMultMatrixf(scene.cellMatrices[x][y].m);
        if (code == CELL_GOAL) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_COLOR, GL_ONE_MINUS_SRC_ALPHA);
            glowOn(scene.pulse);
            glCallList(sceneryList(graphics, MODEL_GOAL));
            glowOff();
            glDisable(GL_BLEND);
        }
        if (code == CELL_WALL) glCallList(sceneryList(graphics, MODEL_WALL));
        glPopMatrix();
        return;
    }
    // Under a goal too: the goal tile lies a little above the floor, and without a floor beneath it the
    // background would show through at its borders.
    drawTilePlanarShaded(floor, graphics.textures, x, y, floorLight, offset);
    glPushMatrix();
    glMultMatrixf(scene.cellMatrices[x][y].m);
    if (code == CELL_GOAL) {
        glowOn(scene.pulse);
        drawModelShaded(graphics.models.scenery[MODEL_GOAL], graphics.textures, floorLight, offset);
        glowOff();
    }
    if (code == CELL_WALL) {
        drawModelShaded(graphics.models.scenery[MODEL_WALL], graphics.textures, floorLight, offset);
    }
    glPopMatrix();
}

void drawObjects(Graphics& graphics, const SceneState& scene, const Board& board, Vec4 light,
                 const Model& keeperModel) {
    const Vec4 floorLight{light.x, 0.0f, light.z, 1.0f};
    for (int x = 0; x <= scene.extentX; ++x) {
        for (int y = 0; y <= scene.extentY; ++y)
            drawCell(graphics, scene, x, y, board.cells[x][y], floorLight);
    }
    for (int i = 0; i < kMaxBoxes; ++i) {
        const Box& box = board.boxes[i];
        if (box.active == 0) continue;
        const Mat4& matrix = scene.boxMatrices[i];
        glPushMatrix();
        glMultMatrixf(matrix.m);
        if (!scene.lightFollowsKeeper) {
            glCallList(sceneryList(graphics, MODEL_CRATE));
        } else {
            drawModelShaded(graphics.models.scenery[MODEL_CRATE], graphics.textures, floorLight,
                            {matrix.m[12], 0.0f, matrix.m[14]});
        }
        glPopMatrix();
    }
    glPushMatrix();
    glMultMatrixf(scene.keeperMatrix.m);
    if (!scene.lightFollowsKeeper) {
        drawModel(keeperModel, graphics.textures);
    } else {
        drawModelShaded(keeperModel, graphics.textures, light,
                        {scene.keeperMatrix.m[12], 0.0f, scene.keeperMatrix.m[14]});
    }
    glPopMatrix();
}

// --- The shadow volumes -----------------------------------------------------------------------------

// Which screen rectangles each cast is sent through on the fast path. Every pixel outside the floor's
// outline lies in exactly one band and receives each volume whole; inside the outline a volume is sent only
// through the rectangle that holds its part above the floor, since everything of it elsewhere there lies
// below the closed floor and fails the depth test. So each pixel receives the same stencil updates, in the
// same order, as when every volume is drawn whole over the whole screen, at a fraction of the cost.
struct ShadowClip {
    bool active = false;  // false: every volume is drawn whole (the plain path, or no usable outline)
    PixelRect inside;
    int bandCount = 0;
    PixelRect bands[4];
    Mat4 modelViewProjection;
    int width = 0;
    int height = 0;
};

ShadowClip shadowClip(const WindowSettings& window, const SceneState& scene, ShadowPath path) {
    ShadowClip clip;
    if (path != ShadowPath::Fast) return clip;
    Mat4 modelView;
    Mat4 projection;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.m);
    glGetFloatv(GL_PROJECTION_MATRIX, projection.m);
    clip.width = static_cast<int>(window.width);
    clip.height = static_cast<int>(window.height);
    clip.inside = hiddenFloorRect(modelView, projection, clip.width, clip.height, -0.5f,
                                  static_cast<float>(scene.extentX) + 0.5f, -0.5f,
                                  static_cast<float>(scene.extentY) + 0.5f);
    if (clip.inside.empty()) return clip;
    clip.active = true;
    clip.bandCount = bandsAround(clip.inside, clip.width, clip.height, clip.bands);
    clip.modelViewProjection = matMultiply(projection, modelView);
    return clip;
}

// One caster with its object matrix already in force; the light in world space and in the model's space.
void castClipped(const ShadowClip& clip, Model& model, const Box3& modelBox, const Mat4& matrix, Vec4 light,
                 Vec4 localLight) {
    if (model.faces.empty()) return;
    PixelRect near;
    if (!clip.active ||
        aboveFloorVolumeRect(clip.modelViewProjection, clip.width, clip.height,
                             placedBounds(modelBox, matrix), light, near) == ScreenBound::Unknown) {
        castShadow(model, localLight);
        return;
    }
    near = intersect(near, clip.inside);
    glEnable(GL_SCISSOR_TEST);
    for (int i = 0; i < clip.bandCount; ++i) {
        const PixelRect& band = clip.bands[i];
        glScissor(band.x0, band.y0, band.x1 - band.x0, band.y1 - band.y0);
        castShadow(model, localLight);
    }
    if (!near.empty()) {
        // Inside the outline, each side only where it is above the floor (a thin strip along its edge).
        castShadowScissored(
            model, localLight, [&](const ShadowQuad& quad, int& x0, int& y0, int& x1, int& y1) {
                const Vec4 a = transformPoint(matrix, {quad.a.x, quad.a.y, quad.a.z, 1.0f});
                const Vec4 b = transformPoint(matrix, {quad.b.x, quad.b.y, quad.b.z, 1.0f});
                PixelRect side = near;
                if (aboveFloorQuadRect(clip.modelViewProjection, clip.width, clip.height, {a.x, a.y, a.z},
                                       {b.x, b.y, b.z}, light, side) == ScreenBound::Known) {
                    side = intersect(side, near);
                } else {
                    side = near;
                }
                x0 = side.x0;
                y0 = side.y0;
                x1 = side.x1;
                y1 = side.y1;
            });
    }
    glDisable(GL_SCISSOR_TEST);
}

struct Caster {
    Model* model;
    Box3 bounds;  // around the model's own vertices
};

Caster caster(Model& model) {
    return {&model, modelBounds(model.positions.data(), static_cast<int>(model.positions.size()))};
}

// The light brought into the object's own space, then the object's casters under the object's matrix.
void castFrom(const ShadowClip& clip, const Mat4& matrix, Vec4 light, const Caster& first,
              const Caster* second) {
    glPushMatrix();
    const Vec4 local = transformPoint(rigidInverse(matrix), light);
    glMultMatrixf(matrix.m);
    castClipped(clip, *first.model, first.bounds, matrix, light, local);
    if (second != nullptr) castClipped(clip, *second->model, second->bounds, matrix, light, local);
    glPopMatrix();
}

void drawShadows(const WindowSettings& window, Graphics& graphics, const SceneState& scene,
                 const Board& board, Vec4 light, Model& keeperModel, ShadowPath path) {
    ModelTables& models = graphics.models;
    const Caster floor = caster(models.scenery[MODEL_FLOOR]);
    const Caster goal = caster(models.scenery[MODEL_GOAL]);
    const Caster wall = caster(models.scenery[MODEL_WALL]);
    const Caster crate = caster(models.scenery[MODEL_CRATE]);
    const Caster keeper = caster(keeperModel);
    const ShadowClip clip = shadowClip(window, scene, path);
    beginShadowPass();
    for (int x = 0; x <= scene.extentX; ++x) {
        for (int y = 0; y <= scene.extentY; ++y) {
            const std::uint8_t code = board.cells[x][y];
            castFrom(clip, scene.cellMatrices[x][y], light, code == CELL_GOAL ? goal : floor,
                     code == CELL_WALL ? &wall : nullptr);
        }
    }
    for (int i = 0; i < kMaxBoxes; ++i) {
        if (board.boxes[i].active != 0) castFrom(clip, scene.boxMatrices[i], light, crate, nullptr);
    }
    castFrom(clip, scene.keeperMatrix, light, keeper, nullptr);
    glCallList(graphics.shadowFinishList);
}

}  // namespace

void drawScene(WindowSettings& window, Graphics& graphics, const SceneState& scene,
               const LightSettings& light, const Board& board, ShadowPath shadowPath) {
    const Vec4 sceneLight{light.position[0], light.position[1], light.position[2], light.position[3]};
    refreshProjection(window);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(scene.eye.x, scene.eye.y, scene.eye.z, scene.lookAt.x, scene.lookAt.y, scene.lookAt.z, 0.0, 1.0,
              0.0);
    glLightfv(GL_LIGHT0, GL_AMBIENT, light.ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light.specular);
    glLightfv(GL_LIGHT0, GL_POSITION, light.position);
    glColor3f(1.0f, 1.0f, 1.0f);

    Model& keeperModel = keeperFrameModel(graphics.models, scene.walkFrame, scene.facingBox);
    drawObjects(graphics, scene, board, sceneLight, keeperModel);
    if (scene.shadowsOn) drawShadows(window, graphics, scene, board, sceneLight, keeperModel, shadowPath);
}
