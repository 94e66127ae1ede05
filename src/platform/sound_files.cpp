#include "platform/sound_files.h"

#include <libopenmpt/libopenmpt.h>
#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <utility>

// ---- WAV samples ----

namespace {

// The RIFF header's own size field (bytes after the first 8), when the file starts with a RIFF/WAVE
// header that states one. Streaming writers leave 0 or 0xFFFFFFFF there; such files are not judged by it.
bool statedRiffLength(const std::string& path, std::uint64_t& statedLength, std::uint64_t& fileLength) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    fileLength = static_cast<std::uint64_t>(in.tellg());
    unsigned char header[12] = {};
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return false;
    if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) return false;
    const std::uint32_t riffSize =
        header[4] | (header[5] << 8) | (header[6] << 16) | (static_cast<std::uint32_t>(header[7]) << 24);
    if (riffSize == 0 || riffSize == 0xFFFFFFFFu) return false;
    statedLength = 8ull + riffSize;
    return true;
}

// libsndfile quietly shortens a sound whose data chunk runs past the end of the file; a cut-off effect
// would play as a click, so a file shorter than its header claims counts as damaged.
bool isTruncatedRiff(const std::string& path) {
    std::uint64_t statedLength = 0;
    std::uint64_t fileLength = 0;
    if (!statedRiffLength(path, statedLength, fileLength)) return false;
    // Writers may or may not count the pad byte of an odd-sized last chunk.
    return fileLength + 1 < statedLength;
}

}  // namespace

bool isValidSound(const WavSound& sound) {
    return sound.sampleRate > 0 && sound.channels > 0 &&
           sound.samples.size() >= static_cast<std::size_t>(sound.channels) &&
           sound.samples.size() % static_cast<std::size_t>(sound.channels) == 0;
}

std::size_t soundFrames(const WavSound& sound) {
    return isValidSound(sound) ? sound.samples.size() / static_cast<std::size_t>(sound.channels) : 0;
}

WavSound decodeWavFile(const std::string& path) {
    constexpr int kMaxChannels = 8;
    constexpr int kMaxRate = 384000;

    if (isTruncatedRiff(path)) return {};
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) return {};

    WavSound sound;
    const bool sane = info.channels > 0 && info.channels <= kMaxChannels && info.samplerate > 0 &&
                      info.samplerate <= kMaxRate && info.frames > 0 && info.frames <= kMaxSoundFrames;
    if (sane) {
        sound.samples.resize(static_cast<std::size_t>(info.frames) * static_cast<std::size_t>(info.channels));
        const sf_count_t read = sf_readf_short(file, sound.samples.data(), info.frames);
        if (read == info.frames) {
            sound.sampleRate = info.samplerate;
            sound.channels = info.channels;
        } else {
            sound = WavSound{};
        }
    }
    sf_close(file);
    return sound;
}

// ---- Tracker modules ----

