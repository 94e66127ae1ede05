// Treats arbitrary bytes as one of the game's sound files, through the game's own wrapper: as a WAV sample
// (libsndfile) and as a tracker module (libopenmpt). A sample comes back empty or whole. A module opens the
// same from a file as from memory, and renders, seeks and rewinds within bounds; the sanitizers watch the
// wrapper's own checks of the file and everything the libraries hand back.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/sound_files.h"

namespace {

int g_file = -1;
std::string g_path;

void initialise() {
    g_file = ::memfd_create("sound", 0);
    if (g_file < 0) std::abort();
    g_path = "/proc/self/fd/" + std::to_string(g_file);
}

void checkSample() {
    const WavSound sound = decodeWavFile(g_path);
    if (!isValidSound(sound)) {
        if (!sound.samples.empty() || sound.sampleRate != 0 || sound.channels != 0) std::abort();
        return;
    }
    if (soundFrames(sound) * static_cast<std::size_t>(sound.channels) != sound.samples.size()) std::abort();
    if (static_cast<std::int64_t>(soundFrames(sound)) > kMaxSoundFrames) std::abort();
}

void checkModule(const std::uint8_t* data, std::size_t size) {
    constexpr int kRate = 22050;
    constexpr std::size_t kFrames = 1024;
    ModuleStream stream = openModuleFile(g_path);
    const ModuleStream fromMemory = openModuleMemory(data, size);
    if (isValidModule(stream) != isValidModule(fromMemory)) std::abort();
    std::vector<std::int16_t> buffer(2 * kFrames);
    if (!isValidModule(stream)) {
        if (renderModuleStereo(stream, kRate, buffer.data(), kFrames) != 0) std::abort();
        if (moduleDurationSeconds(stream) != 0.0 || !moduleInfo(stream).title.empty()) std::abort();
        return;
    }
    const double duration = moduleDurationSeconds(stream);
    if (!(duration >= 0.0) || duration != moduleDurationSeconds(fromMemory)) std::abort();
    moduleInfo(stream);
    // Some damaged songs render nothing even when looping (no patterns, or flags libopenmpt will not play);
    // the game's song stream takes that as the end of the song.
    if (renderModuleStereo(stream, kRate, buffer.data(), kFrames) > kFrames) std::abort();

    // A seek wherever the input asks, then the rewind the game makes when it starts a song again.
    const double wanted = (data[size / 2] - 64) / 128.0 * duration;
    if (!(seekModuleSeconds(stream, wanted) >= 0.0)) std::abort();
    if (renderModuleStereo(stream, kRate, buffer.data(), kFrames) > kFrames) std::abort();
    if (seekModuleSeconds(stream, 0.0) != 0.0) std::abort();
    if (renderModuleStereo(stream, kRate, buffer.data(), kFrames) > kFrames) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    if (g_file < 0) initialise();
    if (::ftruncate(g_file, 0) != 0) std::abort();
    if (::pwrite(g_file, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    checkSample();
    checkModule(data, size);
    return 0;
}
