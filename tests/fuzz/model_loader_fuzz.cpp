// Treats arbitrary bytes as a model file and loads it through the file path the game uses. Whatever the
// bytes, the loader must come back without reading out of bounds, and either with the empty model or with
// one whose every index lands inside its arrays and whose bytes are exactly the file's opening bytes.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "formats/model.h"
#include "memory_file.h"

namespace {

bool indicesInside(const Model& model) {
    for (const ModelFace& face : model.faces) {
        for (int k = 0; k < 3; ++k) {
            if (face.vertexIndex[k] < 0 || face.vertexIndex[k] >= model.vertexCount) return false;
            if (face.neighbour[k] < 0 || face.neighbour[k] > model.faceCount) return false;
        }
    }
    for (const ModelMaterial& material : model.materials) {
        if (material.lastFace >= material.firstFace &&
            (material.firstFace < 0 || material.lastFace >= model.faceCount)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* path = memoryFileHolding(data, size);

    const Model model = loadModel(path);
    const std::vector<unsigned char> encoded = encodeModel(model);
    if (encoded != encodeModel(decodeModel(data, size))) std::abort();  // file and memory agree

    if (isEmptyModel(model)) {
        if (!model.positions.empty() || !model.normals.empty() || !model.faces.empty() ||
            !model.materials.empty()) {
            std::abort();
        }
        return 0;
    }
    if (model.positions.size() != static_cast<std::size_t>(model.vertexCount) ||
        model.normals.size() != model.positions.size() ||
        model.faces.size() != static_cast<std::size_t>(model.faceCount) ||
        model.materials.size() != static_cast<std::size_t>(model.materialCount)) {
        std::abort();
    }
    if (!indicesInside(model)) std::abort();
    if (encoded.size() > size || std::memcmp(encoded.data(), data, encoded.size()) != 0) std::abort();
    return 0;
}
