// The TGA reader and writer: pixel order and origin, the kinds of TGA it accepts, and that bad files give
// the empty image without reading out of bounds.

#include "formats/tga_image.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// An 18-byte TGA header, then the given bytes.
Bytes tga(int imageType, int width, int height, int bitsPerPixel, int descriptor, Bytes data = {},
          int mapEntries = 0, int mapBits = 0) {
    Bytes bytes(18, 0);
    const auto put = [&](std::size_t at, int value, int size) {
        for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(1, mapEntries > 0 ? 1 : 0, 1);
    put(2, imageType, 1);
    put(5, mapEntries, 2);
    put(7, mapBits, 1);
    put(12, width, 2);
    put(14, height, 2);
    put(16, bitsPerPixel, 1);
    put(17, descriptor, 1);
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

constexpr int kBottomLeft = 0x08;  // 8 alpha bits, rows stored bottom first
constexpr int kTopLeft = 0x28;     // 8 alpha bits, rows stored top first

// A 3 x 2 image whose stored pixels are numbered 1 to 6 in file order, in red; BGRA as TGA stores them.
Bytes numberedPixels(int descriptor) {
    Bytes pixels;
    for (std::uint8_t n = 1; n <= 6; ++n)
        pixels.insert(pixels.end(), {0, 0, static_cast<std::uint8_t>(n * 10), 200});
    return tga(2, 3, 2, 32, descriptor, pixels);
}

Image decode(const Bytes& bytes) {
    return decodeTgaImage(bytes.data(), bytes.size());
}

// The red byte at each corner, reading (0, 0), (2, 0), (0, 1), (2, 1), y upwards from the lower left.
std::vector<int> corners(const Image& image) {
    if (!isImageValid(image)) return {};
    return {pixelAt(image, 0, 0)[0], pixelAt(image, 2, 0)[0], pixelAt(image, 0, 1)[0],
            pixelAt(image, 2, 1)[0]};
}

TEST(TgaDecode, EitherOriginPutsTheImagesTopRowOnTop) {
    const Image bottomFirst = decode(numberedPixels(kBottomLeft));
    ASSERT_TRUE(isImageValid(bottomFirst));
    EXPECT_EQ(bottomFirst.width, 3);
    EXPECT_EQ(bottomFirst.height, 2);
    EXPECT_EQ(corners(bottomFirst), (std::vector<int>{10, 30, 40, 60}));
    EXPECT_EQ(pixelAt(bottomFirst, 0, 0)[3], 200);
    EXPECT_EQ(corners(decode(numberedPixels(kTopLeft))), (std::vector<int>{40, 60, 10, 30}));
    // A run of three pixels of 50, then a raw packet of three: 60, 70, 80.
    const Bytes packets = {0x82, 0, 0, 50, 255, 0x02, 0, 0, 60, 255, 0, 0, 70, 255, 0, 0, 80, 255};
    EXPECT_EQ(corners(decode(tga(10, 3, 2, 32, kBottomLeft, packets))), (std::vector<int>{50, 50, 60, 80}));
    EXPECT_EQ(corners(decode(tga(10, 3, 2, 32, kTopLeft, packets))), (std::vector<int>{60, 80, 50, 50}));
}

TEST(TgaDecode, CommonKindsComeOutAsRgba) {
    const Image bgra = decode(tga(2, 1, 1, 32, kBottomLeft, {11, 22, 33, 44}));
    ASSERT_TRUE(isImageValid(bgra));
    const std::uint8_t* p = pixelAt(bgra, 0, 0);
    EXPECT_EQ(p[0], 33);
    EXPECT_EQ(p[1], 22);
    EXPECT_EQ(p[2], 11);
    EXPECT_EQ(p[3], 44);
    const Image rgb = decode(tga(2, 2, 1, 24, 0, {1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(isImageValid(rgb));
    EXPECT_EQ(pixelAt(rgb, 1, 0)[0], 6);
    EXPECT_EQ(pixelAt(rgb, 1, 0)[3], 255);
    const Image grey = decode(tga(3, 2, 1, 8, 0, {70, 90}));
    ASSERT_TRUE(isImageValid(grey));
    EXPECT_EQ(pixelAt(grey, 1, 0)[2], 90);
    EXPECT_EQ(pixelAt(grey, 1, 0)[3], 255);
    // Colour-mapped: two 24-bit entries, red and blue (BGR), then four 8-bit indices.
    const Image mapped = decode(tga(1, 2, 2, 8, 0, {0, 0, 255, 255, 0, 0, 0, 1, 1, 0}, 2, 24));
    ASSERT_TRUE(isImageValid(mapped));
    EXPECT_EQ(pixelAt(mapped, 0, 0)[0], 255);
    EXPECT_EQ(pixelAt(mapped, 1, 0)[2], 255);
}

TEST(TgaDecode, MalformedShortOrAbsurdFilesGiveTheEmptyImage) {
    Bytes cutShort = numberedPixels(kBottomLeft);  // refused rather than padded with garbage
    cutShort.pop_back();
    Bytes atLimit = tga(10, kMaxImageSide, 1, 32, 0);
    for (int i = 0; i < kMaxImageSide / 128; ++i) atLimit.insert(atLimit.end(), {0xFF, 1, 2, 3, 4});
    EXPECT_TRUE(isImageValid(decode(atLimit)));  // one full run-length packet per 128 pixels: the least
    Bytes runsCutShort = atLimit;
    runsCutShort.pop_back();
    EXPECT_FALSE(isImageValid(decodeTgaImage(nullptr, 0)));
    int index = 0;
    for (const Bytes& bad :
         {Bytes(17, 0), tga(2, 0, 4, 32, 0), tga(2, 4, 0, 32, 0), tga(2, 1, 1, 12, 0), tga(7, 1, 1, 32, 0),
          tga(1, 1, 1, 8, 0, {0}), cutShort, tga(1, 2, 2, 8, 0, {0, 0, 255, 255, 0, 0, 0, 1, 1}, 2, 24),
          // 65535 x 65535 at 32 bits would ask for 16 GiB; run-length data could claim it.
          tga(10, 65535, 65535, 32, 0, {0xFF, 1, 2, 3, 4}),
          tga(10, kMaxImageSide + 1, 1, 32, 0, {0xFF, 1, 2, 3, 4}),
          // 23 bytes must not cost a 64 MB decode: run-length data too short for the pixels it declares.
          tga(10, kMaxImageSide, kMaxImageSide, 32, 0, {0xFF, 1, 2, 3, 4}), runsCutShort}) {
        EXPECT_FALSE(isImageValid(decode(bad))) << "case " << index;  // streamed only on a failure
        ++index;
    }
}

TEST(TgaFile, SavedImagesLoadBackBottomRowFirstAndBadOnesAreNotWritten) {
    testing_support::TempDir dir;
    Image image = makeImage(5, 3);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<std::uint8_t>(i * 7);
    const Bytes bytes = encodeTgaImage(image);
    ASSERT_EQ(bytes.size(), 18u + 5 * 3 * 4);
    EXPECT_EQ(bytes[17] & 0x20, 0) << "rows must be stored bottom first";
    ASSERT_TRUE(saveTgaImage(dir / "saved.tga", image));
    const Image back = loadTgaImage(dir / "saved.tga");
    ASSERT_TRUE(isImageValid(back));
    EXPECT_EQ(back.width, 5);
    EXPECT_EQ(back.pixels, image.pixels);

    EXPECT_TRUE(encodeTgaImage(Image{}).empty());
    Image lying = makeImage(2, 2);
    lying.pixels.pop_back();
    EXPECT_FALSE(saveTgaImage(dir / "lying.tga", lying));
    EXPECT_FALSE(saveTgaImage(dir / "no/such/folder/x.tga", makeImage(1, 1)));
    EXPECT_FALSE(isImageValid(makeImage(kMaxImageSide + 1, 1)));
}

TEST(TgaFile, MissingFoldersAndPipesGiveTheEmptyImageQuietly) {
    testing_support::TempDir dir;
    EXPECT_FALSE(isImageValid(loadTgaImage(dir / "missing.tga")));
    ::mkdir((dir / "folder.tga").c_str(), 0755);
    EXPECT_FALSE(isImageValid(loadTgaImage(dir / "folder.tga")));
    // A pipe nobody writes to would block a plain read for ever.
    ASSERT_EQ(::mkfifo((dir / "pipe.tga").c_str(), 0644), 0);
    EXPECT_FALSE(isImageValid(loadTgaImage(dir / "pipe.tga")));
}

}  // namespace
