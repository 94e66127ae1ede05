// The OpenAL audio layer by the sound it mixes on a loopback device: samples, volume, distance and side;
// songs that loop, pause and resume in place; every failure leaves a harmless null. (The song fed without
// per-frame calls is heard end to end on the title screen.)

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio/game_audio.h"
#include "game/scene_state.h"
#include "platform/audio.h"
#include "platform/audio_loopback.h"
#include "soundgen/wav_writer.h"
#include "support/sine_song.h"
#include "support/temp_dir.h"

using testing_support::TempDir;

namespace {

constexpr int kRate = 44100;
constexpr double kSilence = 1e-4;  // RMS of a mix with nothing in it (full scale 1.0)

struct Levels {
    double left = 0.0;
    double right = 0.0;
    double both() const { return std::sqrt((left * left + right * right) / 2.0); }
};

Levels levelsOf(const std::vector<float>& mix, std::size_t firstFrame = 0) {
    double left = 0.0;
    double right = 0.0;
    const std::size_t frames = mix.size() / 2;
    for (std::size_t i = firstFrame; i < frames; ++i) {
        left += static_cast<double>(mix[2 * i]) * mix[2 * i];
        right += static_cast<double>(mix[2 * i + 1]) * mix[2 * i + 1];
    }
    const double count = static_cast<double>(frames > firstFrame ? frames - firstFrame : 1);
    return {std::sqrt(left / count), std::sqrt(right / count)};
}

// Mixes seconds of sound in slices of a game frame or so, with the per-frame update before each slice, as
// the game loop would call it.
std::vector<float> mixSeconds(double seconds) {
    const int frames = static_cast<int>(seconds * kRate);
    std::vector<float> mix(static_cast<std::size_t>(frames) * 2);
    for (int done = 0; done < frames;) {
        const int slice = std::min(1024, frames - done);
        audioUpdate();
        audioRenderLoopback(mix.data() + static_cast<std::size_t>(done) * 2, slice);
        done += slice;
    }
    return mix;
}

std::vector<std::int16_t> sine(double seconds, double hz, double amplitude) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * kRate));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(amplitude * 32767.0 * std::sin(2.0 * M_PI * hz * i / kRate));
    return samples;
}

class AudioLayer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(writeWavMono16(dir / "tone.wav", kRate, sine(2.0, 440.0, 0.5)));
        ASSERT_TRUE(writeWavMono16(dir / "blip.wav", kRate, sine(0.05, 440.0, 0.5)));
        testing_support::writeFile(dir / "scale.it", sineScaleSongBytes());
        testing_support::writeFile(dir / "damaged.it", "IMPM but nothing after it");
        testing_support::writeFile(dir / "damaged.wav", "RIFF\x10\0\0\0WAVEfmt ");
        ASSERT_TRUE(audioInitLoopback(kRate, 16, false));
    }
    void TearDown() override { audioShutdown(); }

    // The level of a sample played alone at a position, with the listener at the origin facing forward.
    double levelAt(Vec3 position, int volume = kChannelVolumeMax) {
        const AudioChannel channel = audioPlaySample(audioLoadSample((dir / "tone.wav").c_str()));
        audioSetChannelPosition(channel, position);
        audioSetChannelVolume(channel, volume);
        const double level = levelsOf(mixSeconds(0.2), 2048).both();
        audioStopChannel(channel);
        return level;
    }

    TempDir dir;
};

