// The game's use of the audio layer, read from the recording stand-in: no device, songs and the menu's
// pause, the slide sound and grunts that follow the gliding box, footsteps. (The listener's orientation is
// heard on the real mixer.)

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/outer_loop.h"
#include "audio/game_audio.h"
#include "core/moves.h"
#include "platform/audio_recording.h"
#include "profiles/settings_file.h"
#include "support/scripted_game.h"

namespace {

// The push sounds of a frame whose step saw this board as it began.
void slideSounds(GameAudio& audio, const Board& board, std::mt19937& random) {
    const Box* box = lastGlidingBox(board);
    updateSlideSounds(audio, box != nullptr, box != nullptr ? drawnPosition(*box, kKeeperHeight) : Vec3{},
                      random);
}

int playsOf(const GameAudio& audio, int slot) {
    int plays = 0;
    for (const RecordedAudioCall& call : audioRecordingCallsTo("audioPlaySample"))
        plays += call.sample.slot == audio.samples[slot].slot ? 1 : 0;
    return plays;
}

void expectAt(Vec3 actual, float x, float y, float z) {
    EXPECT_FLOAT_EQ(actual.x, x);
    EXPECT_FLOAT_EQ(actual.y, y);
    EXPECT_FLOAT_EQ(actual.z, z);
}

class GameAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        audioRecordingReset();
        initAudio(audio);
        loadSamples(audio);
        audioRecordingClearCalls();
        for (int slot = 1; slot <= kSampleSlotCount; ++slot) ASSERT_NE(audio.samples[slot].slot, 0);
    }

    // One game frame's worth of push sounds, then the frame's update.
    void slideFrame(const Board& board) {
        slideSounds(audio, board, random);
        updateAudio();
    }

    GameAudio audio;
    std::mt19937 random{7};
};

TEST(GameAudioStartUp, NoDeviceOrMissingFilesLeaveASilentGameThatStillRuns) {
    audioRecordingReset();
    audioRecordingSetNoDevice(true);
    GameAudio audio;
    initAudio(audio);
    loadSamples(audio);
    changeSong(audio, kTitleSong);
    EXPECT_EQ(audio.song.slot, 0);
    Board board;
    board.boxes[0] = Box{kBoxActive, 3, 3, 1.0f, 0.0f};
    std::mt19937 random(1);
    slideSounds(audio, board, random);
    playFootstep(audio, {1.0f, 0.0f, 1.0f});
    pauseSong(audio);
    resumeSong(audio);
    EXPECT_EQ(audio.slideChannel.index, -1);
    EXPECT_EQ(audio.gruntChannel.index, -1);
    EXPECT_EQ(audio.footstepsChannel.index, -1);

    // A device, but one sample file that does not load: only that sound is missing.
    audioRecordingReset();
    audioRecordingFailLoad("Audio/SFX/slide.wav");
    audio = GameAudio{};
    initAudio(audio);
    loadSamples(audio);
    slideSounds(audio, board, random);
    updateAudio();
    EXPECT_EQ(audio.slideChannel.index, -1);
    EXPECT_NE(audio.gruntChannel.index, -1);
}

TEST_F(GameAudioTest, SlideSoundFollowsTheHighestIndexGlidingBoxAndStopsWhenNoneGlides) {
    Board board;
    board.boxes[0] = Box{kBoxActive, 2, 2, 0.5f, 0.0f};
    board.boxes[3] = Box{kBoxActive, 6, 4, 0.0f, -0.3f};
    board.boxes[5] = Box{kBoxActive, 9, 9, 0.0f, 0.0f};  // standing
    board.boxes[7] = Box{0, 4, 4, 0.8f, 0.0f};           // not in this level
    slideFrame(board);
    const AudioChannel slide = audio.slideChannel;
    EXPECT_EQ(audioRecordingChannel(slide).path, "Audio/SFX/slide.wav");
    expectAt(audioRecordingChannel(slide).position, 6.0f, 1.027f, 4.3f);
    expectAt(audioRecordingChannel(audio.gruntChannel).position, 6.0f, 1.027f, 4.3f);

    // Box 3 has stopped: the same sound moves on to box 0.
    board.boxes[3].offsetZ = 0.0f;
    slideFrame(board);
    EXPECT_EQ(audio.slideChannel.serial, slide.serial);
    expectAt(audioRecordingChannel(slide).position, 1.5f, 1.027f, 2.0f);
    EXPECT_EQ(playsOf(audio, SAMPLE_SLIDE), 1);

    board.boxes[0].offsetX = 0.0f;
    audioRecordingClearCalls();
    slideFrame(board);
    ASSERT_EQ(audioRecordingCallsTo("audioStopChannel").size(), 1u);
    EXPECT_EQ(audioRecordingCallsTo("audioStopChannel")[0].channel.serial, slide.serial);
    EXPECT_FALSE(audioIsPlaying(audio.slideChannel));
    audioRecordingClearCalls();
    slideFrame(board);
    EXPECT_TRUE(audioRecordingCallsTo("audioStopChannel").empty());  // only a playing sound is stopped
}

