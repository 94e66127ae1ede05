#pragma once

#include <cstdint>

#include "math/vec.h"

// The audio layer the game is written against: positional one-shot samples on a fixed set of channels, a
// listener, and tracker-module songs. It keeps the behaviour of the interface the game's sound code was
// written for:
//  - coordinates are left-handed: x right, y up, z forward. The game passes its world positions as they
//    are and turns the listener's forward vector into this frame by negating its z;
//  - 3D sounds fade with distance as reference / (reference + rolloff * (distance - reference)), with a
//    reference distance of 1 world unit and no maximum distance: they soften, they never vanish;
//  - a channel handle names one playing of a sample. Once that sound has finished, been stopped, or its
//    channel has been taken by a later sound, the handle is stale: it reports "not playing" and every call
//    with it does nothing;
//  - channel volumes run from 0 to 255 (255 is the sample's own level), song volumes from 0 to 256;
//  - a song loops forever and keeps playing between calls: nothing has to poll it;
//  - a null handle (the empty handle of each kind, which is also what every failed call returns) is
//    accepted everywhere and does nothing. Without an audio device every handle is null and nothing prints.
// Calls come from the game's one thread. Two implementations exist: over OpenAL Soft and libopenmpt for the
// game (platform/audio_openal.cpp), and a recording one for tests (platform/audio_recording.h).

struct AudioSample {
    int slot = 0;  // 1-based; 0 none
};

struct AudioChannel {
    int index = -1;  // -1 none
    std::uint32_t serial = 0;
};

struct AudioSong {
    int slot = 0;  // 1-based; 0 none
    std::uint32_t serial = 0;
};

constexpr int kChannelVolumeMax = 255;
constexpr int kSongVolumeMax = 256;

// The layer's version number; informational only.
float audioVersion();

// Opens the default output device mixing at mixRate frames per second with channelCount sample channels.
// False (and a silent layer) when there is no device; a second call changes nothing.
bool audioInit(int mixRate, int channelCount);

// A mono or stereo WAV file as a 3D sample that plays once (stereo is mixed down to mono so that it can be
// placed). Null when the layer is silent or the file is missing or damaged.
AudioSample audioLoadSample(const char* path);

// The distance rolloff of every 3D sound, present and future: 0 none, 1 the physical one.
void audioSetRolloffFactor(float factor);

// Starts the sample on a free channel (or, with every channel busy, on the one started longest ago) at the
// full volume 255 and at the world's origin, unless it is placed before any sound is mixed: a position or
// volume set right after this call takes effect from the sound's first frame.
AudioChannel audioPlaySample(AudioSample sample);
bool audioIsPlaying(AudioChannel channel);
void audioSetChannelPosition(AudioChannel channel, Vec3 position);
void audioSetChannelVolume(AudioChannel channel, int volume);  // clamped to 0..255
void audioStopChannel(AudioChannel channel);

// Gains over every sample channel and over every song, from 0 (silent) to 1 (as the volumes above set
// them): the player's volumes and mute. Each multiplies the channel or song volumes, now and for every
// sound started later; a value outside 0..1 is clamped, one that is not a number ignored.
void audioSetEffectsGain(float gain);
void audioSetMusicGain(float gain);

// The listener: position, the direction faced and the direction of the top of the head. A zero forward
// vector, or one parallel to top, keeps the previous orientation.
void audioSetListener(Vec3 position, Vec3 forward, Vec3 top);

// Once per game frame: applies what is still pending and tops up the songs' queued sound.
void audioUpdate();

// A tracker module (.it and the other forms libopenmpt reads). Null when the layer is silent or the file
// is missing or damaged.
AudioSong songLoad(const char* path);
// Plays the song from its start, looping.
void songPlay(AudioSong song);
void songSetMasterVolume(AudioSong song, int volume);  // clamped to 0..256
// Pausing holds the song where it is; unpausing goes on from there.
void songSetPaused(AudioSong song, bool paused);
// Stops and releases the song; its handle becomes stale.
void songFree(AudioSong song);