// A stopped sound falls silent at once; a finished or taken-over channel reports not playing, and its stale
// handle must not reach the sound that now owns the channel.
TEST_F(AudioLayer, StoppedFinishedOrTakenOverChannelsLetGo) {
    const AudioSample tone = audioLoadSample((dir / "tone.wav").c_str());
    const AudioChannel channel = audioPlaySample(tone);
    audioSetChannelPosition(channel, {0.0f, 0.0f, 2.0f});
    EXPECT_GT(levelsOf(mixSeconds(0.1)).both(), 0.05);
    EXPECT_TRUE(audioIsPlaying(channel));
    audioStopChannel(channel);
    EXPECT_FALSE(audioIsPlaying(channel));
    mixSeconds(0.05);  // room for the mixer to ramp the stop out
    EXPECT_LT(levelsOf(mixSeconds(0.1)).both(), kSilence);

    const AudioChannel finished = audioPlaySample(audioLoadSample((dir / "blip.wav").c_str()));
    mixSeconds(0.1);
    EXPECT_FALSE(audioIsPlaying(finished));

    // Sixteen long sounds fill every channel; a seventeenth takes over the one started first.
    std::vector<AudioChannel> channels;
    for (int i = 0; i < 17; ++i) channels.push_back(audioPlaySample(tone));
    mixSeconds(0.02);
    EXPECT_FALSE(audioIsPlaying(channels[0]));
    EXPECT_EQ(channels[16].index, channels[0].index);
    for (int i = 1; i < 16; ++i) audioStopChannel(channels[static_cast<std::size_t>(i)]);
    audioStopChannel(channels[0]);
    audioSetChannelVolume(channels[0], 0);
    mixSeconds(0.05);
    EXPECT_TRUE(audioIsPlaying(channels[16]));
    EXPECT_GT(levelsOf(mixSeconds(0.1)).both(), 0.05);
}

// The channel volume scales the gain; the game's rolloff of 0.1 over board distances makes a sound across
// the board softer, never gone.
TEST_F(AudioLayer, LevelFollowsChannelVolumeAndFadesGentlyWithDistance) {
    const double full = levelAt({0.0f, 0.0f, 2.0f});
    ASSERT_GT(full, 0.05);
    EXPECT_NEAR(levelAt({0.0f, 0.0f, 2.0f}, kFootstepVolume) / full, 200.0 / 255.0, 0.03);
    EXPECT_NEAR(levelAt({0.0f, 0.0f, 2.0f}, 51) / full, 51.0 / 255.0, 0.03);
    EXPECT_LT(levelAt({0.0f, 0.0f, 2.0f}, 0), kSilence);

    audioSetRolloffFactor(kAudioRolloffFactor);
    const double near = levelAt({0.0f, 0.0f, 2.0f});
    EXPECT_NEAR(levelAt({0.0f, 0.0f, 11.0f}) / near, (1.0 + 0.1 * 1.0) / (1.0 + 0.1 * 10.0), 0.03);
    EXPECT_NEAR(levelAt({0.0f, 0.0f, 40.0f}) / near, (1.0 + 0.1 * 1.0) / (1.0 + 0.1 * 39.0), 0.03);
    audioSetRolloffFactor(1.0f);
    EXPECT_NEAR(levelAt({0.0f, 0.0f, 11.0f}) / levelAt({0.0f, 0.0f, 2.0f}), 2.0 / 11.0, 0.03);
}

// The listener as the game places it behind and above the keeper; screen right is world +x.
TEST_F(AudioLayer, BoxRightOfKeeperIsLouderOnTheRight) {
    GameAudio audio;
    loadSamples(audio);  // the game's files are not here: the slots stay empty
    audio.samples[SAMPLE_SLIDE] = audioLoadSample((dir / "tone.wav").c_str());
    audio.samples[SAMPLE_GRUNT] = audio.samples[SAMPLE_GRUNT2] = audio.samples[SAMPLE_SLIDE];

    Player keeper;
    keeper.x = 5;
    keeper.y = 7;
    SceneState scene;
    scene.eye = {5.0f, 10.0f, 12.0f};  // where the camera settles over a keeper standing at (5, 7)
    scene.lookAt = {5.0f, kKeeperHeight, 7.0f};

    std::mt19937 random(1);
    for (const int boxColumn : {8, 2}) {
        const Box box{kBoxActive, boxColumn, 7, 0.5f, 0.0f};
        placeListener(scene.eye, scene.lookAt);
        updateSlideSounds(audio, true, drawnPosition(box, kKeeperHeight), random);
        const Levels levels = levelsOf(mixSeconds(0.2), 2048);
        updateSlideSounds(audio, false, Vec3{}, random);
        audioStopChannel(audio.gruntChannel);

        const double rightOverLeftDb = 20.0 * std::log10(levels.right / levels.left);
        if (boxColumn > keeper.x) {
            EXPECT_GT(rightOverLeftDb, 2.0) << "box right of the keeper";
        } else {
            EXPECT_LT(rightOverLeftDb, -2.0) << "box left of the keeper";
        }
    }
}