TEST_F(GameAudioTest, SlideSoundThatEndsWhileTheBoxGlidesStartsAgain) {
    audioRecordingSetSampleLength(kSampleFiles[SAMPLE_SLIDE], 3);
    Board board;
    board.boxes[1] = Box{kBoxActive, 5, 5, 1.0f, 0.0f};
    for (int frame = 0; frame < 7; ++frame) slideFrame(board);
    EXPECT_EQ(playsOf(audio, SAMPLE_SLIDE), 3);  // frames 0, 3 and 6
    EXPECT_EQ(audioRecordingPlayingCount(kSampleFiles[SAMPLE_SLIDE]), 1);
}

TEST_F(GameAudioTest, GruntStartsOnlyWhenNonePlaysAndFollowsTheBox) {
    for (const char* grunt : {kSampleFiles[SAMPLE_GRUNT], kSampleFiles[SAMPLE_GRUNT2]})
        audioRecordingSetSampleLength(grunt, 5);
    Board board;
    board.boxes[0] = Box{kBoxActive, 5, 5, 1.0f, 0.0f};
    for (int frame = 0; frame < 12; ++frame) {
        slideFrame(board);
        const int grunting = audioRecordingPlayingCount(kSampleFiles[SAMPLE_GRUNT]) +
                             audioRecordingPlayingCount(kSampleFiles[SAMPLE_GRUNT2]);
        EXPECT_LE(grunting, 1) << "frame " << frame;
        expectAt(audioRecordingChannel(audio.gruntChannel).position, 5.0f - board.boxes[0].offsetX, 1.027f,
                 5.0f);
        board.boxes[0].offsetX -= 0.05f;
    }
    EXPECT_EQ(playsOf(audio, SAMPLE_GRUNT) + playsOf(audio, SAMPLE_GRUNT2), 3);  // frames 0, 5 and 10

    // No box glides: no new grunt, though none plays.
    board.boxes[0].offsetX = 0.0f;
    for (int frame = 0; frame < 10; ++frame) slideFrame(board);
    EXPECT_EQ(playsOf(audio, SAMPLE_GRUNT) + playsOf(audio, SAMPLE_GRUNT2), 3);
}

TEST_F(GameAudioTest, FootstepSoundFollowsTheKeeperAtVolume200) {
    playFootstep(audio, {3.0f, 0.0f, 4.0f});
    Player keeper;
    keeper.x = 3;
    keeper.y = 4;
    keeper.offsetZ = 0.25f;
    moveFootsteps(audio, keeper);
    const RecordedChannel channel = audioRecordingChannel(audio.footstepsChannel);
    expectAt(channel.position, 3.0f, 1.027f, 3.75f);
    EXPECT_EQ(channel.volume, 200);
    // Before any footstep (and after the channels are forgotten) the calls reach no channel.
    forgetChannels(audio);
    audioRecordingClearCalls();
    moveFootsteps(audio, keeper);
    EXPECT_EQ(audioRecordingCallsTo("audioSetChannelPosition")[0].channel.index, -1);
}

