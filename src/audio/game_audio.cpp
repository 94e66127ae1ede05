#include "audio/game_audio.h"

#include <cmath>

#include "game/scene_state.h"
#include "profiles/settings_file.h"

void initAudio(GameAudio& audio) {
    // The version is only read: whatever the layer is, the game goes on with it.
    (void)audioVersion();
    // A missing device leaves the layer silent; every later call is then harmless.
    (void)audioInit(kAudioMixRate, kAudioChannelCount);
    for (AudioSample& sample : audio.samples) sample = AudioSample{};
}

void loadSamples(GameAudio& audio) {
    for (int slot = 1; slot <= kSampleSlotCount; ++slot) {
        audio.samples[slot] = audioLoadSample(kSampleFiles[slot]);
        audioSetRolloffFactor(kAudioRolloffFactor);
    }
}

void changeSong(GameAudio& audio, const char* file) {
    songFree(audio.song);
    audio.song = songLoad(file);
    songPlay(audio.song);
    songSetMasterVolume(audio.song, kSongVolume);
}

void pauseSong(GameAudio& audio) {
    songSetPaused(audio.song, true);
}

void resumeSong(GameAudio& audio) {
    songSetPaused(audio.song, false);
}

float volumeGain(int volume) {
    if (volume <= 0) return 0.0f;
    if (volume >= kMaxVolume) return 1.0f;
    return std::pow(10.0f, -kVolumeStepDecibels * static_cast<float>(kMaxVolume - volume) / 20.0f);
}

void setSoundLevels(int musicVolume, int effectsVolume, bool mute) {
    audioSetMusicGain(mute ? 0.0f : volumeGain(musicVolume));
    audioSetEffectsGain(mute ? 0.0f : volumeGain(effectsVolume));
}

void playVolumeSample(GameAudio& audio, Vec3 listener) {
    const AudioChannel channel = audioPlaySample(audio.samples[SAMPLE_SLIDE]);
    audioSetChannelPosition(channel, listener);
}

void forgetChannels(GameAudio& audio) {
    audio.slideChannel = AudioChannel{};
    audio.gruntChannel = AudioChannel{};
    audio.footstepsChannel = AudioChannel{};
}

void updateSlideSounds(GameAudio& audio, bool boxGliding, Vec3 boxPosition, std::mt19937& random) {
    if (!boxGliding) {
        if (audioIsPlaying(audio.slideChannel)) audioStopChannel(audio.slideChannel);
        return;
    }

    if (!audioIsPlaying(audio.slideChannel))
        audio.slideChannel = audioPlaySample(audio.samples[SAMPLE_SLIDE]);
    audioSetChannelPosition(audio.slideChannel, boxPosition);

    // One grunt at a time, each of the two with an equal chance.
    if (!audioIsPlaying(audio.gruntChannel)) {
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        const int choice = static_cast<int>(unit(random) * 2.0f);
        audio.gruntChannel = audioPlaySample(audio.samples[choice == 0 ? SAMPLE_GRUNT : SAMPLE_GRUNT2]);
    }
    audioSetChannelPosition(audio.gruntChannel, boxPosition);
}

void playFootstep(GameAudio& audio, Vec3 position) {
    audio.footstepsChannel = audioPlaySample(audio.samples[SAMPLE_FOOTSTEPS]);
    audioSetChannelPosition(audio.footstepsChannel, position);
    audioSetChannelVolume(audio.footstepsChannel, kFootstepVolume);
}

void moveFootsteps(GameAudio& audio, const Player& player) {
    audioSetChannelPosition(audio.footstepsChannel, drawnPosition(player, kKeeperHeight));
    audioSetChannelVolume(audio.footstepsChannel, kFootstepVolume);
}

void placeListener(Vec3 eye, Vec3 lookAt) {
    Vec3 forward = vecSub(lookAt, eye);
    vecNormalize(forward);
    // The audio layer's frame is left-handed: the world's z runs the other way in it.
    audioSetListener(eye, Vec3{forward.x, forward.y, -forward.z}, Vec3{0.0f, 1.0f, 0.0f});
}

void updateAudio() {
    audioUpdate();
}
