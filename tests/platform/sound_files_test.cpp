// Guards the sound decoders: what the audio layer gets from good files, and that missing, foreign, damaged
// or cut-off files give the empty sound or song quietly instead of a crash or a half-read result.

#include "platform/sound_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "soundgen/it_writer.h"
#include "soundgen/wav_writer.h"
#include "support/temp_dir.h"

using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

std::string asText(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::int16_t> ramp(int count) {
    std::vector<std::int16_t> samples;
    for (int i = 0; i < count; ++i) samples.push_back(static_cast<std::int16_t>((i * 97) % 60000 - 30000));
    return samples;
}

// A one-pattern song: 32 rows at speed 6, tempo 125 (3.84 s), a looped sine struck on every eighth row
// in the first channel and once in the second (libopenmpt counts the channels that hold notes).
ItModule tinySong() {
    ItModule song;
    song.title = "tiny";
    song.channelPan = {32, 32};
    song.channelVolume = {64, 64};
    ItSample sine;
    sine.name = "sine";
    for (int i = 0; i < 100; ++i)
        sine.data.push_back(static_cast<std::int16_t>(20000 * std::sin(i * 0.0628318)));
    sine.c5Speed = 26163;
    sine.loop = true;
    sine.loopStart = 0;
    sine.loopEnd = 100;
    song.samples.push_back(sine);
    ItInstrument instrument;
    instrument.name = "sine";
    song.instruments.push_back(instrument);
    ItPattern pattern(32, 2);
    for (int row = 0; row < 32; row += 8) {
        pattern.at(row, 0).note = 60 + row / 8;
        pattern.at(row, 0).instrument = 1;
        pattern.at(row, 0).volume = 48;
    }
    pattern.at(16, 1).note = 67;
    pattern.at(16, 1).instrument = 1;
    song.patterns.push_back(pattern);
    song.orders = {0};
    return song;
}

double rms(const std::vector<std::int16_t>& samples) {
    double sum = 0.0;
    for (const std::int16_t value : samples) sum += static_cast<double>(value) * value;
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size())) / 32768.0;
}

void expectEmptySound(const WavSound& sound) {
    EXPECT_FALSE(isValidSound(sound));
    EXPECT_EQ(sound.sampleRate, 0);
    EXPECT_EQ(sound.channels, 0);
    EXPECT_TRUE(sound.samples.empty());
    EXPECT_EQ(soundFrames(sound), 0u);
}

}  // namespace

// ---- WAV samples ----

TEST(DecodeWav, ReadsEverySampleOfA16BitMonoFile) {
    TempDir dir;
    const std::vector<std::int16_t> samples = ramp(1001);
    writeFile(dir / "ramp.wav", asText(encodeWavMono16(22050, samples)));
    const WavSound sound = decodeWavFile(dir / "ramp.wav");
    ASSERT_TRUE(isValidSound(sound));
    EXPECT_EQ(sound.sampleRate, 22050);
    EXPECT_EQ(sound.channels, 1);
    EXPECT_EQ(soundFrames(sound), 1001u);
    EXPECT_EQ(sound.samples, samples);
}

TEST(DecodeWav, MissingFileOrFolderIsEmpty) {
    TempDir dir;
    expectEmptySound(decodeWavFile(dir / "absent.wav"));
    expectEmptySound(decodeWavFile(dir.path()));
    expectEmptySound(decodeWavFile(""));
}

TEST(DecodeWav, ForeignOrGarbageBytesAreEmpty) {
    TempDir dir;
    writeFile(dir / "empty.wav", "");
    writeFile(dir / "text.wav", "this is not a sound\n");
    std::string noise;
    for (int i = 0; i < 5000; ++i) noise.push_back(static_cast<char>((i * 7919) & 0xFF));
    writeFile(dir / "noise.wav", noise);
    // A RIFF header with a fmt chunk claiming zero channels.
    std::string riff = asText(encodeWavMono16(44100, ramp(100)));
    riff[22] = 0;
    writeFile(dir / "nochannels.wav", riff);
    for (const char* name : {"empty.wav", "text.wav", "noise.wav", "nochannels.wav"}) {
        SCOPED_TRACE(name);
        expectEmptySound(decodeWavFile(dir / name));
    }
}