namespace {

constexpr std::size_t kMaxModuleBytes = 64u << 20;  // far above any song; a bigger file is not a song of ours

// libopenmpt reports to stderr unless told otherwise; a failed song is silence, not a message.
int ignoreModuleError(int /*error*/, void* /*user*/) {
    return OPENMPT_ERROR_FUNC_RESULT_NONE;
}

std::string takeModuleString(const char* text) {
    if (text == nullptr) return {};
    std::string copy(text);
    openmpt_free_string(text);
    return copy;
}

std::uint32_t readU16(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t readU32(const unsigned char* bytes) {
    return readU16(bytes) | (readU16(bytes + 2) << 16);
}

// Whether [offset, offset + length) lies inside a file of size bytes.
bool fits(std::uint64_t offset, std::uint64_t length, std::size_t size) {
    return offset <= size && length <= size - offset;
}

// libopenmpt plays an Impulse Tracker file cut short as far as it goes and fills the rest with silence
// and empty patterns, without complaint. A song that falls silent halfway is a damaged file, so for this
// format every part the header points at (instrument and sample headers, packed patterns, sample data)
// must lie inside the file. Other formats are left to libopenmpt.
bool isCutShortImpulseModule(const unsigned char* bytes, std::size_t size) {
    constexpr std::size_t kHeaderBytes = 0xC0;
    constexpr std::uint64_t kInstrumentBytes = 550;
    constexpr std::uint64_t kSampleHeaderBytes = 0x50;
    constexpr std::uint64_t kPatternHeaderBytes = 8;
    constexpr unsigned kSampleHasData = 1, kSample16Bit = 2, kSampleStereo = 4, kSampleCompressed = 8;
    if (size < 4 || std::memcmp(bytes, "IMPM", 4) != 0) return false;
    if (size < kHeaderBytes) return true;
    const std::uint64_t orders = readU16(bytes + 0x20);
    const std::uint64_t instruments = readU16(bytes + 0x22);
    const std::uint64_t samples = readU16(bytes + 0x24);
    const std::uint64_t patterns = readU16(bytes + 0x26);
    const std::uint64_t tables = kHeaderBytes + orders;
    if (!fits(tables, 4 * (instruments + samples + patterns), size)) return true;
    for (std::uint64_t i = 0; i < instruments; ++i) {
        const std::uint32_t offset = readU32(bytes + tables + 4 * i);
        if (offset != 0 && !fits(offset, kInstrumentBytes, size)) return true;
    }
    for (std::uint64_t i = 0; i < samples; ++i) {
        const std::uint32_t offset = readU32(bytes + tables + 4 * (instruments + i));
        if (offset == 0) continue;
        if (!fits(offset, kSampleHeaderBytes, size)) return true;
        const unsigned char* header = bytes + offset;
        const unsigned flags = header[0x12];
        if ((flags & kSampleHasData) == 0) continue;
        const std::uint64_t frames = readU32(header + 0x30);
        const std::uint32_t data = readU32(header + 0x48);
        // Compressed data has no length known up front; its start must still be inside the file.
        std::uint64_t bytesPerFrame = (flags & kSample16Bit) ? 2 : 1;
        if (flags & kSampleStereo) bytesPerFrame *= 2;
        const std::uint64_t length = (flags & kSampleCompressed) ? 1 : frames * bytesPerFrame;
        if (frames > 0 && !fits(data, length, size)) return true;
    }
    for (std::uint64_t i = 0; i < patterns; ++i) {
        const std::uint32_t offset = readU32(bytes + tables + 4 * (instruments + samples + i));
        if (offset == 0) continue;  // an empty pattern
        if (!fits(offset, kPatternHeaderBytes, size)) return true;
        if (!fits(offset + kPatternHeaderBytes, readU16(bytes + offset), size)) return true;
    }
    return false;
}

}  // namespace

ModuleStream::~ModuleStream() {
    if (module_ != nullptr) openmpt_module_destroy(module_);
}

ModuleStream::ModuleStream(ModuleStream&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}

ModuleStream& ModuleStream::operator=(ModuleStream&& other) noexcept {
    if (this != &other) {
        if (module_ != nullptr) openmpt_module_destroy(module_);
        module_ = std::exchange(other.module_, nullptr);
    }
    return *this;
}

ModuleStream openModuleMemory(const void* data, std::size_t size) {
    if (data == nullptr || size == 0 || size > kMaxModuleBytes) return {};
    if (isCutShortImpulseModule(static_cast<const unsigned char*>(data), size)) return {};
    openmpt_module* module = openmpt_module_create_from_memory2(
        data, size, openmpt_log_func_silent, nullptr, ignoreModuleError, nullptr, nullptr, nullptr, nullptr);
    if (module == nullptr) return {};
    ModuleStream stream(module);
    setModuleLooping(stream, true);
    return stream;
}

ModuleStream openModuleFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {};
    const std::streamoff length = in.tellg();
    if (length <= 0 || static_cast<std::uint64_t>(length) > kMaxModuleBytes) return {};
    std::vector<char> bytes(static_cast<std::size_t>(length));
    in.seekg(0);
    if (!in.read(bytes.data(), length)) return {};
    return openModuleMemory(bytes.data(), bytes.size());
}

