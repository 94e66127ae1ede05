// Treats arbitrary bytes as a model file and loads it through the file path the game uses. Whatever the
// bytes, the loader must come back without reading out of bounds, and either with the empty model or with
// one whose every index lands inside its arrays and whose bytes are exactly the file's opening bytes.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "formats/model.h"

namespace {

int g_file = -1;
std::string g_path;

void initialise() {
    g_file = ::memfd_create("model", 0);
    if (g_file < 0) std::abort();
    g_path = "/proc/self/fd/" + std::to_string(g_file);
}

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
    if (g_file < 0) initialise();
    if (::ftruncate(g_file, 0) != 0) std::abort();
    if (size > 0 && ::pwrite(g_file, data, size, 0) != static_cast<ssize_t>(size)) std::abort();

    const Model model = loadModel(g_path);
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