// libsndfile would hand back the part before the cut; a cut-off effect must not play as a click.
TEST(DecodeWav, FileCutShortOfItsHeaderIsEmpty) {
    TempDir dir;
    const std::string whole = asText(encodeWavMono16(44100, ramp(4000)));
    for (const std::size_t length : {std::size_t{8}, std::size_t{30}, std::size_t{44}, std::size_t{46},
                                     whole.size() / 2, whole.size() - 2}) {
        SCOPED_TRACE(length);
        writeFile(dir / "cut.wav", whole.substr(0, length));
        expectEmptySound(decodeWavFile(dir / "cut.wav"));
    }
}

TEST(DecodeWav, HeaderWithoutSamplesIsEmpty) {
    TempDir dir;
    writeFile(dir / "silent.wav", asText(encodeWavMono16(44100, {})));
    expectEmptySound(decodeWavFile(dir / "silent.wav"));
}

// ---- Tracker modules ----

TEST(ModuleStream, OpensFromFileAndMemoryWithTheSongsShape) {
    TempDir dir;
    const std::vector<std::uint8_t> bytes = encodeItModule(tinySong());
    writeFile(dir / "tiny.it", asText(bytes));
    ModuleStream fromFile = openModuleFile(dir / "tiny.it");
    ModuleStream fromMemory = openModuleMemory(bytes.data(), bytes.size());
    for (const ModuleStream* stream : {&fromFile, &fromMemory}) {
        ASSERT_TRUE(isValidModule(*stream));
        const ModuleInfo info = moduleInfo(*stream);
        EXPECT_EQ(info.channels, 2);
        EXPECT_EQ(info.patterns, 1);
        EXPECT_EQ(info.orders, 1);
        EXPECT_EQ(info.instruments, 1);
        EXPECT_EQ(info.samples, 1);
        EXPECT_EQ(info.title, "tiny");
        EXPECT_EQ(info.warnings, "");
        EXPECT_NEAR(moduleDurationSeconds(*stream), 3.84, 0.01);
    }
    const ModuleCell cell = moduleCell(fromFile, 0, 8, 0);
    EXPECT_EQ(cell.note, 61);
    EXPECT_EQ(cell.instrument, 1);
    EXPECT_EQ(cell.volume, 48);
    EXPECT_EQ(moduleCell(fromFile, 0, 9, 0).note, -1);
    EXPECT_EQ(moduleCell(fromFile, 1, 0, 0).note, -1);   // no such pattern
    EXPECT_EQ(moduleCell(fromFile, 0, 40, 0).note, -1);  // no such row
    EXPECT_EQ(moduleCell(fromFile, 0, 0, 7).note, -1);   // no such channel
}

TEST(ModuleStream, SinglePassRendersTheSongOnceAndStops) {
    const std::vector<std::uint8_t> bytes = encodeItModule(tinySong());
    ModuleStream stream = openModuleMemory(bytes.data(), bytes.size());
    setModuleLooping(stream, false);
    std::vector<std::int16_t> all;
    std::vector<std::int16_t> block(2 * 4096);
    for (std::size_t got; (got = renderModuleStereo(stream, 48000, block.data(), 4096)) > 0;) {
        all.insert(all.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(2 * got));
        ASSERT_LT(all.size(), 2u * 48000 * 10) << "a single pass never ended";
    }
    EXPECT_NEAR(static_cast<double>(all.size() / 2), 3.84 * 48000, 48000 * 0.02);
    EXPECT_GT(rms(all), 0.05);
}

TEST(ModuleStream, LoopingRendersPastTheEndAndSeeksWithinTheSong) {
    const std::vector<std::uint8_t> bytes = encodeItModule(tinySong());
    ModuleStream stream = openModuleMemory(bytes.data(), bytes.size());
    std::vector<std::int16_t> block(2 * 44100);
    for (int second = 0; second < 6; ++second) {
        ASSERT_EQ(renderModuleStereo(stream, 44100, block.data(), 44100), 44100u) << "second " << second;
    }
    EXPECT_GT(rms(block), 0.05);
    EXPECT_NEAR(seekModuleSeconds(stream, 2.0), 2.0, 0.13);
    EXPECT_NEAR(modulePositionSeconds(stream), 2.0, 0.13);
    EXPECT_NEAR(seekModuleSeconds(stream, -5.0), 0.0, 0.01);
    EXPECT_LE(seekModuleSeconds(stream, 100.0), 3.85);
}

