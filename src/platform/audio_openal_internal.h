#pragma once

// Shared state of the OpenAL implementation of the audio layer (platform/audio.h), split between
// audio_openal.cpp (device, samples, channels, listener) and audio_song_stream.cpp (songs). Nothing outside
// those two files includes this.

#include <AL/al.h>
#include <AL/alc.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/sound_files.h"

constexpr int kMaxChannels = 64;
constexpr int kMaxSamples = 64;
constexpr int kMaxSongs = 4;

// Songs are decoded ahead into a short queue of buffers on their source. Four buffers of 4096 frames
// hold about 0.37 s at 44100 Hz: the feeder thread tops them up every 20 ms, and even the game's longest
// stretches without a call into the layer (a key-release wait, a loading screen) stay well inside that.
constexpr int kSongBufferCount = 4;
constexpr int kSongBufferFrames = 4096;

struct SongStream {
    ModuleStream module;
    ALuint source = 0;
    ALuint buffers[kSongBufferCount] = {};
    std::uint32_t serial = 0;  // 0: the slot is free
    bool playing = false;      // songPlay was called; the queue is kept topped up
    bool paused = false;
    float volume = 1.0f;  // the master volume, 0 to 1, before the music gain
};

// Everything about songs is guarded by mutex: the game thread and the feeder thread both touch it.
struct SongTable {
    std::mutex mutex;
    std::condition_variable wake;
    std::thread feeder;
    bool stopFeeder = false;
    bool ready = false;  // a device is open
    int mixRate = 0;
    std::uint32_t nextSerial = 1;
    float musicGain = 1.0f;  // over every song's volume
    SongStream songs[kMaxSongs];
    std::vector<std::int16_t> scratch;  // one buffer of interleaved stereo
};

struct SampleChannel {
    ALuint source = 0;
    std::uint32_t serial = 0;     // of the playing the current handle names
    bool pendingStart = false;    // played, but not yet handed to the mixer
    std::uint64_t startedAt = 0;  // order of the last start, to pick a channel to take over
    float volume = 1.0f;          // the channel volume, 0 to 1, before the effects gain
};

// The layer's one device, its samples and channels: process-wide like the device itself. Closed when the
// program ends.
struct OpenAlLayer {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    bool loopback = false;
    std::vector<SampleChannel> channels;
    ALuint samples[kMaxSamples] = {};  // 0: slot free
    float rolloffFactor = 1.0f;
    float effectsGain = 1.0f;  // over every channel's volume
    std::uint32_t nextSerial = 1;
    std::uint64_t startCount = 0;
    SongTable songs;

    ~OpenAlLayer();
};

OpenAlLayer& openAlLayer();
// Back to the state before any init: songs, channels and samples released, the device closed.
void closeLayer(OpenAlLayer& layer);

// Song side of the device's lifetime: after the context is made current, and before it is destroyed.
void startSongs(SongTable& table, int mixRate, bool feederThread);
void stopSongs(SongTable& table);
// Tops up the queue of every playing song and restarts one that ran dry.
void refillSongs(SongTable& table);

// 0..1, for a gain the caller gives; false for one that is not a number.
bool clampedGain(float gain, float& clamped);
