// The .s3d reader and writer: the byte layout, the edge cases a model file can present, and the refusal
// of files whose counts or indices would send the drawing or shadow code outside its arrays.

#include "formats/model.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using testing_support::TempDir;

// Builds file bytes by hand, word by word, so the tests do not lean on the writer they check.
struct Bytes {
    std::vector<unsigned char> data;

    Bytes& word(std::uint32_t w) {
        for (int i = 0; i < 4; ++i) data.push_back(static_cast<unsigned char>((w >> (8 * i)) & 0xFF));
        return *this;
    }
    Bytes& integer(std::int32_t value) { return word(static_cast<std::uint32_t>(value)); }
    Bytes& real(float value) {
        std::uint32_t w = 0;
        std::memcpy(&w, &value, 4);
        return word(w);
    }
    Bytes& zeros(int words) {
        for (int i = 0; i < words; ++i) word(0);
        return *this;
    }
    void put(std::size_t offset, std::int32_t value) {
        for (int i = 0; i < 4; ++i)
            data[offset + i] =
                static_cast<unsigned char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
    }
    std::string text() const { return std::string(data.begin(), data.end()); }
};

// The smallest useful file: V = 3, F = 1, M = 1, one triangle (0, 1, 2) drawn with texture slot 6.
constexpr std::size_t kFaceOffset = 12 + 24 * 3;
constexpr std::size_t kMaterialOffset = kFaceOffset + 108;

Bytes oneTriangle() {
    Bytes b;
    b.integer(3).integer(1).integer(1);
    b.real(0).real(0).real(0).real(1).real(0).real(0).real(0).real(1).real(0);  // positions
    for (int i = 0; i < 3; ++i) b.real(0).real(0).real(1);                      // normals
    b.integer(0).integer(1).integer(2);                                         // vertexIndex
    b.real(0).real(0).real(1).real(0).real(0).real(1);                          // texCoord
    b.zeros(3);                                                                 // reserved
    b.zeros(3);                                                                 // neighbour
    b.integer(7);                                                               // lit, ignored
    b.real(0).real(0).real(1);                                                  // faceNormal
    b.real(0).real(0).real(1).real(0);                                          // plane
    b.zeros(4);                                                                 // reserved
    b.integer(0).integer(0).zeros(2).integer(6).zeros(24);                      // material 0..0, slot 6
    return b;
}

Model decode(const Bytes& b) {
    return decodeModel(b.data.data(), b.data.size());
}

bool isCompletelyEmpty(const Model& model) {
    return isEmptyModel(model) && model.positions.empty() && model.normals.empty() && model.faces.empty() &&
           model.materials.empty();
}

TEST(ModelFile, OneTriangleFileIs308BytesAndReadsFieldByField) {
    const Bytes b = oneTriangle();
    ASSERT_EQ(b.data.size(), 308u);
    const Model model = decode(b);
    ASSERT_EQ(model.vertexCount, 3);
    ASSERT_EQ(model.faceCount, 1);
    ASSERT_EQ(model.materialCount, 1);
    EXPECT_FLOAT_EQ(model.positions[1].x, 1.0f);
    EXPECT_FLOAT_EQ(model.positions[2].y, 1.0f);
    EXPECT_FLOAT_EQ(model.normals[2].z, 1.0f);
    const ModelFace& face = model.faces[0];
    EXPECT_EQ(face.vertexIndex[2], 2);
    EXPECT_FLOAT_EQ(face.texCoord[1][0], 1.0f);  // u of corner 2
    EXPECT_FLOAT_EQ(face.texCoord[2][1], 1.0f);  // v of corner 3
    for (const std::int32_t neighbour : face.neighbour) EXPECT_EQ(neighbour, 0);
    EXPECT_FLOAT_EQ(face.plane.z, 1.0f);
    EXPECT_EQ(model.materials[0].textureSlot, 6);
    EXPECT_EQ(model.materials[0].lastFace, 0);
}

