#pragma once

// The recording stand-in of the audio layer (platform/audio.h), for tests: no sound, but every call is kept
// with its arguments, channels play their sample for a set number of audioUpdate calls (game frames), and
// songs keep their volume, pause state and a position that advances by one per update while they play.
// Like the real layer it is silent, with null handles, until audioInit; any file loads unless the test says
// it fails.

#include <string>
#include <vector>

#include "platform/audio.h"

struct RecordedAudioCall {
    std::string function;  // the layer function's name, e.g. "audioSetChannelPosition"
    std::string path;      // the file of a load
    AudioSample sample;    // passed or returned
    AudioChannel channel;  // passed or returned
    AudioSong song;        // passed or returned
    Vec3 position;         // of a channel or of the listener
    Vec3 forward;
    Vec3 top;
    float value = 0.0f;  // rolloff factor, volume, paused (1 or 0), or the mix rate
    int count = 0;       // channels asked of audioInit
};

struct RecordedChannel {
    std::string path;  // file of the sample it plays or played last
    Vec3 position;
    int volume = kChannelVolumeMax;
    int updatesLeft = 0;  // 0: quiet
};

struct RecordedSong {
    std::string path;
    bool playing = false;
    bool paused = false;
    bool freed = false;
    int volume = kSongVolumeMax;
    int position = 0;  // updates it has played through
};

constexpr int kRecordedSampleUpdates = 10;  // how long a sample plays unless the test sets another length

// Back to the start: nothing recorded, no device, every file loads, every sample lasts the default.
void audioRecordingReset();
// audioInit finds no device: the layer stays silent.
void audioRecordingSetNoDevice(bool noDevice);
void audioRecordingFailLoad(const std::string& path);
void audioRecordingSetSampleLength(const std::string& path, int updates);

void audioRecordingClearCalls();
// The recorded calls of one function, in order.
std::vector<RecordedAudioCall> audioRecordingCallsTo(const std::string& function);

// The channel a handle names, whatever has happened to it since; an empty record for the null handle.
RecordedChannel audioRecordingChannel(AudioChannel channel);
// Channels now playing the sample loaded from path.
int audioRecordingPlayingCount(const std::string& path);
// Every song loaded since the reset, in load order, freed ones included.
const std::vector<RecordedSong>& audioRecordingSongs();
// The gains over every channel and every song, as last set while the layer had a device (1 before).
float audioRecordingEffectsGain();
float audioRecordingMusicGain();
