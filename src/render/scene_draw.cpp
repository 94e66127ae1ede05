#include "render/scene_draw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstring>

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

// A cell's goal or wall, under the cell's matrix (its floor tile is drawn before it, under the camera's).
void drawCellObject(Graphics& graphics, const SceneState& scene, int x, int y, Cell code, Vec4 floorLight) {
    const Vec3 offset{static_cast<float>(x), 0.0f, static_cast<float>(y)};
    glPushMatrix();
    glMultMatrixf(scene.cellMatrices[x][y].m);
    if (!scene.lightFollowsKeeper) {
        if (code == Cell::Goal) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_COLOR, GL_ONE_MINUS_SRC_ALPHA);
            glowOn(scene.pulse);
            glCallList(sceneryList(graphics, MODEL_GOAL));
            glowOff();
            glDisable(GL_BLEND);
        }
        if (code == Cell::Wall) glCallList(sceneryList(graphics, MODEL_WALL));
    } else {
        if (code == Cell::Goal) {
            glowOn(scene.pulse);
            drawModelShaded(graphics.models.scenery[MODEL_GOAL], graphics.textures, floorLight, offset);
            glowOff();
        }
        if (code == Cell::Wall) {
            drawModelShaded(graphics.models.scenery[MODEL_WALL], graphics.textures, floorLight, offset);
        }
    }
    glPopMatrix();
}

// Every cell gets a floor tile, under a goal too: the goal tile lies a little above the floor, and without a
// floor beneath it the background would show through at its borders. The tile goes in under the camera's
// matrix (it places itself in its cell).
void drawCell(Graphics& graphics, const SceneState& scene, int x, int y, Cell code, Vec4 floorLight) {
    const Model& floor = graphics.models.scenery[MODEL_FLOOR];
    if (!scene.lightFollowsKeeper) {
        drawTilePlanar(floor, graphics.textures, x, y);
    } else {
        drawTilePlanarShaded(floor, graphics.textures, x, y, floorLight,
                             {static_cast<float>(x), 0.0f, static_cast<float>(y)});
    }
    drawCellObject(graphics, scene, x, y, code, floorLight);
}

// The same cells in the same order, each primitive as before; only the floor tiles between two goals or
// walls go out as one run, since nothing changes between them but the vertices.
void drawCellsInRuns(Graphics& graphics, const SceneState& scene, const Board& board, Vec4 floorLight) {
    const Model& floor = graphics.models.scenery[MODEL_FLOOR];
    bool inRun = false;
    for (int x = 0; x <= scene.extentX; ++x) {
        for (int y = 0; y <= scene.extentY; ++y) {
            if (!inRun) beginTileRun(floor, graphics.textures);
            inRun = true;
            if (!scene.lightFollowsKeeper) {
                addTilePlanar(floor, x, y);
            } else {
                addTilePlanarShaded(floor, x, y, floorLight,
                                    {static_cast<float>(x), 0.0f, static_cast<float>(y)});
            }
            const Cell code = board.cells[x][y];
            if (code != Cell::Goal && code != Cell::Wall) continue;
            endTileRun();
            inRun = false;
            drawCellObject(graphics, scene, x, y, code, floorLight);
        }
    }
    if (inRun) endTileRun();
}

void drawObjects(Graphics& graphics, const SceneState& scene, const Board& board, Vec4 light,
                 const Model& keeperModel, ScenePath path) {
    const Vec4 floorLight{light.x, 0.0f, light.z, 1.0f};
    if (path == ScenePath::Fast && tilesRunTogether(graphics.models.scenery[MODEL_FLOOR])) {
        drawCellsInRuns(graphics, scene, board, floorLight);
    } else {
        for (int x = 0; x <= scene.extentX; ++x) {
            for (int y = 0; y <= scene.extentY; ++y)
                drawCell(graphics, scene, x, y, board.cells[x][y], floorLight);
        }
    }
    markPassSent(graphics, FramePass::Board);
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
    markPassSent(graphics, FramePass::Boxes);
    glPushMatrix();
    glMultMatrixf(scene.keeperMatrix.m);
    if (!scene.lightFollowsKeeper) {
        drawModel(keeperModel, graphics.textures);
    } else {
        drawModelShaded(keeperModel, graphics.textures, light,
                        {scene.keeperMatrix.m[12], 0.0f, scene.keeperMatrix.m[14]});
    }
    glPopMatrix();
    markPassSent(graphics, FramePass::Keeper);
}

