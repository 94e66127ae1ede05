// Guards the generated sounds: the files the build writes decode with the game's own decoders as the
// effects and songs they are meant to be (length, level, clean edges, voice-like grunts, songs of at
// least a minute that play through without warnings and hold exactly the patterns that were composed).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/sound_files.h"
#include "soundgen/effects.h"
#include "soundgen/it_writer.h"
#include "soundgen/songs.h"
#include "soundgen/sound_assets.h"
#include "support/temp_dir.h"

using testing_support::TempDir;

namespace {

constexpr double kFullScale = 32768.0;

// The assets are written once for the whole program, as the build writes them.
class SoundAssets : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<TempDir>();
        failed_ = writeSoundAssets(dir_->path());
    }
    static void TearDownTestSuite() { dir_.reset(); }
    static std::string path(const std::string& relative) { return dir_->path() + "/" + relative; }

    static std::unique_ptr<TempDir> dir_;
    static std::vector<std::string> failed_;
};
std::unique_ptr<TempDir> SoundAssets::dir_;
std::vector<std::string> SoundAssets::failed_;

// Level of samples[begin], samples[begin + stride], ... before end, relative to full scale.
double rmsOf(const std::vector<std::int16_t>& samples, std::size_t begin, std::size_t end,
             std::size_t stride = 1) {
    double sum = 0.0;
    std::size_t count = 0;
    for (std::size_t i = begin; i < end; i += stride, ++count)
        sum += static_cast<double>(samples[i]) * samples[i];
    return count > 0 ? std::sqrt(sum / static_cast<double>(count)) / kFullScale : 0.0;
}

// The strongest normalised autocorrelation of a window at lags of a 70 to 400 Hz voice, and the
// frequency of that lag. Near 1 for a voiced sound, low for noise.
struct Periodicity {
    double strength = 0.0;
    double hz = 0.0;
};
Periodicity periodicityAt(const WavSound& sound, double seconds) {
    const auto rate = static_cast<std::size_t>(sound.sampleRate);
    const std::size_t start = static_cast<std::size_t>(seconds * sound.sampleRate);
    const std::size_t window = rate / 25;  // 40 ms
    Periodicity best;
    for (std::size_t lag = rate / 400; lag <= rate / 70; ++lag) {
        double cross = 0.0, energyA = 0.0, energyB = 0.0;
        for (std::size_t i = start; i < start + window && i + lag < sound.samples.size(); ++i) {
            const double a = sound.samples[i];
            const double b = sound.samples[i + lag];
            cross += a * b;
            energyA += a * a;
            energyB += b * b;
        }
        const double strength = energyA > 0.0 && energyB > 0.0 ? cross / std::sqrt(energyA * energyB) : 0.0;
        if (strength > best.strength) best = {strength, static_cast<double>(sound.sampleRate) / lag};
    }
    return best;
}

struct EffectExpectation {
    const char* path;
    double minSeconds;
    double maxSeconds;
};
constexpr EffectExpectation kEffects[] = {
    {"Audio/SFX/slide.wav", 0.4, 0.6},
    {"Audio/SFX/footsteps.wav", 0.15, 0.25},
    {"Audio/SFX/Grunt.wav", 0.3, 0.5},
    {"Audio/SFX/Grunt2.wav", 0.3, 0.5},
};

}  // namespace

TEST_F(SoundAssets, EveryFileTheGameOpensIsWritten) {
    EXPECT_TRUE(failed_.empty());
    for (const char* relative : kSoundAssetPaths) {
        SCOPED_TRACE(relative);
        ASSERT_TRUE(std::filesystem::exists(path(relative)));
        EXPECT_LT(std::filesystem::file_size(path(relative)), 1u << 20);
    }
}

TEST_F(SoundAssets, EffectsAre16BitMonoOfTheirLengthAndAudible) {
    for (const EffectExpectation& effect : kEffects) {
        SCOPED_TRACE(effect.path);
        const WavSound sound = decodeWavFile(path(effect.path));
        ASSERT_TRUE(isValidSound(sound));
        EXPECT_EQ(sound.channels, 1);
        EXPECT_EQ(sound.sampleRate, kEffectRate);
        const double seconds = static_cast<double>(soundFrames(sound)) / sound.sampleRate;
        EXPECT_GE(seconds, effect.minSeconds);
        EXPECT_LE(seconds, effect.maxSeconds);
        EXPECT_GT(rmsOf(sound.samples, 0, sound.samples.size()), 0.04);
        const auto peak = std::max_element(sound.samples.begin(), sound.samples.end(),
                                           [](int a, int b) { return std::abs(a) < std::abs(b); });
        EXPECT_LT(std::abs(*peak), 32000) << "clipped";
    }
}

