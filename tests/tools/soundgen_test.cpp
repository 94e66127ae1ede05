// The generated sounds, decoded with the game's own decoders as the effects and songs they are meant to be:
// length, level, clean edges and loops, voice-like grunts, songs of over a minute that play to the end.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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

int peakOf(const std::vector<std::int16_t>& samples) {
    int peak = 0;
    for (const std::int16_t value : samples) peak = std::max(peak, std::abs(static_cast<int>(value)));
    return peak;
}

// The strongest normalised autocorrelation of a 40 ms window at lags of a 70 to 400 Hz voice, and the
// frequency of that lag. Near 1 for a voiced sound, low for noise.
struct Periodicity {
    double strength = 0.0;
    double hz = 0.0;
};
Periodicity periodicityAt(const WavSound& sound, double seconds) {
    const auto rate = static_cast<std::size_t>(sound.sampleRate);
    const std::size_t start = static_cast<std::size_t>(seconds * sound.sampleRate);
    Periodicity best;
    for (std::size_t lag = rate / 400; lag <= rate / 70; ++lag) {
        double cross = 0.0, energyA = 0.0, energyB = 0.0;
        for (std::size_t i = start; i < start + rate / 25 && i + lag < sound.samples.size(); ++i) {
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

// A sound that clips, starts or stops away from zero, or sits on an offset, clicks when played or cut off.
TEST_F(SoundAssets, EffectsAreMonoOfTheirLengthAudibleAndStartAndEndInSilence) {
    EXPECT_TRUE(failed_.empty());
    struct Effect {
        const char* path;
        double minSeconds;
        double maxSeconds;
    };
    for (const Effect& effect :
         {Effect{"Audio/SFX/slide.wav", 0.4, 0.6}, Effect{"Audio/SFX/footsteps.wav", 0.15, 0.25},
          Effect{"Audio/SFX/Grunt.wav", 0.3, 0.5}, Effect{"Audio/SFX/Grunt2.wav", 0.3, 0.5}}) {
        SCOPED_TRACE(effect.path);
        const WavSound sound = decodeWavFile(path(effect.path));
        ASSERT_TRUE(isValidSound(sound));
        EXPECT_EQ(sound.channels, 1);
        EXPECT_EQ(sound.sampleRate, kEffectRate);
        const double seconds = static_cast<double>(soundFrames(sound)) / sound.sampleRate;
        EXPECT_GE(seconds, effect.minSeconds);
        EXPECT_LE(seconds, effect.maxSeconds);
        EXPECT_GT(rmsOf(sound.samples, 0, sound.samples.size()), 0.04);
        EXPECT_LT(peakOf(sound.samples), 32000) << "clipped";
        EXPECT_LT(std::abs(sound.samples.front()), 60);
        EXPECT_LT(std::abs(sound.samples.back()), 60);
        double sum = 0.0;
        for (const std::int16_t value : sound.samples) sum += value;
        EXPECT_LT(std::fabs(sum / static_cast<double>(sound.samples.size())) / kFullScale, 0.005);
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
    for (std::size_t part = 0; part < 4; ++part)
        EXPECT_GT(rmsOf(slide.samples, part * tenth, (part + 1) * tenth), 0.04) << "tenth " << part;

    const std::size_t hit = static_cast<std::size_t>(step.sampleRate * 6 / 100);
    EXPECT_GT(rmsOf(step.samples, 0, hit), 4.0 * rmsOf(step.samples, hit, step.samples.size()));
}

TEST_F(SoundAssets, SongsLoadWithoutWarningsLastOverAMinuteAndPlayAudiblyToTheEnd) {
    constexpr int kRate = 44100;
    for (const auto& [file, compose] : {std::make_pair("audio/music/in1.it", makeTitleSong),
                                        std::make_pair("audio/music/s1.it", makeGameSong)}) {
        SCOPED_TRACE(file);
        const ItModule composed = compose();
        ModuleStream stream = openModuleFile(path(file));
        ASSERT_TRUE(isValidModule(stream));
        EXPECT_EQ(moduleInfo(stream).warnings, "");
        const double rows = static_cast<double>(composed.orders.size()) * kSongPatternRows;
        EXPECT_GE(moduleDurationSeconds(stream), 60.0);
        EXPECT_NEAR(moduleDurationSeconds(stream),
                    rows * itRowSeconds(composed.initialSpeed, composed.initialTempo), 0.1);

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
            EXPECT_LT(peakOf(*part), 32000) << "clipped";
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
        ItCell& cell = pattern.at(row, row % 2 == 0 ? kItMaxChannels - 1 : 0);
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
            EXPECT_TRUE(read.note == cell.note && read.instrument == cell.instrument &&
                        read.volume == cell.volume)
                << "row " << row << " channel " << channel;
        }
    }
}

// A loop whose end does not join its start smoothly clicks on every held note.
TEST(Instruments, EveryLoopedSampleJoinsItsLoopWithoutAJump) {
    for (const ItModule& song : {makeTitleSong(), makeGameSong()}) {
        for (const ItSample& sample : song.samples) {
            if (!sample.loop) continue;
            SCOPED_TRACE(song.title + ": " + sample.name);
            const auto& data = sample.data;
            ASSERT_LT(sample.loopStart, sample.loopEnd);
            ASSERT_LE(static_cast<std::size_t>(sample.loopEnd), data.size());
            int largestStep = 0;
            for (int i = sample.loopStart + 1; i < sample.loopEnd; ++i) {
                largestStep = std::max(largestStep, std::abs(data[static_cast<std::size_t>(i)] -
                                                             data[static_cast<std::size_t>(i - 1)]));
            }
            EXPECT_LE(std::abs(data[static_cast<std::size_t>(sample.loopStart)] -
                               data[static_cast<std::size_t>(sample.loopEnd - 1)]),
                      largestStep + 2);
        }
    }
}

}  // namespace
