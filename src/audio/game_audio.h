#pragma once

#include <random>

#include "core/board.h"
#include "formats/asset_files.h"
#include "math/vec.h"
#include "platform/audio.h"

// The game's sounds and music: four positional samples (a box sliding, two grunts, footsteps) placed in
// the world's units, a listener that follows the camera, and one tracker song at a time. A missing device,
// file or decoder leaves null handles and a silent game.

constexpr int kAudioMixRate = 44100;         // frames per second
constexpr int kAudioChannelCount = 16;       // sample channels of the audio layer
constexpr float kAudioRolloffFactor = 0.1f;  // sounds fade gently over the board, they never vanish
constexpr int kSongVolume = 50;              // of 256
constexpr int kFootstepVolume = 200;         // of 255
constexpr float kVolumeStepDecibels = 3.0f;  // between two of the player's volume steps

// Owned by the main program for the whole run; every handle is null until something loads or plays.
struct GameAudio {
    AudioSample samples[kSampleSlotCount + 1];  // indexed by slot; entry 0 unused
    AudioSong song;                             // the song now loaded
    AudioChannel slideChannel;
    AudioChannel gruntChannel;
    AudioChannel footstepsChannel;
};

void initAudio(GameAudio& audio);
void loadSamples(GameAudio& audio);

// Frees the current song, loads the named one, plays it (looping) at master volume 50.
void changeSong(GameAudio& audio, const char* file);
void pauseSong(GameAudio& audio);
void resumeSong(GameAudio& audio);

// The player's volume step (0 to kMaxVolume) as a gain: 1 at the top, the game's own level, each step below
// kVolumeStepDecibels quieter, and 0 silent.
float volumeGain(int volume);
// The player's music and effects volumes, and mute over both, heard at once.
void setSoundLevels(int musicVolume, int effectsVolume, bool mute);
// The slide of a pushed crate where the listener stands: what the effects volume sounds like now.
void playVolumeSample(GameAudio& audio, Vec3 listener);

// At every game start: the slide, grunt and footstep channels are forgotten.
void forgetChannels(GameAudio& audio);

// Every frame with the menu closed, from what the frame's step saw as it began: the slide sound and a grunt
// follow the gliding box with the highest index, drawn at boxPosition; the slide sound stops on the first
// frame no box glides. The grunt is one of two, chosen with the game's generator.
void updateSlideSounds(GameAudio& audio, bool boxGliding, Vec3 boxPosition, std::mt19937& random);

// A footfall of the walk cycle, at a point on the floor.
void playFootstep(GameAudio& audio, Vec3 position);
// Every frame: the footstep channel follows the keeper's drawn position.
void moveFootsteps(GameAudio& audio, const Player& player);
// Every frame: the listener stands at the eye and looks at the point looked at.
void placeListener(Vec3 eye, Vec3 lookAt);
// After every game-loop frame's buffer swap.
void updateAudio();