// Pausing holds the song in place: what follows the resume is what would have followed the pause.
TEST_F(AudioLayer, SongIsSilentWhilePausedAndResumesWhereItStopped) {
    const AudioSong reference = songLoad((dir / "scale.it").c_str());
    songPlay(reference);
    const std::vector<float> straight = mixSeconds(2.0);
    songFree(reference);
    mixSeconds(0.05);

    const AudioSong song = songLoad((dir / "scale.it").c_str());
    songPlay(song);
    const std::vector<float> before = mixSeconds(1.0);
    songSetPaused(song, true);
    mixSeconds(0.05);
    EXPECT_LT(levelsOf(mixSeconds(0.5)).both(), kSilence);
    songSetPaused(song, false);
    const std::vector<float> after = mixSeconds(1.0);
    EXPECT_GT(levelsOf(after).both(), 0.02);

    // Compared past the first few milliseconds, where the mixer may ramp the resumed sound in.
    double difference = 0.0;
    double signal = 0.0;
    const std::size_t offset = before.size();
    for (std::size_t i = 512; i < after.size(); ++i) {
        const double d = after[i] - straight[offset + i];
        difference += d * d;
        signal += static_cast<double>(straight[offset + i]) * straight[offset + i];
    }
    EXPECT_LT(std::sqrt(difference / signal), 0.05);
    songFree(song);
}

// One pass of the scale lasts 32 rows of 0.12 s: the second pass must sound like the first. The game's
// master volume of 50 plays the song at 50/256 of full, and a freed song falls silent.
TEST_F(AudioLayer, SongLoopsWithoutAGapAndPlaysQuieterAtMasterVolumeFifty) {
    const AudioSong song = songLoad((dir / "scale.it").c_str());
    songPlay(song);
    songSetMasterVolume(song, kSongVolumeMax);
    const std::vector<float> mix = mixSeconds(8.0);
    for (std::size_t slice = 0; slice + 4410 * 2 <= mix.size(); slice += 4410 * 2) {
        const std::vector<float> part(mix.begin() + static_cast<std::ptrdiff_t>(slice),
                                      mix.begin() + static_cast<std::ptrdiff_t>(slice + 4410 * 2));
        ASSERT_GT(levelsOf(part).both(), 0.02) << "silence at " << slice / 2 / 44100.0 << " s";
    }
    const double full = levelsOf(mixSeconds(0.5)).both();
    songSetMasterVolume(song, kSongVolume);
    mixSeconds(0.05);
    EXPECT_NEAR(levelsOf(mixSeconds(0.5)).both() / full, 50.0 / 256.0, 0.03);
    songFree(song);
    mixSeconds(0.05);
    EXPECT_LT(levelsOf(mixSeconds(0.1)).both(), kSilence);
}

