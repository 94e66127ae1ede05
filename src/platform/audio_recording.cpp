#include "platform/audio_recording.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

struct Channel {
    RecordedChannel record;
    std::uint32_t serial = 0;
    std::uint64_t startedAt = 0;
};

struct RecordingState {
    bool noDevice = false;
    bool initialised = false;
    std::set<std::string> failingLoads;
    std::map<std::string, int> sampleLengths;
    std::vector<RecordedAudioCall> calls;
    std::vector<std::string> samplePaths;  // slot - 1 -> file
    std::vector<Channel> channels;
    std::vector<RecordedSong> songs;  // slot - 1 -> song; slots are never reused
    std::uint32_t nextSerial = 1;
    std::uint64_t startCount = 0;
    float effectsGain = 1.0f;
    float musicGain = 1.0f;
};

// The stand-in's one state, like the single device of the real layer; tests reset it.
RecordingState g_recording;

RecordedAudioCall& record(const char* function) {
    g_recording.calls.push_back(RecordedAudioCall{});
    g_recording.calls.back().function = function;
    return g_recording.calls.back();
}

Channel* liveChannel(AudioChannel channel) {
    if (channel.index < 0 || channel.index >= static_cast<int>(g_recording.channels.size())) return nullptr;
    Channel& c = g_recording.channels[static_cast<std::size_t>(channel.index)];
    return channel.serial != 0 && c.serial == channel.serial ? &c : nullptr;
}

RecordedSong* liveSong(AudioSong song) {
    if (song.slot < 1 || song.slot > static_cast<int>(g_recording.songs.size())) return nullptr;
    RecordedSong& s = g_recording.songs[static_cast<std::size_t>(song.slot - 1)];
    return s.freed ? nullptr : &s;
}

}  // namespace

void audioRecordingReset() {
    g_recording = RecordingState{};
}

void audioRecordingSetNoDevice(bool noDevice) {
    g_recording.noDevice = noDevice;
}

void audioRecordingFailLoad(const std::string& path) {
    g_recording.failingLoads.insert(path);
}

void audioRecordingSetSampleLength(const std::string& path, int updates) {
    g_recording.sampleLengths[path] = updates;
}

void audioRecordingClearCalls() {
    g_recording.calls.clear();
}

std::vector<RecordedAudioCall> audioRecordingCallsTo(const std::string& function) {
    std::vector<RecordedAudioCall> matching;
    for (const RecordedAudioCall& call : g_recording.calls) {
        if (call.function == function) matching.push_back(call);
    }
    return matching;
}

RecordedChannel audioRecordingChannel(AudioChannel channel) {
    if (channel.index < 0 || channel.index >= static_cast<int>(g_recording.channels.size())) return {};
    return g_recording.channels[static_cast<std::size_t>(channel.index)].record;
}

int audioRecordingPlayingCount(const std::string& path) {
    return static_cast<int>(
        std::count_if(g_recording.channels.begin(), g_recording.channels.end(),
                      [&](const Channel& c) { return c.record.updatesLeft > 0 && c.record.path == path; }));
}

const std::vector<RecordedSong>& audioRecordingSongs() {
    return g_recording.songs;
}

float audioRecordingEffectsGain() {
    return g_recording.effectsGain;
}

float audioRecordingMusicGain() {
    return g_recording.musicGain;
}

// ---- the layer's calls ----

float audioVersion() {
    record("audioVersion");
    return 1.0f;
}

bool audioInit(int mixRate, int channelCount) {
    RecordedAudioCall& call = record("audioInit");
    call.value = static_cast<float>(mixRate);
    call.count = channelCount;
    if (g_recording.noDevice || channelCount < 1) return false;
    g_recording.initialised = true;
    g_recording.channels.assign(static_cast<std::size_t>(channelCount), Channel{});
    return true;
}

AudioSample audioLoadSample(const char* path) {
    RecordedAudioCall& call = record("audioLoadSample");
    call.path = path != nullptr ? path : "";
    if (!g_recording.initialised || path == nullptr || g_recording.failingLoads.count(path) > 0) return {};
    g_recording.samplePaths.push_back(path);
    call.sample = AudioSample{static_cast<int>(g_recording.samplePaths.size())};
    return call.sample;
}

void audioSetRolloffFactor(float factor) {
    record("audioSetRolloffFactor").value = factor;
}

