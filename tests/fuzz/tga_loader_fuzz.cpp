// Treats arbitrary bytes as a TGA file, decoded from memory and loaded through the file path the game reads
// its textures from. The two must agree; an image must be self-consistent, no larger than its file can
// describe, and come back pixel for pixel after a round trip through the writer.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/tga_image.h"

namespace {

int g_file = -1;
std::string g_path;

void initialise() {
    g_file = ::memfd_create("tga", 0);
    if (g_file < 0) std::abort();
    g_path = "/proc/self/fd/" + std::to_string(g_file);
}

bool sameImage(const Image& a, const Image& b) {
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (g_file < 0) initialise();
    if (::ftruncate(g_file, 0) != 0) std::abort();
    if (size > 0 && ::pwrite(g_file, data, size, 0) != static_cast<ssize_t>(size)) std::abort();

    const Image fromMemory = decodeTgaImage(data, size);
    if (!sameImage(fromMemory, loadTgaImage(g_path))) std::abort();
    if (fromMemory.width == 0) {
        if (fromMemory.height != 0 || !fromMemory.pixels.empty()) std::abort();
        return 0;
    }
    if (!isImageValid(fromMemory)) std::abort();
    // Every 128 pixels cost the file at least a run-length packet, so a short file never makes a big image.
    if (static_cast<std::size_t>(fromMemory.width) * fromMemory.height > 128 * size) std::abort();
    const std::vector<std::uint8_t> encoded = encodeTgaImage(fromMemory);
    if (!sameImage(decodeTgaImage(encoded.data(), encoded.size()), fromMemory)) std::abort();
    return 0;
}
