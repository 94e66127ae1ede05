// Guards the TGA reader and writer: pixel order and origin, the kinds of TGA it accepts, and that bad
// files give the empty image without reading out of bounds.

#include "render/tga_image.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// An 18-byte TGA header.
Bytes header(int imageType, int width, int height, int bitsPerPixel, int descriptor, int mapEntries = 0,
             int mapBits = 0) {
    Bytes bytes(18, 0);
    bytes[1] = mapEntries > 0 ? 1 : 0;
    bytes[2] = static_cast<std::uint8_t>(imageType);
    bytes[5] = static_cast<std::uint8_t>(mapEntries & 0xFF);
    bytes[6] = static_cast<std::uint8_t>(mapEntries >> 8);
    bytes[7] = static_cast<std::uint8_t>(mapBits);
    bytes[12] = static_cast<std::uint8_t>(width & 0xFF);
    bytes[13] = static_cast<std::uint8_t>(width >> 8);
    bytes[14] = static_cast<std::uint8_t>(height & 0xFF);
    bytes[15] = static_cast<std::uint8_t>(height >> 8);
    bytes[16] = static_cast<std::uint8_t>(bitsPerPixel);
    bytes[17] = static_cast<std::uint8_t>(descriptor);
    return bytes;
}

constexpr int kBottomLeft = 0x08;  // 8 alpha bits, rows stored bottom first
constexpr int kTopLeft = 0x28;     // 8 alpha bits, rows stored top first

// A 3 x 2 image whose stored pixels are numbered 1 to 6 in file order, in red; BGRA as TGA stores them.
Bytes numberedPixels(int descriptor) {
    Bytes bytes = header(2, 3, 2, 32, descriptor);
    for (std::uint8_t n = 1; n <= 6; ++n) {
        const std::uint8_t pixel[] = {0, 0, static_cast<std::uint8_t>(n * 10), 200};
        bytes.insert(bytes.end(), pixel, pixel + 4);
    }
    return bytes;
}

int redAt(const Image& image, int x, int y) {
    return pixelAt(image, x, y)[0];
}

Image decode(const Bytes& bytes) {
    return decodeTgaImage(bytes.data(), bytes.size());
}