AudioChannel audioPlaySample(AudioSample sample) {
    RecordedAudioCall& call = record("audioPlaySample");
    call.sample = sample;
    if (sample.slot < 1 || sample.slot > static_cast<int>(g_recording.samplePaths.size()) ||
        g_recording.channels.empty())
        return {};
    auto& channels = g_recording.channels;
    auto chosen = std::find_if(channels.begin(), channels.end(),
                               [](const Channel& c) { return c.record.updatesLeft == 0; });
    if (chosen == channels.end()) {
        chosen = std::min_element(channels.begin(), channels.end(), [](const Channel& a, const Channel& b) {
            return a.startedAt < b.startedAt;
        });
    }
    const std::string& path = g_recording.samplePaths[static_cast<std::size_t>(sample.slot - 1)];
    const auto length = g_recording.sampleLengths.find(path);
    chosen->record = RecordedChannel{};
    chosen->record.path = path;
    chosen->record.updatesLeft =
        length != g_recording.sampleLengths.end() ? length->second : kRecordedSampleUpdates;
    chosen->serial = g_recording.nextSerial++;
    chosen->startedAt = ++g_recording.startCount;
    call.channel = AudioChannel{static_cast<int>(chosen - channels.begin()), chosen->serial};
    return call.channel;
}

bool audioIsPlaying(AudioChannel channel) {
    record("audioIsPlaying").channel = channel;
    const Channel* c = liveChannel(channel);
    return c != nullptr && c->record.updatesLeft > 0;
}

void audioSetChannelPosition(AudioChannel channel, Vec3 position) {
    RecordedAudioCall& call = record("audioSetChannelPosition");
    call.channel = channel;
    call.position = position;
    if (Channel* c = liveChannel(channel)) c->record.position = position;
}

void audioSetChannelVolume(AudioChannel channel, int volume) {
    RecordedAudioCall& call = record("audioSetChannelVolume");
    call.channel = channel;
    call.value = static_cast<float>(volume);
    if (Channel* c = liveChannel(channel)) c->record.volume = std::clamp(volume, 0, kChannelVolumeMax);
}

void audioStopChannel(AudioChannel channel) {
    record("audioStopChannel").channel = channel;
    if (Channel* c = liveChannel(channel)) c->record.updatesLeft = 0;
}

void audioSetEffectsGain(float gain) {
    record("audioSetEffectsGain").value = gain;
    if (g_recording.initialised) g_recording.effectsGain = std::clamp(gain, 0.0f, 1.0f);
}

void audioSetMusicGain(float gain) {
    record("audioSetMusicGain").value = gain;
    if (g_recording.initialised) g_recording.musicGain = std::clamp(gain, 0.0f, 1.0f);
}

void audioSetListener(Vec3 position, Vec3 forward, Vec3 top) {
    RecordedAudioCall& call = record("audioSetListener");
    call.position = position;
    call.forward = forward;
    call.top = top;
}

void audioUpdate() {
    record("audioUpdate");
    for (Channel& c : g_recording.channels) {
        if (c.record.updatesLeft > 0) --c.record.updatesLeft;
    }
    for (RecordedSong& song : g_recording.songs) {
        if (!song.freed && song.playing && !song.paused) ++song.position;
    }
}

AudioSong songLoad(const char* path) {
    RecordedAudioCall& call = record("songLoad");
    call.path = path != nullptr ? path : "";
    if (!g_recording.initialised || path == nullptr || g_recording.failingLoads.count(path) > 0) return {};
    RecordedSong song;
    song.path = path;
    g_recording.songs.push_back(song);
    call.song = AudioSong{static_cast<int>(g_recording.songs.size()), 1};
    return call.song;
}

void songPlay(AudioSong song) {
    record("songPlay").song = song;
    if (RecordedSong* s = liveSong(song)) {
        s->playing = true;
        s->paused = false;
        s->position = 0;
    }
}

void songSetMasterVolume(AudioSong song, int volume) {
    RecordedAudioCall& call = record("songSetMasterVolume");
    call.song = song;
    call.value = static_cast<float>(volume);
    if (RecordedSong* s = liveSong(song)) s->volume = std::clamp(volume, 0, kSongVolumeMax);
}

void songSetPaused(AudioSong song, bool paused) {
    RecordedAudioCall& call = record("songSetPaused");
    call.song = song;
    call.value = paused ? 1.0f : 0.0f;
    if (RecordedSong* s = liveSong(song)) s->paused = paused;
}

void songFree(AudioSong song) {
    record("songFree").song = song;
    if (RecordedSong* s = liveSong(song)) {
        s->freed = true;
        s->playing = false;
    }
}