// A sound that starts or stops away from zero, or sits on an offset, clicks when played or cut off.
TEST_F(SoundAssets, EffectsStartAndEndAtSilenceWithoutOffset) {
    for (const EffectExpectation& effect : kEffects) {
        SCOPED_TRACE(effect.path);
        const WavSound sound = decodeWavFile(path(effect.path));
        ASSERT_TRUE(isValidSound(sound));
        EXPECT_LT(std::abs(sound.samples.front()), 60);
        EXPECT_LT(std::abs(sound.samples.back()), 60);
        double sum = 0.0;
        for (const std::int16_t value : sound.samples) sum += value;
        EXPECT_LT(std::fabs(sum / static_cast<double>(sound.samples.size())) / kFullScale, 0.005);
        // The first and last millisecond stay quiet.
        const std::size_t millisecond = static_cast<std::size_t>(sound.sampleRate / 1000);
        EXPECT_LT(rmsOf(sound.samples, sound.samples.size() - millisecond, sound.samples.size()), 0.01);
    }
}

// The grunts must read as a voice (a clear pitch in a man's range), and as two different ones; the slide
// is a scrape (noise without pitch) that keeps going; the footstep is one short hit.
TEST_F(SoundAssets, GruntsAreVoicedAtDifferentPitchesAndTheSlideAndStepAreNoises) {
    const WavSound grunt = decodeWavFile(path("Audio/SFX/Grunt.wav"));
    const WavSound grunt2 = decodeWavFile(path("Audio/SFX/Grunt2.wav"));
    const WavSound slide = decodeWavFile(path("Audio/SFX/slide.wav"));
    const WavSound step = decodeWavFile(path("Audio/SFX/footsteps.wav"));
    ASSERT_TRUE(isValidSound(grunt) && isValidSound(grunt2) && isValidSound(slide) && isValidSound(step));

    const Periodicity low = periodicityAt(grunt, 0.12);
    const Periodicity high = periodicityAt(grunt2, 0.12);
    EXPECT_GT(low.strength, 0.7);
    EXPECT_GT(high.strength, 0.7);
    EXPECT_GT(low.hz, 90.0);
    EXPECT_LT(high.hz, 250.0);
    EXPECT_GT(high.hz - low.hz, 20.0) << low.hz << " Hz and " << high.hz << " Hz";

    EXPECT_LT(periodicityAt(slide, 0.2).strength, 0.5);
    const std::size_t tenth = static_cast<std::size_t>(slide.sampleRate / 10);
    for (std::size_t part = 0; part < 4; ++part) {
        EXPECT_GT(rmsOf(slide.samples, part * tenth, (part + 1) * tenth), 0.04) << "tenth " << part;
    }

    const std::size_t hit = static_cast<std::size_t>(step.sampleRate * 6 / 100);
    const double early = rmsOf(step.samples, 0, hit);
    const double late = rmsOf(step.samples, hit, step.samples.size());
    EXPECT_GT(early, 4.0 * late);
}

namespace {

struct SongExpectation {
    const char* path;
    ItModule (*compose)();
};
constexpr SongExpectation kSongs[] = {
    {"audio/music/in1.it", makeTitleSong},
    {"audio/music/s1.it", makeGameSong},
};

}  // namespace