// --- The shadow volumes -----------------------------------------------------------------------------

// The plain way, step by step: every caster cast whole, over the whole screen, in two culled passes.
void castFrom(const Mat4& matrix, Vec4 light, Model& first, Model* second) {
    glPushMatrix();
    const Vec4 local = transformPoint(rigidInverse(matrix), light);
    glMultMatrixf(matrix.m);
    castShadow(first, local);
    if (second != nullptr) castShadow(*second, local);
    glPopMatrix();
}

void drawShadowsPlain(Graphics& graphics, const SceneState& scene, const Board& board, Vec4 light,
                      Model& keeperModel) {
    ModelTables& models = graphics.models;
    beginShadowPass();
    for (int x = 0; x <= scene.extentX; ++x) {
        for (int y = 0; y <= scene.extentY; ++y) {
            const Cell code = board.cells[x][y];
            castFrom(scene.cellMatrices[x][y], light,
                     models.scenery[code == Cell::Goal ? MODEL_GOAL : MODEL_FLOOR],
                     code == Cell::Wall ? &models.scenery[MODEL_WALL] : nullptr);
        }
    }
    for (int i = 0; i < kMaxBoxes; ++i) {
        if (board.boxes[i].active != 0)
            castFrom(scene.boxMatrices[i], light, models.scenery[MODEL_CRATE], nullptr);
    }
    castFrom(scene.keeperMatrix, light, keeperModel, nullptr);
    markPassSent(graphics, FramePass::Volumes);
    glCallList(graphics.shadowFinishList);
}

// The fast way sends each volume only through the screen rectangles where it can change the stencil
// buffer. Every pixel outside the floor's outline lies in exactly one band and receives each volume whole;
// inside the outline a volume can only count where it is above the floor, near its caster, since
// everything of it elsewhere there lies below the closed floor and fails the depth test; of its sides, only
// those hanging from an edge above the floor go there at all. Sending more than that (up to every side over
// the whole screen) changes nothing, so each pixel receives the same stencil updates as when every volume
// is drawn whole, at a fraction of the cost: a floor tile's sides, the most numerous, go only outside the
// outline.
struct ShadowClip {
    bool active = false;  // false: every volume is drawn whole (no usable outline)
    PixelRect inside;
    int bandCount = 0;
    PixelRect bands[4];
    Mat4 modelViewProjection;
    int width = 0;
    int height = 0;
    PixelRect limit;  // no side is counted outside it: the viewport, or in Fast where the scene is drawn
};

ShadowClip shadowClip(SceneSize size, const SceneState& scene) {
    ShadowClip clip;
    Mat4 modelView;
    Mat4 projection;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.m);
    glGetFloatv(GL_PROJECTION_MATRIX, projection.m);
    clip.width = size.width;
    clip.height = size.height;
    clip.limit = {0, 0, size.width, size.height};
    clip.modelViewProjection = matMultiply(projection, modelView);
    clip.inside = hiddenFloorRect(modelView, projection, clip.width, clip.height, -0.5f,
                                  static_cast<float>(scene.extentX) + 0.5f, -0.5f,
                                  static_cast<float>(scene.extentY) + 0.5f);
    if (clip.inside.empty()) return clip;
    clip.active = true;
    clip.bandCount = bandsAround(clip.inside, clip.width, clip.height, clip.bands);
    return clip;
}

// False, and nothing set, when the rectangle lies wholly outside the clip's limit.
bool scissorTo(const ShadowClip& clip, const PixelRect& wanted) {
    const PixelRect rect = intersect(wanted, clip.limit);
    if (rect.empty()) return false;
    glScissor(rect.x0, rect.y0, rect.x1 - rect.x0, rect.y1 - rect.y0);
    return true;
}

// One caster's sides, already under its object's matrix: all of them through the bands, the first `above`
// (those that can rise above the floor) through the caster's rectangle.
struct CasterSides {
    const ShadowQuad* quads;
    int count;
    int above;
    Box3 bounds;
};

void countThrough(const ShadowClip& clip, Vec4 light, const CasterSides& sides) {
    const ShadowQuad* quads = sides.quads;
    const int count = sides.count;
    if (count <= 0) return;
    const Box3& bounds = sides.bounds;
    PixelRect near;
    const bool whole = !clip.active || aboveFloorVolumeRect(clip.modelViewProjection, clip.width, clip.height,
                                                            bounds, light, near) == ScreenBound::Unknown;
    if (whole) {
        if (scissorTo(clip, {0, 0, clip.width, clip.height})) countVolumeSides(quads, count);
        return;
    }
    for (int i = 0; i < clip.bandCount; ++i) {
        if (scissorTo(clip, clip.bands[i])) countVolumeSides(quads, count);
    }
    near = intersect(near, clip.inside);
    if (near.empty() || sides.above == 0) return;
    if (scissorTo(clip, near)) countVolumeSides(quads, sides.above);
}

