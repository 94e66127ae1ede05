// Writes the generated seed files of the fuzz targets, made by the game's own asset generators so that the
// fuzzers start from real files of every kind the loaders accept: fuzz_seeds OUTPUT-FOLDER.
//   tga/    two map icons in every TGA layout the reader knows (true colour, grey, colour-mapped; plain
//           and run-length; either row order)
//   sound/  an effect sample as WAV and each song cut down to one pattern and short samples, so that the
//           seeds stay a few kilobytes

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "formats/tga_image.h"
#include "image_makers.h"
#include "soundgen/effects.h"
#include "soundgen/it_writer.h"
#include "soundgen/songs.h"
#include "soundgen/wav_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

bool writeBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// ---- TGA layouts ----

enum class TgaKind { TrueColour, Grey, Mapped };

struct TgaLayout {
    const char* name;
    TgaKind kind;
    int bitsPerPixel;
    bool runLength;
    bool topRowFirst;
};

constexpr TgaLayout kTgaLayouts[] = {
    {"bgra32", TgaKind::TrueColour, 32, false, false},   {"bgr24_top", TgaKind::TrueColour, 24, false, true},
    {"bgra32_rle", TgaKind::TrueColour, 32, true, true}, {"bgr24_rle", TgaKind::TrueColour, 24, true, false},
    {"grey8", TgaKind::Grey, 8, false, false},           {"grey8_rle", TgaKind::Grey, 8, true, true},
    {"mapped8", TgaKind::Mapped, 8, false, false},       {"mapped8_rle", TgaKind::Mapped, 8, true, false},
};

// Every 4th pixel in both directions: fewer colours, so the image fits a 256-entry colour map.
Image shrunk(const Image& image) {
    Image small = makeImage(image.width / 4, image.height / 4);
    for (int y = 0; y < small.height; ++y) {
        for (int x = 0; x < small.width; ++x) {
            const std::uint8_t* from = pixelAt(image, 4 * x, 4 * y);
            std::copy(from, from + 4, pixelAt(small, x, y));
        }
    }
    return small;
}

Bytes encodeTga(const Image& image, const TgaLayout& layout) {
    // Stored pixels, in file order, each as its bytes (BGR(A), grey level or colour-map index).
    std::vector<Bytes> pixels;
    std::map<std::uint32_t, std::uint8_t> palette;
    Bytes colourMap;
    for (int row = 0; row < image.height; ++row) {
        const int y = layout.topRowFirst ? image.height - 1 - row : row;
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = pixelAt(image, x, y);
            if (layout.kind == TgaKind::Grey) {
                pixels.push_back({static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3)});
            } else if (layout.kind == TgaKind::Mapped) {
                const std::uint32_t key = p[0] | p[1] << 8 | p[2] << 16;
                if (palette.count(key) == 0) {
                    if (palette.size() == 256) return {};
                    palette.emplace(key, static_cast<std::uint8_t>(palette.size()));
                    colourMap.insert(colourMap.end(), {p[2], p[1], p[0]});
                }
                pixels.push_back({palette[key]});
            } else if (layout.bitsPerPixel == 32) {
                pixels.push_back({p[2], p[1], p[0], p[3]});
            } else {
                pixels.push_back({p[2], p[1], p[0]});
            }
        }
    }
    const bool mapped = layout.kind == TgaKind::Mapped;
    const int baseType = mapped ? 1 : layout.kind == TgaKind::Grey ? 3 : 2;
    const int entries = static_cast<int>(palette.size());
    Bytes bytes(18, 0);
    const auto put = [&](std::size_t at, int value) {
        bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
        bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
    };
    bytes[1] = mapped ? 1 : 0;
    bytes[2] = static_cast<std::uint8_t>(baseType + (layout.runLength ? 8 : 0));
    put(5, entries);
    bytes[7] = mapped ? 24 : 0;
    put(12, image.width);
    put(14, image.height);
    bytes[16] = static_cast<std::uint8_t>(layout.bitsPerPixel);
    bytes[17] =
        static_cast<std::uint8_t>((layout.bitsPerPixel == 32 ? 8 : 0) | (layout.topRowFirst ? 0x20 : 0));
    bytes.insert(bytes.end(), colourMap.begin(), colourMap.end());

    // Run-length data as run packets only, a lone pixel a run of one, at most 128 pixels a packet (raw
    // packets are the reader test's).
    for (std::size_t at = 0; at < pixels.size();) {
        std::size_t run = 1;
        while (layout.runLength && at + run < pixels.size() && run < 128 && pixels[at + run] == pixels[at])
            ++run;
        if (layout.runLength) bytes.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
        bytes.insert(bytes.end(), pixels[at].begin(), pixels[at].end());
        at += run;
    }
    return bytes;
}

int writeTgaSeeds(const std::filesystem::path& folder) {
    int failures = 0;
    const std::pair<const char*, MapIcon> icons[] = {{"wall", MapIcon::wall}, {"player", MapIcon::player}};
    for (const auto& [iconName, icon] : icons) {
        const Image full = makeMapIcon(icon);
        for (const TgaLayout& layout : kTgaLayouts) {
            const Image image = layout.kind == TgaKind::Mapped ? shrunk(full) : full;
            const Bytes bytes = encodeTga(image, layout);
            // A seed the reader refuses starts the fuzzer nowhere: it must decode to the same picture.
            const Image decoded = decodeTgaImage(bytes.data(), bytes.size());
            const bool sameSize = decoded.width == image.width && decoded.height == image.height;
            if (bytes.empty() || !sameSize ||
                !writeBytes(folder / (std::string(iconName) + "_" + layout.name + ".tga"), bytes)) {
                std::fprintf(stderr, "fuzz_seeds: %s %s not written\n", iconName, layout.name);
                ++failures;
            }
        }
    }
    return failures;
}

// ---- sound files ----

// One pattern of the song and every sample cut to its first frames: the song's instruments, envelopes and
// packed pattern data in a few kilobytes.
ItModule cutDown(ItModule song) {
    constexpr std::size_t kSampleFrames = 256;
    const int first = song.orders.front();
    song.patterns = {song.patterns[static_cast<std::size_t>(first)]};
    song.orders = {0};
    for (ItSample& sample : song.samples) {
        if (sample.data.size() > kSampleFrames) sample.data.resize(kSampleFrames);
        sample.loop = sample.loop && sample.loopEnd <= static_cast<int>(sample.data.size());
    }
    return song;
}

int writeSoundSeeds(const std::filesystem::path& folder) {
    int failures = 0;
    // Every 4th frame of the footstep at a quarter of the rate: the same sound in a quarter of the bytes.
    const std::vector<std::int16_t> footstep = makeFootstepSound();
    std::vector<std::int16_t> quarter;
    for (std::size_t i = 0; i < footstep.size(); i += 4) quarter.push_back(footstep[i]);
    failures += !writeBytes(folder / "footstep.wav", encodeWavMono16(kEffectRate / 4, quarter));
    failures += !writeBytes(folder / "title_song.it", encodeItModule(cutDown(makeTitleSong())));
    failures += !writeBytes(folder / "game_song.it", encodeItModule(cutDown(makeGameSong())));
    if (failures > 0) std::fprintf(stderr, "fuzz_seeds: %d sound seeds not written\n", failures);
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds OUTPUT-FOLDER\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::error_code error;
    std::filesystem::create_directories(root / "tga", error);
    std::filesystem::create_directories(root / "sound", error);
    const int failures = writeTgaSeeds(root / "tga") + writeSoundSeeds(root / "sound");
    return failures == 0 ? 0 : 1;
}
