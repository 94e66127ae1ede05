#pragma once

#include <GL/gl.h>

#include "math/vec.h"
#include "render/graphics.h"

// Models drawn as immediate-mode triangles, one material at a time.

// With the model's own texture coordinates; a material whose slot lies outside 1..12 keeps the texture
// bound before.
void drawModel(const Model& model, const TextureSlots& textures);
// The same, each vertex greyed by its distance from the lamp: 1 at the light, 0 at 2 pi.
void drawModelShaded(const Model& model, const TextureSlots& textures, Vec4 light, Vec3 offset);
// Floor tiles: texture coordinates laid out over the board, so the floor image runs on without a seam and
// repeats every 8 cells. The tile's vertices are sent already moved to its cell (column, 0, row), with the
// camera's matrix in force: neighbouring tiles then share bit-identical corners and the floor has no cracks
// (each tile through its own matrix would round shared corners differently and let the background through).
void drawTilePlanar(const Model& model, const TextureSlots& textures, int column, int row);
void drawTilePlanarShaded(const Model& model, const TextureSlots& textures, int column, int row, Vec4 light,
                          Vec3 offset);

// Floor tiles one after the other in a single run of triangles: the very vertices drawTilePlanar and
// drawTilePlanarShaded send, tile after tile, with the texture and colours set once instead of per tile.
// Only for a tile model of one material (a model of several sends its materials tile by tile).
bool tilesRunTogether(const Model& model);
void beginTileRun(const Model& model, const TextureSlots& textures);
void addTilePlanar(const Model& model, int column, int row);
void addTilePlanarShaded(const Model& model, int column, int row, Vec4 light, Vec3 offset);
void endTileRun();

// Compiles the four scenery models into four consecutive display lists.
void buildSceneryLists(Graphics& graphics);