// The player's gains multiply the volumes the game sets: the effects gain every channel's, the music gain
// every song's, for sounds playing and started later alike; 0 is silence and a stray value is clamped.
TEST_F(AudioLayer, EffectsAndMusicGainsScaleTheirOwnSoundsOnly) {
    const double full = levelAt({0.0f, 0.0f, 2.0f}, kFootstepVolume);
    audioSetEffectsGain(0.5f);
    EXPECT_NEAR(levelAt({0.0f, 0.0f, 2.0f}, kFootstepVolume) / full, 0.5, 0.03);
    audioSetEffectsGain(NAN);  // ignored
    EXPECT_NEAR(levelAt({0.0f, 0.0f, 2.0f}) / full, 0.5 * 255.0 / 200.0, 0.03);
    const AudioChannel playing = audioPlaySample(audioLoadSample((dir / "tone.wav").c_str()));
    audioSetChannelPosition(playing, {0.0f, 0.0f, 2.0f});
    audioSetEffectsGain(-3.0f);
    mixSeconds(0.05);
    EXPECT_LT(levelsOf(mixSeconds(0.1)).both(), kSilence);
    audioStopChannel(playing);
    audioSetEffectsGain(1.0f);

    const AudioSong song = songLoad((dir / "scale.it").c_str());
    songPlay(song);
    songSetMasterVolume(song, kSongVolume);
    mixSeconds(0.05);
    const double music = levelsOf(mixSeconds(0.5)).both();
    ASSERT_GT(music, 0.005);
    audioSetMusicGain(0.25f);
    mixSeconds(0.05);
    EXPECT_NEAR(levelsOf(mixSeconds(0.5)).both() / music, 0.25, 0.03);
    songSetMasterVolume(song, kSongVolumeMax);
    mixSeconds(0.05);
    EXPECT_NEAR(levelsOf(mixSeconds(0.5)).both() / music, 0.25 * 256.0 / 50.0, 0.1);
    audioSetMusicGain(0.0f);
    mixSeconds(0.05);
    EXPECT_LT(levelsOf(mixSeconds(0.2)).both(), kSilence);
    songFree(song);
    EXPECT_NEAR(levelAt({0.0f, 0.0f, 2.0f}, kFootstepVolume) / full, 1.0, 0.03);  // the effects' own gain
}

TEST_F(AudioLayer, FailuresGiveNullHandlesAndEveryCallWithThemIsHarmless) {
    EXPECT_EQ(audioLoadSample((dir / "missing.wav").c_str()).slot, 0);
    EXPECT_EQ(audioLoadSample((dir / "damaged.wav").c_str()).slot, 0);
    EXPECT_EQ(audioLoadSample(nullptr).slot, 0);
    EXPECT_EQ(songLoad((dir / "missing.it").c_str()).slot, 0);
    EXPECT_EQ(songLoad((dir / "damaged.it").c_str()).slot, 0);

    const AudioChannel none = audioPlaySample(AudioSample{});
    EXPECT_EQ(none.index, -1);
    EXPECT_FALSE(audioIsPlaying(none));
    audioSetChannelPosition(none, {1.0f, 2.0f, 3.0f});
    audioSetChannelVolume(none, 200);
    audioStopChannel(none);
    audioPlaySample(AudioSample{999});
    songPlay(AudioSong{});
    songSetMasterVolume(AudioSong{}, 50);
    songSetPaused(AudioSong{}, true);
    songFree(AudioSong{});  // freeing no song does nothing
    songFree(AudioSong{3, 99});
    EXPECT_LT(levelsOf(mixSeconds(0.1)).both(), kSilence);

    // A degenerate listener keeps its last orientation; a sound still plays.
    audioSetListener({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    audioSetListener({NAN, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    EXPECT_GT(levelAt({0.0f, 0.0f, 2.0f}), 0.05);
}

TEST(AudioLayerWithoutDevice, EveryCallIsHarmlessAndSilent) {
    TempDir dir;
    ASSERT_TRUE(writeWavMono16(dir / "tone.wav", kRate, sine(0.5, 440.0, 0.5)));
    EXPECT_FALSE(audioInitLoopback(kRate, 0, false));  // refused arguments: still no device
    EXPECT_FALSE(audioInitLoopback(1000, 16, false));
    const AudioSample sample = audioLoadSample((dir / "tone.wav").c_str());
    EXPECT_EQ(sample.slot, 0);
    const AudioChannel channel = audioPlaySample(sample);
    EXPECT_FALSE(audioIsPlaying(channel));
    audioSetRolloffFactor(0.1f);
    audioSetEffectsGain(0.5f);
    audioSetMusicGain(0.0f);
    audioSetListener({1.0f, 2.0f, 3.0f}, {0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f});
    audioUpdate();
    const AudioSong song = songLoad((dir / "tone.wav").c_str());
    EXPECT_EQ(song.slot, 0);
    songPlay(song);
    songFree(song);
    float mix[64] = {};
    audioRenderLoopback(mix, 32);
    audioShutdown();
}

}  // namespace
