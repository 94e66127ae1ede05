#include "audio/game_audio.h"

#include "game/scene_state.h"

const char* const kSampleFiles[kSampleSlotCount + 1] = {
    "", "Audio/SFX/slide.wav", "Audio/SFX/footsteps.wav", "Audio/SFX/Grunt.wav", "Audio/SFX/Grunt2.wav",
};
static_assert(SAMPLE_SLIDE == 1 && SAMPLE_GRUNT2 == kSampleSlotCount, "sample slots run from 1 to 4");

void initAudio(GameAudio& audio) {
    // The version is only read: whatever the layer is, the game goes on with it.
    (void)audioVersion();
    // A missing device leaves the layer silent; every later call is then harmless.
    (void)audioInit(kAudioMixRate, kAudioChannelCount);
    audio.musicFile = kTitleSong;
    for (AudioSample& sample : audio.samples) sample = AudioSample{};
}

void loadSamples(GameAudio& audio) {
    for (int slot = 1; slot <= kSampleSlotCount; ++slot) {
        audio.samples[slot] = audioLoadSample(kSampleFiles[slot]);
        audioSetRolloffFactor(kAudioRolloffFactor);
    }
}

void changeSong(GameAudio& audio, const char* file) {
    audio.musicFile = file;
    songFree(audio.song);
    audio.song = songLoad(audio.musicFile);
    songPlay(audio.song);
    songSetMasterVolume(audio.song, kSongVolume);
}

void pauseSong(GameAudio& audio) {
    songSetPaused(audio.song, true);
}

void resumeSong(GameAudio& audio) {
    songSetPaused(audio.song, false);
}

void forgetChannels(GameAudio& audio) {
    audio.slideChannel = AudioChannel{};
    audio.gruntChannel = AudioChannel{};
    audio.footstepsChannel = AudioChannel{};
}

void updateSlideSounds(GameAudio& audio, const Board& board, std::mt19937& random) {
    const Box* moving = nullptr;
    for (int i = kMaxBoxes - 1; i >= 0 && moving == nullptr; --i) {
        const Box& box = board.boxes[i];
        if (box.active != 0 && (box.offsetX != 0.0f || box.offsetZ != 0.0f)) moving = &box;
    }
    if (moving == nullptr) {
        if (audioIsPlaying(audio.slideChannel)) audioStopChannel(audio.slideChannel);
        return;
    }

    const Vec3 drawn{static_cast<float>(moving->x) - moving->offsetX, kKeeperHeight,
                     static_cast<float>(moving->y) - moving->offsetZ};
    if (!audioIsPlaying(audio.slideChannel))
        audio.slideChannel = audioPlaySample(audio.samples[SAMPLE_SLIDE]);
    audioSetChannelPosition(audio.slideChannel, drawn);

    // One grunt at a time, each of the two with an equal chance.
    if (!audioIsPlaying(audio.gruntChannel)) {
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        const int choice = static_cast<int>(unit(random) * 2.0f);
        audio.gruntChannel = audioPlaySample(audio.samples[choice == 0 ? SAMPLE_GRUNT : SAMPLE_GRUNT2]);
    }
    audioSetChannelPosition(audio.gruntChannel, drawn);
}

void playFootstep(GameAudio& audio, Vec3 position) {
    audio.footstepsChannel = audioPlaySample(audio.samples[SAMPLE_FOOTSTEPS]);
    audioSetChannelPosition(audio.footstepsChannel, position);
    audioSetChannelVolume(audio.footstepsChannel, kFootstepVolume);
}

void moveFootsteps(GameAudio& audio, const Player& player) {
    const Vec3 drawn{static_cast<float>(player.x) - player.offsetX, kKeeperHeight,
                     static_cast<float>(player.y) - player.offsetZ};
    audioSetChannelPosition(audio.footstepsChannel, drawn);
    audioSetChannelVolume(audio.footstepsChannel, kFootstepVolume);
}

void placeListener(GameAudio& /*audio*/, Vec3 eye, Vec3 lookAt) {
    Vec3 forward = vecSub(lookAt, eye);
    vecNormalize(forward);
    // The audio layer's frame is left-handed: the world's z runs the other way in it.
    audioSetListener(eye, Vec3{forward.x, forward.y, -forward.z}, Vec3{0.0f, 1.0f, 0.0f});
}

void updateAudio(GameAudio& /*audio*/) {
    audioUpdate();
}