// One object: its casters' sides in its own space, the first caster's, then the second's.
void countObject(const ShadowClip& clip, const Mat4& matrix, Vec4 light, const CasterSides& first,
                 const CasterSides& second) {
    if (first.count + second.count == 0) return;
    glPushMatrix();
    glMultMatrixf(matrix.m);
    countThrough(clip, light, first);
    countThrough(clip, light, second);
    glPopMatrix();
}

Box3 casterBounds(const Model& model, const Mat4& matrix) {
    return placedBounds(modelBounds(model.positions.data(), static_cast<int>(model.positions.size())),
                        matrix);
}

bool sameStaticVolumes(const StaticVolumes& volumes, const SceneState& scene, const Board& board,
                       Vec4 light) {
    return volumes.built && volumes.light.x == light.x && volumes.light.y == light.y &&
           volumes.light.z == light.z && volumes.light.w == light.w && volumes.extentX == scene.extentX &&
           volumes.extentY == scene.extentY &&
           std::memcmp(volumes.cells, board.cells, sizeof volumes.cells) == 0 &&
           std::memcmp(volumes.cellMatrices, scene.cellMatrices, sizeof volumes.cellMatrices) == 0;
}

void buildStaticVolumes(StaticVolumes& volumes, ModelTables& models, const SceneState& scene,
                        const Board& board, Vec4 light) {
    volumes.built = true;
    volumes.light = light;
    volumes.extentX = scene.extentX;
    volumes.extentY = scene.extentY;
    std::memcpy(volumes.cells, board.cells, sizeof volumes.cells);
    std::memcpy(volumes.cellMatrices, scene.cellMatrices, sizeof volumes.cellMatrices);
    volumes.quads.clear();
    volumes.bounds = {{1e30f, 1e30f, 1e30f}, {-1e30f, -1e30f, -1e30f}};
    for (int x = 0; x <= scene.extentX; ++x) {
        for (int y = 0; y <= scene.extentY; ++y) {
            const Cell code = board.cells[x][y];
            const Mat4& matrix = scene.cellMatrices[x][y];
            volumes.bounds = unite(volumes.bounds, casterBounds(models.scenery[MODEL_FLOOR], matrix));
            const Vec4 local = transformPoint(rigidInverse(matrix), light);
            CellVolume& volume = volumes.volumes[x][y];
            volume.first = static_cast<int>(volumes.quads.size());
            Model& tile = models.scenery[code == Cell::Goal ? MODEL_GOAL : MODEL_FLOOR];
            appendShadowQuads(tile, local, volumes.quads);
            volume.tileSides = static_cast<int>(volumes.quads.size()) - volume.first;
            volume.tileAbove = sidesAboveFloorFirst(volumes.quads.data() + volume.first,
                                                    volumes.quads.data() + volumes.quads.size(), matrix);
            volume.tileBounds = casterBounds(tile, matrix);
            volumes.bounds = unite(volumes.bounds, volume.tileBounds);
            volume.wallSides = 0;
            volume.wallAbove = 0;
            if (code == Cell::Wall) {
                Model& wall = models.scenery[MODEL_WALL];
                const int wallFirst = static_cast<int>(volumes.quads.size());
                appendShadowQuads(wall, local, volumes.quads);
                volume.wallSides = static_cast<int>(volumes.quads.size()) - wallFirst;
                volume.wallAbove = sidesAboveFloorFirst(volumes.quads.data() + wallFirst,
                                                        volumes.quads.data() + volumes.quads.size(), matrix);
                volume.wallBounds = casterBounds(wall, matrix);
                volumes.bounds = unite(volumes.bounds, volume.wallBounds);
            }
        }
    }
}

// A caster that moves: its sides worked out afresh.
void countMoving(Graphics& graphics, const ShadowClip& clip, Model& model, const Mat4& matrix, Vec4 light) {
    std::vector<ShadowQuad>& sides = graphics.movingVolumeSides;
    sides.clear();
    appendShadowQuads(model, transformPoint(rigidInverse(matrix), light), sides);
    const int above = sidesAboveFloorFirst(sides.data(), sides.data() + sides.size(), matrix);
    countObject(clip, matrix, light,
                {sides.data(), static_cast<int>(sides.size()), above, casterBounds(model, matrix)},
                {nullptr, 0, 0, {}});
}

