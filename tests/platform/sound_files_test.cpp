// The sound decoders: what the audio layer gets from good files, and that missing, foreign, damaged or
// cut-off files give the empty sound or song quietly instead of a crash or a half-read result.

#include "platform/sound_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "soundgen/wav_writer.h"
#include "support/sine_song.h"
#include "support/temp_dir.h"

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

double rms(const std::vector<std::int16_t>& samples) {
    double sum = 0.0;
    for (const std::int16_t value : samples) sum += static_cast<double>(value) * value;
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size())) / 32768.0;
}

std::string noise(int length, int step) {
    std::string bytes;
    for (int i = 0; i < length; ++i) bytes.push_back(static_cast<char>((i * step) & 0xFF));
    return bytes;
}

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

// libsndfile would hand back the part before a cut; a cut-off effect must not play as a click.
TEST(DecodeWav, MissingForeignDamagedCutOrEmptyFilesGiveTheEmptySound) {
    TempDir dir;
    const std::string whole = asText(encodeWavMono16(44100, ramp(4000)));
    std::string noChannels = whole;
    noChannels[22] = 0;
    std::vector<std::string> contents = {"", "this is not a sound\n", noise(5000, 7919), noChannels,
                                         asText(encodeWavMono16(44100, {}))};
    for (const std::size_t length : {std::size_t{8}, std::size_t{30}, std::size_t{44}, std::size_t{46},
                                     whole.size() / 2, whole.size() - 2})
        contents.push_back(whole.substr(0, length));
    std::vector<std::string> paths = {dir / "absent.wav", dir.path(), ""};
    for (std::size_t i = 0; i < contents.size(); ++i) {
        paths.push_back(dir / ("bad" + std::to_string(i) + ".wav"));
        writeFile(paths.back(), contents[i]);
    }
    for (const std::string& path : paths) {
        const WavSound sound = decodeWavFile(path);
        EXPECT_FALSE(isValidSound(sound)) << path;
        EXPECT_EQ(sound.sampleRate, 0) << path;
        EXPECT_EQ(sound.channels, 0) << path;
        EXPECT_TRUE(sound.samples.empty()) << path;
    }
}

TEST(ModuleStream, OpensFromFileAndMemoryWithTheSongsShape) {
    TempDir dir;
    const std::string bytes = sineScaleSongBytes();
    writeFile(dir / "scale.it", bytes);
    ModuleStream fromFile = openModuleFile(dir / "scale.it");
    ModuleStream fromMemory = openModuleMemory(bytes.data(), bytes.size());
    for (const ModuleStream* stream : {&fromFile, &fromMemory}) {
        ASSERT_TRUE(isValidModule(*stream));
        const ModuleInfo info = moduleInfo(*stream);
        EXPECT_EQ(info.channels, 2);
        EXPECT_EQ(info.patterns, 1);
        EXPECT_EQ(info.title, "scale");
        EXPECT_EQ(info.warnings, "");
        EXPECT_NEAR(moduleDurationSeconds(*stream), 3.84, 0.01);
    }
    EXPECT_EQ(moduleCell(fromFile, 0, 8, 0).note, 64);
    EXPECT_EQ(moduleCell(fromFile, 1, 0, 0).note, -1);   // no such pattern
    EXPECT_EQ(moduleCell(fromFile, 0, 40, 0).note, -1);  // no such row
    EXPECT_EQ(moduleCell(fromFile, 0, 0, 7).note, -1);   // no such channel
}

TEST(ModuleStream, SinglePassStopsLoopingRunsOnAndSeeksStayInTheSong) {
    const std::string bytes = sineScaleSongBytes();
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

    ModuleStream looping = openModuleMemory(bytes.data(), bytes.size());
    block.resize(2 * 44100);
    for (int second = 0; second < 6; ++second)
        ASSERT_EQ(renderModuleStereo(looping, 44100, block.data(), 44100), 44100u) << "second " << second;
    EXPECT_GT(rms(block), 0.05);
    EXPECT_NEAR(seekModuleSeconds(looping, 2.0), 2.0, 0.13);
    EXPECT_NEAR(modulePositionSeconds(looping), 2.0, 0.13);
    EXPECT_NEAR(seekModuleSeconds(looping, -5.0), 0.0, 0.01);
    EXPECT_LE(seekModuleSeconds(looping, 100.0), 3.85);
    // A rate outside the mixer's range renders nothing and leaves the buffer alone.
    std::vector<std::int16_t> untouched(2 * 64, 7);
    EXPECT_EQ(renderModuleStereo(looping, 0, untouched.data(), 64), 0u);
    EXPECT_EQ(renderModuleStereo(looping, 1000000, untouched.data(), 64), 0u);
    EXPECT_EQ(renderModuleStereo(looping, 44100, nullptr, 64), 0u);
    EXPECT_EQ(untouched, std::vector<std::int16_t>(2 * 64, 7));
}

TEST(ModuleStream, MovedStreamHandsOverTheSongAndLeavesAnEmptyOne) {
    const std::string bytes = sineScaleSongBytes();
    ModuleStream first = openModuleMemory(bytes.data(), bytes.size());
    ModuleStream second = std::move(first);
    EXPECT_FALSE(isValidModule(first));  // NOLINT(bugprone-use-after-move): the moved-from state is the point
    EXPECT_TRUE(isValidModule(second));
    ModuleStream third = openModuleMemory(bytes.data(), bytes.size());
    third = std::move(second);  // the song third held is released, not leaked
    EXPECT_TRUE(isValidModule(third));
}

// libopenmpt alone would play a cut-off song with its missing patterns and samples as silence. Every call
// on the empty stream is a harmless no-op: the game calls them whatever the load gave.
TEST(ModuleStream, MissingGarbageEmptyOrCutSongsGiveTheEmptyStream) {
    TempDir dir;
    const std::string whole = sineScaleSongBytes();
    const std::string garbage = noise(3000, 131);
    writeFile(dir / "noise.it", garbage);
    writeFile(dir / "empty.it", "");
    std::vector<ModuleStream> streams;
    for (const std::string& path : {dir / "absent.it", dir.path(), dir / "noise.it", dir / "empty.it"})
        streams.push_back(openModuleFile(path));
    streams.push_back(openModuleMemory(nullptr, 100));
    streams.push_back(openModuleMemory(garbage.data(), 0));
    streams.push_back(ModuleStream());
    // Cut inside the header, the offset tables, the instrument, the sample header, the pattern, the samples.
    for (std::size_t length = 3; length < whole.size(); length += 29)
        streams.push_back(openModuleMemory(whole.data(), length));
    streams.push_back(openModuleMemory(whole.data(), whole.size() - 1));
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

}  // namespace