TEST(ModelFile, HeaderOnlyMissingAndNonRegularFilesGiveTheEmptyModelSilently) {
    TempDir dir;
    Bytes header;
    header.integer(0).integer(0).integer(0);
    testing_support::writeFile(dir / "empty.s3d", header.text());

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(isCompletelyEmpty(loadModel(dir / "empty.s3d")));
    EXPECT_TRUE(isCompletelyEmpty(loadModel(dir / "missing.s3d")));
    EXPECT_TRUE(isCompletelyEmpty(loadModel(dir.path())));
    // A device that never ends must not be read until it does.
    EXPECT_TRUE(isCompletelyEmpty(loadModel("/dev/urandom")));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// Edge values the drawing and shadow code handle themselves: an empty material run wherever it points, a
// texture slot outside the table, the face itself as its own neighbour, the last vertex.
TEST(ModelFile, EdgeValuesInsideTheArraysAreAccepted) {
    const struct {
        std::size_t offset;
        std::int32_t value;
    } cases[] = {{kMaterialOffset, 5}, {kMaterialOffset + 16, 13}, {kFaceOffset + 48, 1}, {kFaceOffset, 2}};
    for (const auto& c : cases) {
        Bytes b = oneTriangle();
        b.put(c.offset, c.value);
        const Model model = decode(b);
        ASSERT_EQ(model.faceCount, 1) << c.offset;
        EXPECT_EQ(encodeModel(model), b.data) << c.offset;
    }
}

// Each case corrupts one field of the good file; all must come back as the empty model.
TEST(ModelFile, FilesThatWouldReadOutOfBoundsAreRefused) {
    struct Corruption {
        const char* what;
        std::size_t offset;
        std::int32_t value;
    };
    const Corruption cases[] = {
        {"negative vertex count", 0, -1},
        {"negative face count", 4, -3},
        {"negative material count", 8, INT_MIN},
        {"more vertices than the file holds", 0, 4},
        {"more faces than the file holds", 4, 2},
        {"more materials than the file holds", 8, 2},
        {"huge vertex count on a short file", 0, INT_MAX},
        {"vertex index past the end", kFaceOffset + 8, 3},
        {"negative vertex index", kFaceOffset + 4, -1},
        {"neighbour past the last face", kFaceOffset + 52, 2},
        {"negative neighbour", kFaceOffset + 56, -1},
        {"material starting before face 0", kMaterialOffset, -1},
        {"material ending past the last face", kMaterialOffset + 4, 1},
    };
    for (const Corruption& corruption : cases) {
        Bytes b = oneTriangle();
        b.put(corruption.offset, corruption.value);
        EXPECT_TRUE(isCompletelyEmpty(decode(b))) << corruption.what;
    }
}

TEST(ModelFile, TruncatedFilesAreRefusedAtEveryLength) {
    const Bytes whole = oneTriangle();
    for (std::size_t length = 0; length < whole.data.size(); ++length) {
        EXPECT_TRUE(isCompletelyEmpty(decodeModel(whole.data.data(), length))) << length << " bytes";
    }
    // The file reader stops where the file does, inside the header or inside the arrays.
    TempDir dir;
    for (const std::size_t length : {0, 11, 200, 307}) {
        testing_support::writeFile(dir / "short.s3d", whole.text().substr(0, length));
        EXPECT_TRUE(isCompletelyEmpty(loadModel(dir / "short.s3d"))) << length << " bytes";
    }
}

TEST(ModelFile, WriterProducesTheLayoutTheReaderExpectsAndTrailingBytesAreIgnored) {
    TempDir dir;
    Bytes tail = oneTriangle();
    tail.integer(-1).integer(12345).real(3.5f);
    testing_support::writeFile(dir / "tail.s3d", tail.text());
    const Model model = loadModel(dir / "tail.s3d");
    ASSERT_EQ(model.faceCount, 1);
    EXPECT_EQ(encodeModel(model), oneTriangle().data);
    ASSERT_TRUE(writeModel(dir / "copy.s3d", model));
    EXPECT_EQ(testing_support::readFile(dir / "copy.s3d"), oneTriangle().text());
    EXPECT_EQ(encodeModel(Model{}), std::vector<unsigned char>(12, 0));
    EXPECT_FALSE(writeModel(dir / "no-such-folder/copy.s3d", model));
}

}  // namespace