// The player's volumes: the top step is the game's own level, each step below about 3 dB quieter, 0
// silent; mute silences both whatever they are, and without a device none of it does anything.
TEST_F(GameAudioTest, VolumeStepsAreThreeDecibelsApartAndMuteSilencesBoth) {
    EXPECT_EQ(volumeGain(kMaxVolume), 1.0f);
    EXPECT_EQ(volumeGain(0), 0.0f);
    for (int volume = 2; volume <= kMaxVolume; ++volume)
        EXPECT_NEAR(20.0 * std::log10(volumeGain(volume) / volumeGain(volume - 1)), 3.0, 1e-4) << volume;
    setSoundLevels(4, 7, false);
    EXPECT_FLOAT_EQ(audioRecordingMusicGain(), volumeGain(4));
    EXPECT_FLOAT_EQ(audioRecordingEffectsGain(), volumeGain(7));
    setSoundLevels(4, 7, true);
    EXPECT_EQ(audioRecordingMusicGain(), 0.0f);
    EXPECT_EQ(audioRecordingEffectsGain(), 0.0f);

    audioRecordingReset();
    audioRecordingSetNoDevice(true);
    initAudio(audio);
    setSoundLevels(3, 3, false);
    playVolumeSample(audio, Vec3{});
    EXPECT_EQ(audioRecordingEffectsGain(), 1.0f);
    EXPECT_EQ(audioRecordingCallsTo("audioPlaySample")[0].channel.index, -1);
}

// ---- the game loop's calls ----

struct GameLoopAudioTest : testing_support::ScriptedGameTest {
    void SetUp() override {
        audioRecordingReset();
        startOn("set\n\n#########\n#       #\n#  @$  .#\n#       #\n#########\n");
        initAudio(game->audio);
        loadSamples(game->audio);
    }
    const RecordedSong& gameSong() const { return audioRecordingSongs().back(); }
};

TEST_F(GameLoopAudioTest, MenuPausesTheSongOnItsFirstFrameAndClosingResumesItInPlace) {
    changeSong(game->audio, kGameSong);
    for (int frame = 0; frame < 5; ++frame) runGameFrame(*game);
    EXPECT_EQ(gameSong().position, 5);

    game->session.profile.loaded = true;  // only then does Escape leave the menu again
    audioRecordingClearCalls();
    press(KEY_ESC);  // the menu opens within this frame
    ASSERT_TRUE(game->session.menuOpen);
    EXPECT_TRUE(gameSong().paused);
    const std::vector<RecordedAudioCall> pauses = audioRecordingCallsTo("songSetPaused");
    ASSERT_EQ(pauses.size(), 1u);
    EXPECT_EQ(pauses[0].value, 1.0f);
    const int position = gameSong().position;

    for (int frame = 0; frame < 10; ++frame) runGameFrame(*game);
    EXPECT_EQ(gameSong().position, position);
    EXPECT_EQ(audioRecordingCallsTo("songSetPaused").size(), 1u);  // paused once, not every frame

    press(KEY_ESC);
    ASSERT_FALSE(game->session.menuOpen);
    EXPECT_FALSE(gameSong().paused);
    EXPECT_EQ(audioRecordingCallsTo("songSetPaused").back().value, 0.0f);
    runGameFrame(*game);
    EXPECT_EQ(gameSong().position, position + 2);
    EXPECT_EQ(audioRecordingSongs().size(), 1u);  // the same song: not reloaded, not restarted
}

TEST_F(GameLoopAudioTest, PassPlaysTheTitleSongThenTheGameSongAndForgetsTheChannels) {
    game->audio.footstepsChannel = audioPlaySample(game->audio.samples[SAMPLE_FOOTSTEPS]);
    scriptedCloseAt(1.0);
    scriptedKeyAt(2.0, KEY_SPACE, true);
    scriptedKeyAt(2.2, KEY_SPACE, false);
    EXPECT_TRUE(runPass(*game));
    // The title song, freed again, then the game song playing at volume 50.
    const std::vector<RecordedSong>& songs = audioRecordingSongs();
    ASSERT_EQ(songs.size(), 2u);
    EXPECT_EQ(songs[0].path, kTitleSong);
    EXPECT_TRUE(songs[0].freed);
    EXPECT_EQ(songs[1].path, kGameSong);
    EXPECT_TRUE(songs[1].playing);
    EXPECT_EQ(songs[1].volume, 50);
    EXPECT_EQ(game->audio.footstepsChannel.index, -1);
}

}  // namespace