TEST_F(SoundAssets, SongsLoadWithoutWarningsAndHoldWhatWasComposed) {
    for (const SongExpectation& expected : kSongs) {
        SCOPED_TRACE(expected.path);
        const ItModule composed = expected.compose();
        const ModuleStream stream = openModuleFile(path(expected.path));
        ASSERT_TRUE(isValidModule(stream));
        const ModuleInfo info = moduleInfo(stream);
        EXPECT_EQ(info.warnings, "");
        EXPECT_EQ(info.title, composed.title);
        EXPECT_EQ(info.channels, static_cast<int>(composed.channelPan.size()));
        EXPECT_EQ(info.patterns, static_cast<int>(composed.patterns.size()));
        EXPECT_EQ(info.orders, static_cast<int>(composed.orders.size()));
        EXPECT_EQ(info.instruments, static_cast<int>(composed.instruments.size()));
        EXPECT_EQ(info.samples, static_cast<int>(composed.samples.size()));

        // Every cell reads back as written: the pattern packing (masks, repeated values) round-trips.
        int mismatches = 0;
        for (int pattern = 0; pattern < info.patterns; ++pattern) {
            const ItPattern& written = composed.patterns[static_cast<std::size_t>(pattern)];
            for (int row = 0; row < written.rows; ++row) {
                for (int channel = 0; channel < written.channels; ++channel) {
                    const ItCell& cell = written.at(row, channel);
                    const ModuleCell read = moduleCell(stream, pattern, row, channel);
                    const bool same = read.note == cell.note && read.instrument == cell.instrument &&
                                      read.volume == cell.volume;
                    if (!same && ++mismatches <= 5) {
                        ADD_FAILURE()
                            << "pattern " << pattern << " row " << row << " channel " << channel << ": note "
                            << read.note << " instrument " << read.instrument << " volume " << read.volume;
                    }
                }
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST_F(SoundAssets, SongsLastOverAMinuteAndPlayAudiblyToTheEnd) {
    constexpr int kRate = 44100;
    for (const SongExpectation& expected : kSongs) {
        SCOPED_TRACE(expected.path);
        const ItModule composed = expected.compose();
        ModuleStream stream = openModuleFile(path(expected.path));
        ASSERT_TRUE(isValidModule(stream));
        const double rows = static_cast<double>(composed.orders.size()) * kSongPatternRows;
        const double seconds = rows * itRowSeconds(composed.initialSpeed, composed.initialTempo);
        EXPECT_GE(moduleDurationSeconds(stream), 60.0);
        EXPECT_NEAR(moduleDurationSeconds(stream), seconds, 0.1);

        // The first ten seconds, and five seconds near the end, in stereo.
        setModuleLooping(stream, false);
        std::vector<std::int16_t> opening(2 * 10 * kRate);
        ASSERT_EQ(renderModuleStereo(stream, kRate, opening.data(), 10 * kRate), std::size_t{10 * kRate});
        seekModuleSeconds(stream, moduleDurationSeconds(stream) - 15.0);
        std::vector<std::int16_t> closing(2 * 5 * kRate);
        ASSERT_EQ(renderModuleStereo(stream, kRate, closing.data(), 5 * kRate), std::size_t{5 * kRate});

        for (const std::vector<std::int16_t>* part : {&opening, &closing}) {
            EXPECT_GT(rmsOf(*part, 0, part->size(), 2), 0.02) << "left";
            EXPECT_GT(rmsOf(*part, 1, part->size(), 2), 0.02) << "right";
            const auto peak = std::max_element(part->begin(), part->end(),
                                               [](int a, int b) { return std::abs(a) < std::abs(b); });
            EXPECT_LT(std::abs(*peak), 32000) << "clipped";
        }
    }
}

// The writer at the format's limits: the last of 64 channels, 200 rows, cut and off notes, and cells that
// repeat the previous cell's values (written as repeats, not values).
TEST(ItWriter, PatternAtTheFormatsLimitsReadsBackCellForCell) {
    ItModule song;
    song.title = "limits";
    song.channelPan = std::vector<int>(kItMaxChannels, 32);
    song.channelVolume = std::vector<int>(kItMaxChannels, 64);
    ItSample sample;
    sample.data = std::vector<std::int16_t>(64, 1000);
    song.samples.push_back(sample);
    song.instruments.push_back(ItInstrument{});
    ItPattern pattern(kItMaxRows, kItMaxChannels);
    for (int row = 0; row < kItMaxRows; row += 3) {
        const int channel = row % 2 == 0 ? kItMaxChannels - 1 : 0;
        ItCell& cell = pattern.at(row, channel);
        cell.note = row % 9 == 0 ? kItNoteOff : (row % 15 == 0 ? kItNoteCut : 48 + row % 4);
        cell.instrument = cell.note < 120 ? 1 : 0;
        cell.volume = row % 5 == 0 ? -1 : 30 + row % 2;
    }
    song.patterns.push_back(pattern);
    song.orders = {0};
    const std::vector<std::uint8_t> bytes = encodeItModule(song);
    const ModuleStream stream = openModuleMemory(bytes.data(), bytes.size());
    ASSERT_TRUE(isValidModule(stream));
    EXPECT_EQ(moduleInfo(stream).warnings, "");
    for (int row = 0; row < kItMaxRows; ++row) {
        for (const int channel : {0, 1, kItMaxChannels - 1}) {
            const ItCell& cell = pattern.at(row, channel);
            const ModuleCell read = moduleCell(stream, 0, row, channel);
            EXPECT_EQ(read.note, cell.note) << "row " << row << " channel " << channel;
            EXPECT_EQ(read.instrument, cell.instrument) << "row " << row << " channel " << channel;
            EXPECT_EQ(read.volume, cell.volume) << "row " << row << " channel " << channel;
        }
    }
}