// The screen rectangle everything drawn so far lies in (the cells, the crates and the keeper); the whole
// viewport when it cannot be told.
PixelRect drawnSceneRect(const ShadowClip& clip, const StaticVolumes& volumes, const Graphics& graphics,
                         const SceneState& scene, const Board& board, const Model& keeperModel) {
    Box3 drawn = unite(volumes.bounds, casterBounds(keeperModel, scene.keeperMatrix));
    for (int i = 0; i < kMaxBoxes; ++i) {
        if (board.boxes[i].active != 0)
            drawn = unite(drawn, casterBounds(graphics.models.scenery[MODEL_CRATE], scene.boxMatrices[i]));
    }
    PixelRect rect;
    if (boxScreenRect(clip.modelViewProjection, clip.width, clip.height, drawn, rect) == ScreenBound::Unknown)
        return {0, 0, clip.width, clip.height};
    return rect;
}

void drawShadowsFast(SceneSize size, Graphics& graphics, const SceneState& scene, const Board& board,
                     Vec4 light, Model& keeperModel) {
    StaticVolumes& volumes = graphics.staticVolumes;
    if (!sameStaticVolumes(volumes, scene, board, light))
        buildStaticVolumes(volumes, graphics.models, scene, board, light);
    ShadowClip clip = shadowClip(size, scene);
    // Fast counts only where the scene is drawn: every pixel outside it keeps the cleared black, which the
    // darkening leaves black, so the colours are the same (the stencil and alpha there are not).
    if (graphics.picture == PictureDetail::Fast)
        clip.limit = drawnSceneRect(clip, volumes, graphics, scene, board, keeperModel);
    beginShadowPass();
    beginVolumeSides();
    glEnable(GL_SCISSOR_TEST);
    for (int x = 0; x <= scene.extentX; ++x) {
        for (int y = 0; y <= scene.extentY; ++y) {
            const CellVolume& cell = volumes.volumes[x][y];
            const ShadowQuad* tile = volumes.quads.data() + cell.first;
            countObject(clip, scene.cellMatrices[x][y], light,
                        {tile, cell.tileSides, cell.tileAbove, cell.tileBounds},
                        {tile + cell.tileSides, cell.wallSides, cell.wallAbove, cell.wallBounds});
        }
    }
    for (int i = 0; i < kMaxBoxes; ++i) {
        if (board.boxes[i].active != 0)
            countMoving(graphics, clip, graphics.models.scenery[MODEL_CRATE], scene.boxMatrices[i], light);
    }
    countMoving(graphics, clip, keeperModel, scene.keeperMatrix, light);
    endVolumeSides();
    markPassSent(graphics, FramePass::Volumes);
    // The darkening within the same limit: the whole viewport in Full, where the scene is drawn in Fast.
    const PixelRect& limit = clip.limit;
    glScissor(limit.x0, limit.y0, std::max(0, limit.x1 - limit.x0), std::max(0, limit.y1 - limit.y0));
    glCallList(graphics.shadowFinishList);
    glDisable(GL_SCISSOR_TEST);
}

}  // namespace

void drawScene(WindowSettings& window, Graphics& graphics, const SceneState& scene,
               const LightSettings& light, const Board& board, ScenePath path) {
    const Vec4 sceneLight{light.position[0], light.position[1], light.position[2], light.position[3]};
    refreshProjection(window);
    // In Fast the scene goes into the smaller picture, under the window's own projection.
    const SceneSize size = scenePictureSize(graphics.scenePicture, window);
    if (graphics.scenePicture.drawing) glViewport(0, 0, size.width, size.height);
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
    markPassSent(graphics, FramePass::Clear);

    Model& keeperModel = keeperFrameModel(graphics.models, scene.walkFrame, scene.facingBox);
    drawObjects(graphics, scene, board, sceneLight, keeperModel, path);
    if (!scene.shadowsOn) return;
    if (path == ScenePath::Plain) {
        drawShadowsPlain(graphics, scene, board, sceneLight, keeperModel);
    } else {
        drawShadowsFast(size, graphics, scene, board, sceneLight, keeperModel);
    }
    markPassSent(graphics, FramePass::Darkening);
}