bool isValidModule(const ModuleStream& stream) {
    return stream.handle() != nullptr;
}

void setModuleLooping(ModuleStream& stream, bool loopForever) {
    if (!isValidModule(stream)) return;
    openmpt_module_set_repeat_count(stream.handle(), loopForever ? -1 : 0);
    // A single pass ends exactly at the song's end rather than with a trailing fade.
    openmpt_module_ctl_set_text(stream.handle(), "play.at_end", loopForever ? "continue" : "stop");
}

double moduleDurationSeconds(const ModuleStream& stream) {
    return isValidModule(stream) ? openmpt_module_get_duration_seconds(stream.handle()) : 0.0;
}

std::size_t renderModuleStereo(ModuleStream& stream, int sampleRate, std::int16_t* interleaved,
                               std::size_t frames) {
    constexpr int kMinRate = 8000;
    constexpr int kMaxRate = 192000;
    if (!isValidModule(stream) || interleaved == nullptr || sampleRate < kMinRate || sampleRate > kMaxRate) {
        return 0;
    }
    return openmpt_module_read_interleaved_stereo(stream.handle(), sampleRate, frames, interleaved);
}

double modulePositionSeconds(const ModuleStream& stream) {
    return isValidModule(stream) ? openmpt_module_get_position_seconds(stream.handle()) : 0.0;
}

double seekModuleSeconds(ModuleStream& stream, double seconds) {
    if (!isValidModule(stream)) return 0.0;
    const double clamped = std::clamp(seconds, 0.0, moduleDurationSeconds(stream));
    return openmpt_module_set_position_seconds(stream.handle(), clamped);
}

ModuleInfo moduleInfo(const ModuleStream& stream) {
    ModuleInfo info;
    if (!isValidModule(stream)) return info;
    openmpt_module* module = stream.handle();
    info.channels = openmpt_module_get_num_channels(module);
    info.patterns = openmpt_module_get_num_patterns(module);
    info.orders = openmpt_module_get_num_orders(module);
    info.instruments = openmpt_module_get_num_instruments(module);
    info.samples = openmpt_module_get_num_samples(module);
    info.title = takeModuleString(openmpt_module_get_metadata(module, "title"));
    info.warnings = takeModuleString(openmpt_module_get_metadata(module, "warnings"));
    return info;
}

ModuleCell moduleCell(const ModuleStream& stream, int pattern, int row, int channel) {
    // libopenmpt's own codes: notes count from 1 (C-0), 253 and up are the special notes; volume
    // command 1 sets the volume.
    constexpr int kFirstNote = 1;
    constexpr int kLastNote = 120;
    constexpr int kSpecialNotes = 253;
    constexpr int kSetVolume = 1;
    ModuleCell cell;
    if (!isValidModule(stream)) return cell;
    openmpt_module* module = stream.handle();
    if (pattern < 0 || pattern >= openmpt_module_get_num_patterns(module) || row < 0 ||
        row >= openmpt_module_get_pattern_num_rows(module, pattern) || channel < 0 ||
        channel >= openmpt_module_get_num_channels(module)) {
        return cell;
    }
    const int note = openmpt_module_get_pattern_row_channel_command(module, pattern, row, channel,
                                                                    OPENMPT_MODULE_COMMAND_NOTE);
    if (note >= kFirstNote && note <= kLastNote) cell.note = note - kFirstNote;
    if (note >= kSpecialNotes) cell.note = note;
    cell.instrument = openmpt_module_get_pattern_row_channel_command(module, pattern, row, channel,
                                                                     OPENMPT_MODULE_COMMAND_INSTRUMENT);
    const int volumeCommand = openmpt_module_get_pattern_row_channel_command(
        module, pattern, row, channel, OPENMPT_MODULE_COMMAND_VOLUMEEFFECT);
    if (volumeCommand == kSetVolume) {
        cell.volume = openmpt_module_get_pattern_row_channel_command(module, pattern, row, channel,
                                                                     OPENMPT_MODULE_COMMAND_VOLUME);
    }
    return cell;
}
