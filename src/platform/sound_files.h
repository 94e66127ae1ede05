#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Decoding of the game's sound files: WAV samples for the effects and tracker modules for the music.
// Nothing here plays sound; the audio layer feeds what these functions return to its mixer.
//
// Every failure (missing, unreadable, malformed or truncated file) gives the empty result of its kind, with
// no message: the game plays an empty sound or song as silence and goes on.

// ---- WAV samples ----

// A whole sample in memory as signed 16-bit PCM, frames interleaved when there is more than one channel.
struct WavSound {
    int sampleRate = 0;  // frames per second; 0 in the empty sound
    int channels = 0;    // 0 in the empty sound
    std::vector<std::int16_t> samples;
};

// A sound is playable when it has a rate, a channel count and at least one whole frame.
bool isValidSound(const WavSound& sound);

// Frames in the sound (samples per channel).
std::size_t soundFrames(const WavSound& sound);

// Reads a WAV file (any PCM or float encoding libsndfile reads, converted to 16 bits). A file shorter than
// its own RIFF header says is truncated and decodes as the empty sound, as does any sound longer than
// kMaxSoundFrames frames.
WavSound decodeWavFile(const std::string& path);

constexpr std::int64_t kMaxSoundFrames = 48000 * 60 * 10;  // ten minutes at 48 kHz: far above any effect

// ---- Tracker modules ----

struct openmpt_module;

// An open module, ready to render from its current position. Move-only; the empty stream (default, or a
// failed open) renders nothing and reports zero everywhere.
class ModuleStream {
public:
    ModuleStream() = default;
    ~ModuleStream();
    ModuleStream(ModuleStream&& other) noexcept;
    ModuleStream& operator=(ModuleStream&& other) noexcept;
    ModuleStream(const ModuleStream&) = delete;
    ModuleStream& operator=(const ModuleStream&) = delete;

    openmpt_module* handle() const { return module_; }

private:
    explicit ModuleStream(openmpt_module* module) : module_(module) {}
    friend ModuleStream openModuleMemory(const void* data, std::size_t size);

    openmpt_module* module_ = nullptr;
};

// Opens a module from a file or from bytes in memory (the caller may free the bytes once this returns).
// A stream loops forever by default, as game music does; see setModuleLooping.
ModuleStream openModuleFile(const std::string& path);
ModuleStream openModuleMemory(const void* data, std::size_t size);

bool isValidModule(const ModuleStream& stream);

// Looping on: rendering never ends and wraps to the song's restart point. Off: rendering ends after one pass.
void setModuleLooping(ModuleStream& stream, bool loopForever);

// Length of one pass through the song in seconds (0 for the empty stream).
double moduleDurationSeconds(const ModuleStream& stream);

// Renders up to frames frames of interleaved stereo (left, right) at sampleRate frames per second into
// interleaved, which holds at least 2 * frames values. Returns the frames written: fewer than asked only
// at the end of a non-looping song, 0 for the empty stream or a rate outside 8000 to 192000.
std::size_t renderModuleStereo(ModuleStream& stream, int sampleRate, std::int16_t* interleaved,
                               std::size_t frames);

// Playback position in seconds from the start of the song, and a seek to a position (clamped to the
// song); the seek returns the position actually reached.
double modulePositionSeconds(const ModuleStream& stream);
double seekModuleSeconds(ModuleStream& stream, double seconds);

// What the module holds, for tests and diagnostics.
struct ModuleInfo {
    int channels = 0;
    int patterns = 0;
    int orders = 0;
    int instruments = 0;
    int samples = 0;
    std::string title;
    std::string warnings;  // the loader's complaints about the file, one per line; empty for a clean file
};
ModuleInfo moduleInfo(const ModuleStream& stream);

// One cell of a pattern as the loader read it, in tracker numbering: note 0 (C-0) to 119, 254 note cut,
// 255 note off, -1 none; instrument 0 none; volume 0 to 64 or -1 when the cell sets none. Cells outside
// the song read as empty.
struct ModuleCell {
    int note = -1;
    int instrument = 0;
    int volume = -1;
};
ModuleCell moduleCell(const ModuleStream& stream, int pattern, int row, int channel);
