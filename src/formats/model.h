#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "math/vec.h"

// Triangle meshes in the .s3d layout: a header of three int32 counts (vertices, faces, materials), then
// vertex positions, vertex normals, face records and material records, little-endian, no padding. Every
// record field is one 4-byte word, so the records below are laid out exactly as the file holds them.

// One triangle. Edge j runs from corner j to corner (j + 1) mod 3 (0-based here); neighbour[j] is the face
// across that edge as a 1-based face number, 0 for none.
struct ModelFace {
    std::int32_t vertexIndex[3] = {0, 0, 0};  // one index selects both the position and the normal
    float texCoord[3][2] = {{0, 0}, {0, 0}, {0, 0}};
    std::int32_t reserved0[3] = {0, 0, 0};
    std::int32_t neighbour[3] = {0, 0, 0};
    std::int32_t lit = 0;  // rewritten by every shadow cast; the stored value means nothing
    Vec3 faceNormal;       // unit; stored for tools, never read by the game
    Vec4 plane;            // (P2 - P1) x (P3 - P1), not normalised, and d = -(n . P1)
    std::int32_t reserved1[4] = {0, 0, 0, 0};
};

// A run of faces drawn with one texture. lastFace below firstFace is a legal empty run.
struct ModelMaterial {
    std::int32_t firstFace = 0;  // 0-based, inclusive
    std::int32_t lastFace = -1;  // inclusive
    std::int32_t reserved0[2] = {0, 0};
    std::int32_t textureSlot = 0;  // 1..12 of textureSlots; not checked here, the drawing code decides
    std::int32_t reserved1[24] = {};
};

constexpr std::size_t kModelHeaderBytes = 12;
constexpr std::size_t kModelVertexBytes = 12;  // per array: positions, then normals
constexpr std::size_t kModelFaceBytes = 108;
constexpr std::size_t kModelMaterialBytes = 116;

static_assert(sizeof(Vec3) == kModelVertexBytes, "a position or normal is three float32");
static_assert(sizeof(ModelFace) == kModelFaceBytes, "face record is 27 words");
static_assert(offsetof(ModelFace, texCoord) == 12, "face layout");
static_assert(offsetof(ModelFace, neighbour) == 48, "face layout");
static_assert(offsetof(ModelFace, lit) == 60, "face layout");
static_assert(offsetof(ModelFace, faceNormal) == 64, "face layout");
static_assert(offsetof(ModelFace, plane) == 76, "face layout");
static_assert(offsetof(ModelFace, reserved1) == 92, "face layout");
static_assert(sizeof(ModelMaterial) == kModelMaterialBytes, "material record is 29 words");
static_assert(offsetof(ModelMaterial, lastFace) == 4, "material layout");
static_assert(offsetof(ModelMaterial, textureSlot) == 16, "material layout");
static_assert(offsetof(ModelMaterial, reserved1) == 20, "material layout");
static_assert(std::is_trivially_copyable<ModelFace>::value &&
                  std::is_trivially_copyable<ModelMaterial>::value,
              "records are copied word by word");

// A loaded mesh. The counts always equal the sizes of the arrays; the empty model (all 0) draws and
// casts nothing.
struct Model {
    std::int32_t vertexCount = 0;
    std::int32_t faceCount = 0;
    std::int32_t materialCount = 0;
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<ModelFace> faces;
    std::vector<ModelMaterial> materials;
};

bool isEmptyModel(const Model& model);

// Reads one .s3d file. A missing file gives the empty model without a message. So does a file the game
// could not use safely: one shorter than its header promises (a truncated copy), negative counts, or a
// vertex index, neighbour number (0..F) or non-empty material run (inside 0..F-1) outside its array.
// Bytes after the last material are ignored.
Model loadModel(const std::string& path);

// The same checks over bytes already in memory.
Model decodeModel(const unsigned char* bytes, std::size_t size);

// The file image of a model, exactly the layout loadModel reads.
std::vector<unsigned char> encodeModel(const Model& model);

// Writes encodeModel(model) to path; false when the file could not be written completely.
bool writeModel(const std::string& path, const Model& model);

// The game's model tables, loaded at start-up and kept until the program ends. Room as the tables have;
// only the first entries are filled.
constexpr int kSceneryModelCapacity = 28;
constexpr int kWalkFrameCapacity = 112;
constexpr int kPushFrameCapacity = 105;

struct ModelTables {
    Model scenery[kSceneryModelCapacity];
    Model walkFrames[kWalkFrameCapacity];
    Model pushFrames[kPushFrameCapacity];
};