TEST(TgaDecode, BottomFirstFileKeepsItsFirstPixelAtTheLowerLeft) {
    const Image image = decode(numberedPixels(kBottomLeft));
    ASSERT_TRUE(isImageValid(image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    // Stored rows: bottom (1 2 3), then top (4 5 6).
    EXPECT_EQ(redAt(image, 0, 0), 10);
    EXPECT_EQ(redAt(image, 2, 0), 30);
    EXPECT_EQ(redAt(image, 0, 1), 40);
    EXPECT_EQ(redAt(image, 2, 1), 60);
    EXPECT_EQ(pixelAt(image, 0, 0)[3], 200);
}

TEST(TgaDecode, TopFirstFileIsTurnedSoItsFirstPixelLandsAtTheUpperLeft) {
    const Image image = decode(numberedPixels(kTopLeft));
    ASSERT_TRUE(isImageValid(image));
    // Stored rows: top (1 2 3), then bottom (4 5 6).
    EXPECT_EQ(redAt(image, 0, 1), 10);
    EXPECT_EQ(redAt(image, 2, 1), 30);
    EXPECT_EQ(redAt(image, 0, 0), 40);
    EXPECT_EQ(redAt(image, 2, 0), 60);
}

TEST(TgaDecode, ChannelsComeOutAsRgbaFromBgraStorage) {
    Bytes bytes = header(2, 1, 1, 32, kBottomLeft);
    bytes.insert(bytes.end(), {11, 22, 33, 44});
    const Image image = decode(bytes);
    ASSERT_TRUE(isImageValid(image));
    const std::uint8_t* p = pixelAt(image, 0, 0);
    EXPECT_EQ(p[0], 33);
    EXPECT_EQ(p[1], 22);
    EXPECT_EQ(p[2], 11);
    EXPECT_EQ(p[3], 44);
}

TEST(TgaDecode, OtherCommonKindsDecodeWithOpaqueAlpha) {
    // 24-bit true colour.
    Bytes rgb = header(2, 2, 1, 24, 0);
    rgb.insert(rgb.end(), {1, 2, 3, 4, 5, 6});
    Image image = decode(rgb);
    ASSERT_TRUE(isImageValid(image));
    EXPECT_EQ(pixelAt(image, 1, 0)[0], 6);
    EXPECT_EQ(pixelAt(image, 1, 0)[3], 255);

    // 8-bit grey.
    Bytes grey = header(3, 2, 1, 8, 0);
    grey.insert(grey.end(), {70, 90});
    image = decode(grey);
    ASSERT_TRUE(isImageValid(image));
    EXPECT_EQ(pixelAt(image, 1, 0)[0], 90);
    EXPECT_EQ(pixelAt(image, 1, 0)[2], 90);
    EXPECT_EQ(pixelAt(image, 1, 0)[3], 255);

    // Colour-mapped: two 24-bit entries, four 8-bit indices.
    Bytes mapped = header(1, 2, 2, 8, 0, 2, 24);
    mapped.insert(mapped.end(), {0, 0, 255, 255, 0, 0});  // red, blue (BGR)
    mapped.insert(mapped.end(), {0, 1, 1, 0});
    image = decode(mapped);
    ASSERT_TRUE(isImageValid(image));
    EXPECT_EQ(pixelAt(image, 0, 0)[0], 255);
    EXPECT_EQ(pixelAt(image, 1, 0)[2], 255);
}

TEST(TgaDecode, RunLengthPacketsExpandInBothOrigins) {
    for (const int descriptor : {kBottomLeft, kTopLeft}) {
        // A run of three pixels of 50, then a raw packet of three: 60, 70, 80.
        Bytes bytes = header(10, 3, 2, 32, descriptor);
        bytes.insert(bytes.end(), {0x82, 0, 0, 50, 255});
        bytes.insert(bytes.end(), {0x02, 0, 0, 60, 255, 0, 0, 70, 255, 0, 0, 80, 255});
        const Image image = decode(bytes);
        ASSERT_TRUE(isImageValid(image));
        const int firstRow = descriptor == kBottomLeft ? 0 : 1;
        EXPECT_EQ(redAt(image, 0, firstRow), 50);
        EXPECT_EQ(redAt(image, 2, firstRow), 50);
        EXPECT_EQ(redAt(image, 0, 1 - firstRow), 60);
        EXPECT_EQ(redAt(image, 2, 1 - firstRow), 80);
    }
}

TEST(TgaEncode, WrittenImagesReadBackPixelForPixel) {
    Image image = makeImage(5, 3);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<std::uint8_t>(i * 7);
    const Bytes bytes = encodeTgaImage(image);
    ASSERT_EQ(bytes.size(), 18u + 5 * 3 * 4);
    EXPECT_EQ(bytes[17] & 0x20, 0) << "rows must be stored bottom first";
    const Image back = decode(bytes);
    ASSERT_TRUE(isImageValid(back));
    EXPECT_EQ(back.width, 5);
    EXPECT_EQ(back.height, 3);
    EXPECT_EQ(back.pixels, image.pixels);
}

TEST(TgaEncode, InvalidImagesAreNotWritten) {
    testing_support::TempDir dir;
    EXPECT_TRUE(encodeTgaImage(Image{}).empty());
    Image lying = makeImage(2, 2);
    lying.pixels.pop_back();
    EXPECT_FALSE(saveTgaImage(dir / "lying.tga", lying));
    EXPECT_FALSE(saveTgaImage(dir / "no/such/folder/x.tga", makeImage(1, 1)));
    EXPECT_TRUE(makeImage(0, 4).pixels.empty());
    EXPECT_FALSE(isImageValid(makeImage(kMaxImageSide + 1, 1)));
}

TEST(TgaDecode, MalformedHeadersGiveTheEmptyImage) {
    EXPECT_FALSE(isImageValid(decodeTgaImage(nullptr, 0)));
    EXPECT_FALSE(isImageValid(decode(Bytes(17, 0))));
    EXPECT_FALSE(isImageValid(decode(header(2, 0, 4, 32, 0))));  // no width
    EXPECT_FALSE(isImageValid(decode(header(2, 4, 0, 32, 0))));  // no height
    EXPECT_FALSE(isImageValid(decode(header(2, 1, 1, 12, 0))));  // no such depth
    EXPECT_FALSE(isImageValid(decode(header(7, 1, 1, 32, 0))));  // no such image type
    Bytes mappedWithoutMap = header(1, 1, 1, 8, 0);
    mappedWithoutMap.push_back(0);
    EXPECT_FALSE(isImageValid(decode(mappedWithoutMap)));
}

TEST(TgaDecode, AbsurdSizesAreRefusedBeforeAnythingIsAllocated) {
    // 65535 x 65535 at 32 bits would ask for 16 GiB; run-length data could claim to fill it.
    Bytes huge = header(10, 65535, 65535, 32, 0);
    huge.insert(huge.end(), {0xFF, 1, 2, 3, 4});
    EXPECT_FALSE(isImageValid(decode(huge)));
    Bytes justOver = header(10, kMaxImageSide + 1, 1, 32, 0);
    justOver.insert(justOver.end(), {0xFF, 1, 2, 3, 4});
    EXPECT_FALSE(isImageValid(decode(justOver)));
    Bytes atLimit = header(10, kMaxImageSide, 1, 32, 0);
    for (int i = 0; i < kMaxImageSide / 128; ++i) atLimit.insert(atLimit.end(), {0xFF, 1, 2, 3, 4});
    EXPECT_TRUE(isImageValid(decode(atLimit)));
}

TEST(TgaDecode, UncompressedDataCutShortIsRefusedRatherThanPaddedWithGarbage) {
    Bytes bytes = numberedPixels(kBottomLeft);
    bytes.pop_back();
    EXPECT_FALSE(isImageValid(decode(bytes)));
    Bytes mapped = header(1, 2, 2, 8, 0, 2, 24);
    mapped.insert(mapped.end(), {0, 0, 255, 255, 0, 0, 0, 1, 1});  // one index short
    EXPECT_FALSE(isImageValid(decode(mapped)));
}

// Every truncation and many single-byte corruptions of valid files: the reader must stay in bounds (the
// checking build runs this under AddressSanitizer) and any image it returns must be self-consistent.
TEST(TgaDecode, CorruptedFilesNeverReadOutOfBounds) {
    Bytes runLength = header(10, 4, 4, 32, kTopLeft);
    for (int i = 0; i < 4; ++i) runLength.insert(runLength.end(), {0x83, 9, 8, 7, 6});
    Bytes mapped = header(9, 4, 2, 8, 0, 3, 32);
    mapped.insert(mapped.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0x87, 2});
    for (const Bytes& original : {numberedPixels(kTopLeft), runLength, mapped}) {
        ASSERT_TRUE(isImageValid(decode(original)));
        for (std::size_t length = 0; length < original.size(); ++length) {
            const Image image = decodeTgaImage(original.data(), length);
            EXPECT_TRUE(image.width == 0 || isImageValid(image));
        }
        std::uint32_t state = 12345;
        for (int trial = 0; trial < 3000; ++trial) {
            Bytes corrupt = original;
            state = state * 1103515245u + 12345u;
            const std::size_t at = (state >> 8) % corrupt.size();
            state = state * 1103515245u + 12345u;
            corrupt[at] = static_cast<std::uint8_t>(state >> 16);
            const Image image = decode(corrupt);
            EXPECT_TRUE(image.width == 0 || isImageValid(image));
        }
    }
}

TEST(TgaLoad, MissingFoldersAndPipesGiveTheEmptyImageQuietly) {
    testing_support::TempDir dir;
    EXPECT_FALSE(isImageValid(loadTgaImage(dir / "missing.tga")));
    ::mkdir((dir / "folder.tga").c_str(), 0755);
    EXPECT_FALSE(isImageValid(loadTgaImage(dir / "folder.tga")));
    // A pipe nobody writes to would block a plain read for ever.
    ASSERT_EQ(::mkfifo((dir / "pipe.tga").c_str(), 0644), 0);
    EXPECT_FALSE(isImageValid(loadTgaImage(dir / "pipe.tga")));
}

TEST(TgaLoad, SavedFileLoadsBack) {
    testing_support::TempDir dir;
    Image image = makeImage(4, 2, 10, 20, 30, 40);
    pixelAt(image, 3, 1)[0] = 99;
    ASSERT_TRUE(saveTgaImage(dir / "saved.tga", image));
    const Image back = loadTgaImage(dir / "saved.tga");
    ASSERT_TRUE(isImageValid(back));
    EXPECT_EQ(back.pixels, image.pixels);
    EXPECT_EQ(redAt(back, 3, 1), 99);
}

}  // namespace
