#include "formats/model.h"

#include <sys/stat.h>

#include <cassert>
#include <cstdio>
#include <cstring>

namespace {

std::uint32_t readWord(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void writeWord(unsigned char* bytes, std::uint32_t word) {
    bytes[0] = static_cast<unsigned char>(word & 0xFF);
    bytes[1] = static_cast<unsigned char>((word >> 8) & 0xFF);
    bytes[2] = static_cast<unsigned char>((word >> 16) & 0xFF);
    bytes[3] = static_cast<unsigned char>((word >> 24) & 0xFF);
}

std::int32_t readInt32(const unsigned char* bytes) {
    const std::uint32_t word = readWord(bytes);
    std::int32_t value = 0;
    std::memcpy(&value, &word, sizeof value);
    return value;
}

// Every record is a run of 4-byte words (int32 or float32), so one little-endian word at a time fills
// it whatever the host's byte order, and float bit patterns pass through untouched.
template <typename Record>
const unsigned char* readRecord(const unsigned char* bytes, Record& record) {
    static_assert(sizeof(Record) % 4 == 0, "records are whole words");
    auto* out = reinterpret_cast<unsigned char*>(&record);
    for (std::size_t offset = 0; offset < sizeof(Record); offset += 4) {
        const std::uint32_t word = readWord(bytes + offset);
        std::memcpy(out + offset, &word, 4);
    }
    return bytes + sizeof(Record);
}

template <typename Record>
unsigned char* writeRecord(unsigned char* bytes, const Record& record) {
    static_assert(sizeof(Record) % 4 == 0, "records are whole words");
    const auto* in = reinterpret_cast<const unsigned char*>(&record);
    for (std::size_t offset = 0; offset < sizeof(Record); offset += 4) {
        std::uint32_t word = 0;
        std::memcpy(&word, in + offset, 4);
        writeWord(bytes + offset, word);
    }
    return bytes + sizeof(Record);
}

// The length the header promises, or -1 for a negative count. Counts are at most 2^31 - 1, so the sum
// stays far inside 64 bits.
long long promisedBytes(std::int32_t vertices, std::int32_t faces, std::int32_t materials) {
    if (vertices < 0 || faces < 0 || materials < 0) return -1;
    return static_cast<long long>(kModelHeaderBytes) +
           2LL * static_cast<long long>(kModelVertexBytes) * vertices +
           static_cast<long long>(kModelFaceBytes) * faces +
           static_cast<long long>(kModelMaterialBytes) * materials;
}

// Every index the drawing and shadow code follows must land inside its array.
bool indicesInRange(const Model& model) {
    for (const ModelFace& face : model.faces) {
        for (int corner = 0; corner < 3; ++corner) {
            const std::int32_t vertex = face.vertexIndex[corner];
            if (vertex < 0 || vertex >= model.vertexCount) return false;
            const std::int32_t neighbour = face.neighbour[corner];
            if (neighbour < 0 || neighbour > model.faceCount) return false;
        }
    }
    for (const ModelMaterial& material : model.materials) {
        if (material.lastFace < material.firstFace) continue;  // draws nothing, reads nothing
        if (material.firstFace < 0 || material.lastFace >= model.faceCount) return false;
    }
    return true;
}

}  // namespace

bool isEmptyModel(const Model& model) {
    return model.vertexCount == 0 && model.faceCount == 0 && model.materialCount == 0;
}

Model decodeModel(const unsigned char* bytes, std::size_t size) {
    if (bytes == nullptr || size < kModelHeaderBytes) return Model{};
    const std::int32_t vertices = readInt32(bytes);
    const std::int32_t faces = readInt32(bytes + 4);
    const std::int32_t materials = readInt32(bytes + 8);
    const long long promised = promisedBytes(vertices, faces, materials);
    if (promised < 0 || static_cast<unsigned long long>(promised) > size) return Model{};

    Model model;
    model.vertexCount = vertices;
    model.faceCount = faces;
    model.materialCount = materials;
    model.positions.resize(static_cast<std::size_t>(vertices));
    model.normals.resize(static_cast<std::size_t>(vertices));
    model.faces.resize(static_cast<std::size_t>(faces));
    model.materials.resize(static_cast<std::size_t>(materials));

    const unsigned char* cursor = bytes + kModelHeaderBytes;
    for (Vec3& position : model.positions) cursor = readRecord(cursor, position);
    for (Vec3& normal : model.normals) cursor = readRecord(cursor, normal);
    for (ModelFace& face : model.faces) cursor = readRecord(cursor, face);
    for (ModelMaterial& material : model.materials) cursor = readRecord(cursor, material);

    if (!indicesInRange(model)) return Model{};
    return model;
}

Model loadModel(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return Model{};

    // Only a regular file has a length to hold the header to; a device or a pipe could promise, and
    // deliver, bytes without end.
    struct stat status {};
    std::vector<unsigned char> bytes(kModelHeaderBytes);
    long long promised = -1;
    if (::fstat(::fileno(file), &status) == 0 && S_ISREG(status.st_mode) &&
        std::fread(bytes.data(), 1, kModelHeaderBytes, file) == kModelHeaderBytes) {
        promised =
            promisedBytes(readInt32(bytes.data()), readInt32(bytes.data() + 4), readInt32(bytes.data() + 8));
    }
    // Nothing is allocated for a header that promises more than the file holds, and nothing after the
    // promised length is read.
    if (promised >= 0 && promised <= static_cast<long long>(status.st_size)) {
        bytes.resize(static_cast<std::size_t>(promised));
        const std::size_t rest = bytes.size() - kModelHeaderBytes;
        if (std::fread(bytes.data() + kModelHeaderBytes, 1, rest, file) != rest) promised = -1;
    } else {
        promised = -1;
    }
    std::fclose(file);
    if (promised < 0) return Model{};
    return decodeModel(bytes.data(), bytes.size());
}

std::vector<unsigned char> encodeModel(const Model& model) {
    assert(model.vertexCount == static_cast<std::int32_t>(model.positions.size()));
    assert(model.positions.size() == model.normals.size());
    assert(model.faceCount == static_cast<std::int32_t>(model.faces.size()));
    assert(model.materialCount == static_cast<std::int32_t>(model.materials.size()));

    const long long total = promisedBytes(static_cast<std::int32_t>(model.positions.size()),
                                          static_cast<std::int32_t>(model.faces.size()),
                                          static_cast<std::int32_t>(model.materials.size()));
    std::vector<unsigned char> bytes(static_cast<std::size_t>(total));
    unsigned char* cursor = bytes.data();
    writeWord(cursor, static_cast<std::uint32_t>(model.positions.size()));
    writeWord(cursor + 4, static_cast<std::uint32_t>(model.faces.size()));
    writeWord(cursor + 8, static_cast<std::uint32_t>(model.materials.size()));
    cursor += kModelHeaderBytes;
    for (const Vec3& position : model.positions) cursor = writeRecord(cursor, position);
    for (const Vec3& normal : model.normals) cursor = writeRecord(cursor, normal);
    for (const ModelFace& face : model.faces) cursor = writeRecord(cursor, face);
    for (const ModelMaterial& material : model.materials) cursor = writeRecord(cursor, material);
    return bytes;
}

bool writeModel(const std::string& path, const Model& model) {
    const std::vector<unsigned char> bytes = encodeModel(model);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}