TEST(ModuleStream, RateOutsideTheMixersRangeRendersNothing) {
    const std::vector<std::uint8_t> bytes = encodeItModule(tinySong());
    ModuleStream stream = openModuleMemory(bytes.data(), bytes.size());
    std::vector<std::int16_t> block(2 * 64, 7);
    EXPECT_EQ(renderModuleStereo(stream, 0, block.data(), 64), 0u);
    EXPECT_EQ(renderModuleStereo(stream, 1000000, block.data(), 64), 0u);
    EXPECT_EQ(renderModuleStereo(stream, 44100, nullptr, 64), 0u);
    EXPECT_EQ(block, std::vector<std::int16_t>(2 * 64, 7));
}

TEST(ModuleStream, MovedStreamHandsOverTheSongAndLeavesAnEmptyOne) {
    const std::vector<std::uint8_t> bytes = encodeItModule(tinySong());
    ModuleStream first = openModuleMemory(bytes.data(), bytes.size());
    ModuleStream second = std::move(first);
    EXPECT_FALSE(isValidModule(first));  // NOLINT(bugprone-use-after-move): the moved-from state is the point
    EXPECT_TRUE(isValidModule(second));
    ModuleStream third = openModuleMemory(bytes.data(), bytes.size());
    third = std::move(second);  // the song third held is released, not leaked
    EXPECT_TRUE(isValidModule(third));
}

// libopenmpt alone would play a cut-off song with its missing patterns and samples as silence.
TEST(ModuleStream, SongCutShortAnywhereIsEmpty) {
    const std::string whole = asText(encodeItModule(tinySong()));
    ASSERT_TRUE(isValidModule(openModuleMemory(whole.data(), whole.size())));
    // Inside the header, the offset tables, the instrument, the sample header, the pattern, the samples.
    for (const std::size_t length :
         {std::size_t{3}, std::size_t{150}, std::size_t{200}, std::size_t{500}, std::size_t{800},
          std::size_t{880}, whole.size() - 150, whole.size() - 1}) {
        SCOPED_TRACE(length);
        EXPECT_FALSE(isValidModule(openModuleMemory(whole.data(), length)));
    }
}

// Every call on the empty stream is a harmless no-op: the game calls them whatever the load gave.
TEST(ModuleStream, MissingGarbageAndEmptyInputsGiveTheEmptyStream) {
    TempDir dir;
    std::string noise;
    for (int i = 0; i < 3000; ++i) noise.push_back(static_cast<char>((i * 131) & 0xFF));
    writeFile(dir / "noise.it", noise);
    writeFile(dir / "empty.it", "");
    writeFile(dir / "header.it", asText(encodeItModule(tinySong())).substr(0, 100));
    std::vector<ModuleStream> streams;
    streams.push_back(openModuleFile(dir / "absent.it"));
    streams.push_back(openModuleFile(dir.path()));
    streams.push_back(openModuleFile(dir / "noise.it"));
    streams.push_back(openModuleFile(dir / "empty.it"));
    streams.push_back(openModuleFile(dir / "header.it"));
    streams.push_back(openModuleMemory(nullptr, 100));
    streams.push_back(openModuleMemory(noise.data(), 0));
    streams.push_back(ModuleStream());
    for (std::size_t i = 0; i < streams.size(); ++i) {
        SCOPED_TRACE(i);
        ModuleStream& stream = streams[i];
        EXPECT_FALSE(isValidModule(stream));
        setModuleLooping(stream, false);
        EXPECT_EQ(moduleDurationSeconds(stream), 0.0);
        std::int16_t block[2 * 16] = {};
        EXPECT_EQ(renderModuleStereo(stream, 44100, block, 16), 0u);
        EXPECT_EQ(seekModuleSeconds(stream, 1.0), 0.0);
        EXPECT_EQ(modulePositionSeconds(stream), 0.0);
        EXPECT_EQ(moduleInfo(stream).channels, 0);
        EXPECT_EQ(moduleCell(stream, 0, 0, 0).note, -1);
    }
}
