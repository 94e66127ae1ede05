#include "formats/tga_image.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

// stb_image compiled here for TGA only and with private symbols, so no other decoder is reachable from
// a file and no other user of stb in the program can clash with this copy.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS kMaxImageSide
#include <stb/stb_image.h>

namespace {

constexpr std::size_t kTgaHeaderSize = 18;
constexpr std::uint8_t kDescriptorTopOrigin = 0x20;  // bit 5: first stored row is the top row
constexpr std::uint8_t kDescriptorAlphaBits = 8;     // 8 attribute (alpha) bits per pixel

// The largest file a valid image of ours could need: run-length packets of one pixel each at 5 bytes
// per pixel, plus header, identification field and a full 16-bit colour map.
constexpr std::uintmax_t kMaxTgaFileSize =
    kTgaHeaderSize + 255 + 2 * 65535u * 4 + std::uintmax_t{kMaxImageSide} * kMaxImageSide * 5;

unsigned readLe16(const std::uint8_t* bytes) {
    return static_cast<unsigned>(bytes[0]) | static_cast<unsigned>(bytes[1]) << 8;
}

// stb_image does not notice when uncompressed pixel data stops short and would hand back rows of
// uninitialised memory, so an uncompressed file must hold all the bytes its header promises. Past the end
// of run-length data it reads zeros, so a 20-byte file could make every decode fill 4096 x 4096 pixels:
// run-length data must hold at least one packet (a count byte and one pixel) per 128 pixels.
bool holdsItsPixelData(const std::uint8_t* data, std::size_t size) {
    const unsigned idLength = data[0];
    const bool mapped = data[1] == 1;
    const bool runLength = data[2] >= 8;
    std::size_t needed = kTgaHeaderSize + idLength;
    if (mapped) {
        const unsigned firstEntry = readLe16(data + 3);
        const unsigned entries = readLe16(data + 5);
        const unsigned entryBytes = (data[7] + 7u) / 8u;
        needed += firstEntry + std::size_t{entries} * entryBytes;
    }
    const std::size_t width = readLe16(data + 12);
    const std::size_t height = readLe16(data + 14);
    const std::size_t bytesPerPixel = (data[16] + 7u) / 8u;
    const std::size_t pixels = width * height;
    needed += runLength ? (pixels + 127) / 128 * (1 + bytesPerPixel) : pixels * bytesPerPixel;
    return size >= needed;
}

}  // namespace

bool isImageValid(const Image& image) {
    return image.width > 0 && image.height > 0 && image.width <= kMaxImageSide &&
           image.height <= kMaxImageSide &&
           image.pixels.size() == static_cast<std::size_t>(image.width) * image.height * 4;
}

Image makeImage(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    Image image;
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * height * 4);
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
        image.pixels[i] = r;
        image.pixels[i + 1] = g;
        image.pixels[i + 2] = b;
        image.pixels[i + 3] = a;
    }
    return image;
}

std::uint8_t* pixelAt(Image& image, int x, int y) {
    return image.pixels.data() + (static_cast<std::size_t>(y) * image.width + x) * 4;
}

const std::uint8_t* pixelAt(const Image& image, int x, int y) {
    return image.pixels.data() + (static_cast<std::size_t>(y) * image.width + x) * 4;
}

Image decodeTgaImage(const std::uint8_t* data, std::size_t size) {
    Image image;
    if (data == nullptr || size < kTgaHeaderSize || size > kMaxTgaFileSize) return image;
    const int length = static_cast<int>(size);

    int width = 0;
    int height = 0;
    int channels = 0;
    if (stbi_info_from_memory(data, length, &width, &height, &channels) == 0) return image;
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) return image;
    if (!holdsItsPixelData(data, size)) return image;

    stbi_uc* decoded = stbi_load_from_memory(data, length, &width, &height, &channels, 4);
    if (decoded == nullptr) return image;
    if (width >= 1 && height >= 1 && width <= kMaxImageSide && height <= kMaxImageSide) {
        // stb_image hands rows over top row first, whatever the file's origin; ours run bottom first.
        image.width = width;
        image.height = height;
        const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
        image.pixels.resize(rowBytes * height);
        for (int row = 0; row < height; ++row) {
            const stbi_uc* source = decoded + static_cast<std::size_t>(height - 1 - row) * rowBytes;
            std::copy(source, source + rowBytes, image.pixels.begin() + row * rowBytes);
        }
    }
    stbi_image_free(decoded);
    return image;
}

Image loadTgaImage(const std::string& path) {
    // Only a regular file is read: a directory, device or pipe of that name is as good as missing, and
    // reading one could block or never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return Image{};
    const std::uintmax_t fileSize = std::filesystem::file_size(path, error);
    if (error || fileSize < kTgaHeaderSize || fileSize > kMaxTgaFileSize) return Image{};

    std::ifstream in(path, std::ios::binary);
    if (!in) return Image{};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(fileSize));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const std::size_t got = static_cast<std::size_t>(in.gcount());
    return decodeTgaImage(bytes.data(), got);
}

std::vector<std::uint8_t> encodeTgaImage(const Image& image) {
    std::vector<std::uint8_t> bytes;
    if (!isImageValid(image)) return bytes;
    bytes.resize(kTgaHeaderSize + image.pixels.size());
    bytes[2] = 2;  // uncompressed true-colour
    bytes[12] = static_cast<std::uint8_t>(image.width & 0xFF);
    bytes[13] = static_cast<std::uint8_t>(image.width >> 8);
    bytes[14] = static_cast<std::uint8_t>(image.height & 0xFF);
    bytes[15] = static_cast<std::uint8_t>(image.height >> 8);
    bytes[16] = 32;
    bytes[17] = kDescriptorAlphaBits;  // origin bit clear: rows stored bottom first, as ours are
    static_assert((kDescriptorAlphaBits & kDescriptorTopOrigin) == 0, "bottom-up rows");
    // TGA stores each pixel as blue, green, red, alpha.
    std::uint8_t* out = bytes.data() + kTgaHeaderSize;
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
        out[i] = image.pixels[i + 2];
        out[i + 1] = image.pixels[i + 1];
        out[i + 2] = image.pixels[i];
        out[i + 3] = image.pixels[i + 3];
    }
    return bytes;
}

bool saveTgaImage(const std::string& path, const Image& image) {
    const std::vector<std::uint8_t> bytes = encodeTgaImage(image);
    if (bytes.empty()) return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
