// The audio layer over OpenAL Soft: device, samples, sample channels and the listener. Songs are in
// audio_song_stream.cpp.

#define AL_ALEXT_PROTOTYPES
#include <AL/alext.h>
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "platform/audio.h"
#include "platform/audio_loopback.h"
#include "platform/audio_openal_internal.h"

namespace {

constexpr float kLayerVersion = 1.0f;
constexpr int kMinMixRate = 8000;
constexpr int kMaxMixRate = 192000;
// Full level up to one world unit from the listener, the same distance the game's rolloff of 0.1 is
// judged against.
constexpr float kReferenceDistance = 1.0f;

struct AlVector {
    ALfloat x, y, z;
};

// The one place where the layer's left-handed coordinates (x right, y up, z forward) become OpenAL's
// right-handed ones (x right, y up, z backward): mirror z. Positions and directions alike.
AlVector toOpenAl(Vec3 v) {
    return {v.x, v.y, -v.z};
}

bool isFinite(Vec3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// Backends report a missing sound card on stderr (ALSA's own library does, whatever OpenAL's log level).
// A game without a device is normal, so the probe runs with stderr pointed at /dev/null.
template <typename Call>
auto withStderrSilenced(Call call) {
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && null >= 0) ::dup2(null, STDERR_FILENO);
    auto result = call();
    std::fflush(stderr);
    if (saved >= 0) {
        ::dup2(saved, STDERR_FILENO);
        ::close(saved);
    }
    if (null >= 0) ::close(null);
    return result;
}

bool isLive(const OpenAlLayer& layer, AudioChannel channel) {
    return channel.index >= 0 && channel.index < static_cast<int>(layer.channels.size()) &&
           channel.serial != 0 &&
           layer.channels[static_cast<std::size_t>(channel.index)].serial == channel.serial;
}

ALint sourceState(ALuint source) {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
}

bool channelBusy(const SampleChannel& channel) {
    return channel.pendingStart || sourceState(channel.source) == AL_PLAYING;
}

// A sound is handed to the mixer only at the next call that is not about its own channel, so that the
// position and volume the game sets right after starting it are there from its first frame.
void startPendingChannels(OpenAlLayer& layer, int exceptIndex) {
    ALuint starting[kMaxChannels];
    ALsizei count = 0;
    for (std::size_t i = 0; i < layer.channels.size(); ++i) {
        SampleChannel& channel = layer.channels[i];
        if (!channel.pendingStart || static_cast<int>(i) == exceptIndex) continue;
        channel.pendingStart = false;
        starting[count++] = channel.source;
    }
    if (count > 0) alSourcePlayv(count, starting);
}

// The channel for a new sound: a quiet one, else the one started longest ago.
std::size_t pickChannel(const OpenAlLayer& layer) {
    std::size_t oldest = 0;
    for (std::size_t i = 0; i < layer.channels.size(); ++i) {
        if (!channelBusy(layer.channels[i])) return i;
        if (layer.channels[i].startedAt < layer.channels[oldest].startedAt) oldest = i;
    }
    return oldest;
}

std::uint32_t takeSerial(std::uint32_t& next) {
    if (next == 0) next = 1;  // 0 marks the null handle, also after wrapping
    return next++;
}

bool openContext(OpenAlLayer& layer, ALCdevice* device, int mixRate, int channelCount, bool loopback,
                 bool feederThread) {
    // Plain stereo panning. The game mirrors only its listener's forward vector into the left-handed
    // frame, not its positions, so what the camera looks at lies behind the listener: inaudible in
    // stereo panning, which keeps left and right right, but head-related filtering would play the board
    // from behind.
    std::vector<ALCint> attributes{ALC_FREQUENCY,      mixRate,   ALC_MONO_SOURCES, channelCount,
                                   ALC_STEREO_SOURCES, kMaxSongs, ALC_HRTF_SOFT,    ALC_FALSE};
    if (loopback) {
        attributes.insert(attributes.end(), {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
                                             ALC_FLOAT_SOFT, ALC_OUTPUT_LIMITER_SOFT, ALC_FALSE});
    }
    attributes.push_back(0);

    ALCcontext* context = withStderrSilenced([&] { return alcCreateContext(device, attributes.data()); });
    if (context == nullptr || alcMakeContextCurrent(context) == ALC_FALSE) {
        if (context != nullptr) alcDestroyContext(context);
        withStderrSilenced([&] { return alcCloseDevice(device); });
        return false;
    }
    layer.device = device;
    layer.context = context;
    layer.loopback = loopback;

    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alDopplerFactor(0.0f);
    alGetError();
    layer.channels.clear();
    for (int i = 0; i < channelCount; ++i) {
        SampleChannel channel;
        alGenSources(1, &channel.source);
        if (alGetError() != AL_NO_ERROR) break;
        alSourcef(channel.source, AL_REFERENCE_DISTANCE, kReferenceDistance);
        alSourcef(channel.source, AL_MAX_DISTANCE, std::numeric_limits<float>::max());
        alSourcef(channel.source, AL_ROLLOFF_FACTOR, layer.rolloffFactor);
        alSourcei(channel.source, AL_LOOPING, AL_FALSE);
        layer.channels.push_back(channel);
    }
    startSongs(layer.songs, mixRate, feederThread);
    return true;
}

void applyChannelGain(const OpenAlLayer& layer, const SampleChannel& channel) {
    alSourcef(channel.source, AL_GAIN, channel.volume * layer.effectsGain);
}

bool validInitArguments(int mixRate, int channelCount) {
    return mixRate >= kMinMixRate && mixRate <= kMaxMixRate && channelCount >= 1 &&
           channelCount <= kMaxChannels;
}

}  // namespace

OpenAlLayer& openAlLayer() {
    static OpenAlLayer layer;
    return layer;
}

// The program's end closes the device, so that a file-writing backend finishes its file.
OpenAlLayer::~OpenAlLayer() {
    closeLayer(*this);
}

float audioVersion() {
    return kLayerVersion;
}

bool audioInit(int mixRate, int channelCount) {
    OpenAlLayer& layer = openAlLayer();
    if (layer.device != nullptr) return true;
    if (!validInitArguments(mixRate, channelCount)) return false;
    // OpenAL Soft logs its errors to stderr unless told otherwise; a user's own setting wins.
    ::setenv("ALSOFT_LOGLEVEL", "0", 0);
    ALCdevice* device = withStderrSilenced([] { return alcOpenDevice(nullptr); });
    if (device == nullptr) return false;
    return openContext(layer, device, mixRate, channelCount, false, true);
}

bool audioInitLoopback(int mixRate, int channelCount, bool feederThread) {
    OpenAlLayer& layer = openAlLayer();
    if (layer.device != nullptr) return true;
    if (!validInitArguments(mixRate, channelCount)) return false;
    ::setenv("ALSOFT_LOGLEVEL", "0", 0);
    ALCdevice* device = alcLoopbackOpenDeviceSOFT(nullptr);
    if (device == nullptr) return false;
    if (alcIsRenderFormatSupportedSOFT(device, mixRate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT) == ALC_FALSE) {
        alcCloseDevice(device);
        return false;
    }
    return openContext(layer, device, mixRate, channelCount, true, feederThread);
}

void audioRenderLoopback(float* interleavedStereo, int frames) {
    OpenAlLayer& layer = openAlLayer();
    if (!layer.loopback || frames <= 0) return;
    startPendingChannels(layer, -1);
    alcRenderSamplesSOFT(layer.device, interleavedStereo, frames);
}

void audioShutdown() {
    closeLayer(openAlLayer());
}

void closeLayer(OpenAlLayer& layer) {
    if (layer.device == nullptr) return;
    stopSongs(layer.songs);
    for (SampleChannel& channel : layer.channels) {
        alSourceStop(channel.source);
        alDeleteSources(1, &channel.source);
    }
    layer.channels.clear();
    for (ALuint& buffer : layer.samples) {
        if (buffer != 0) alDeleteBuffers(1, &buffer);
        buffer = 0;
    }
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(layer.context);
    ALCdevice* device = layer.device;
    withStderrSilenced([device] { return alcCloseDevice(device); });
    layer.device = nullptr;
    layer.context = nullptr;
    layer.loopback = false;
    layer.rolloffFactor = 1.0f;
    layer.effectsGain = 1.0f;
}

bool clampedGain(float gain, float& clamped) {
    if (std::isnan(gain)) return false;
    clamped = gain < 0.0f ? 0.0f : (gain > 1.0f ? 1.0f : gain);
    return true;
}

AudioSample audioLoadSample(const char* path) {
    OpenAlLayer& layer = openAlLayer();
    if (layer.device == nullptr || path == nullptr) return {};
    startPendingChannels(layer, -1);
    int slot = 0;
    while (slot < kMaxSamples && layer.samples[slot] != 0) ++slot;
    if (slot == kMaxSamples) return {};

    const WavSound sound = decodeWavFile(path);
    if (!isValidSound(sound)) return {};
    // Only mono sound can be placed in 3D: every frame becomes the mean of its channels.
    const std::size_t frames = soundFrames(sound);
    const auto channels = static_cast<std::size_t>(sound.channels);
    std::vector<std::int16_t> mono(frames);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        int sum = 0;
        for (std::size_t c = 0; c < channels; ++c) sum += sound.samples[frame * channels + c];
        mono[frame] = static_cast<std::int16_t>(sum / static_cast<int>(channels));
    }

    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) return {};
    alBufferData(buffer, AL_FORMAT_MONO16, mono.data(),
                 static_cast<ALsizei>(mono.size() * sizeof(std::int16_t)), sound.sampleRate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        return {};
    }
    layer.samples[slot] = buffer;
    return AudioSample{slot + 1};
}

void audioSetRolloffFactor(float factor) {
    OpenAlLayer& layer = openAlLayer();
    if (layer.device == nullptr || !std::isfinite(factor) || factor < 0.0f) return;
    startPendingChannels(layer, -1);
    layer.rolloffFactor = factor;
    for (const SampleChannel& channel : layer.channels) alSourcef(channel.source, AL_ROLLOFF_FACTOR, factor);
}

AudioChannel audioPlaySample(AudioSample sample) {
    OpenAlLayer& layer = openAlLayer();
    if (layer.device == nullptr || layer.channels.empty() || sample.slot < 1 || sample.slot > kMaxSamples)
        return {};
    const ALuint buffer = layer.samples[sample.slot - 1];
    if (buffer == 0) return {};
    startPendingChannels(layer, -1);

    const std::size_t index = pickChannel(layer);
    SampleChannel& channel = layer.channels[index];
    alSourceStop(channel.source);
    alSourcei(channel.source, AL_BUFFER, static_cast<ALint>(buffer));
    channel.volume = 1.0f;
    applyChannelGain(layer, channel);
    alSource3f(channel.source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    channel.serial = takeSerial(layer.nextSerial);
    channel.pendingStart = true;
    channel.startedAt = ++layer.startCount;
    return AudioChannel{static_cast<int>(index), channel.serial};
}

bool audioIsPlaying(AudioChannel channel) {
    OpenAlLayer& layer = openAlLayer();
    if (!isLive(layer, channel)) return false;
    return channelBusy(layer.channels[static_cast<std::size_t>(channel.index)]);
}

void audioSetChannelPosition(AudioChannel channel, Vec3 position) {
    OpenAlLayer& layer = openAlLayer();
    if (!isLive(layer, channel) || !isFinite(position)) return;
    startPendingChannels(layer, channel.index);
    const AlVector p = toOpenAl(position);
    alSource3f(layer.channels[static_cast<std::size_t>(channel.index)].source, AL_POSITION, p.x, p.y, p.z);
}

void audioSetChannelVolume(AudioChannel channel, int volume) {
    OpenAlLayer& layer = openAlLayer();
    if (!isLive(layer, channel)) return;
    startPendingChannels(layer, channel.index);
    const int clamped = volume < 0 ? 0 : (volume > kChannelVolumeMax ? kChannelVolumeMax : volume);
    SampleChannel& target = layer.channels[static_cast<std::size_t>(channel.index)];
    target.volume = static_cast<float>(clamped) / static_cast<float>(kChannelVolumeMax);
    applyChannelGain(layer, target);
}

void audioSetEffectsGain(float gain) {
    OpenAlLayer& layer = openAlLayer();
    if (layer.device == nullptr || !clampedGain(gain, layer.effectsGain)) return;
    startPendingChannels(layer, -1);
    for (const SampleChannel& channel : layer.channels) applyChannelGain(layer, channel);
}

void audioStopChannel(AudioChannel channel) {
    OpenAlLayer& layer = openAlLayer();
    if (!isLive(layer, channel)) return;
    startPendingChannels(layer, channel.index);
    SampleChannel& target = layer.channels[static_cast<std::size_t>(channel.index)];
    target.pendingStart = false;
    alSourceStop(target.source);
}

void audioSetListener(Vec3 position, Vec3 forward, Vec3 top) {
    OpenAlLayer& layer = openAlLayer();
    if (layer.device == nullptr) return;
    if (isFinite(position)) {
        const AlVector p = toOpenAl(position);
        alListener3f(AL_POSITION, p.x, p.y, p.z);
    }
    // OpenAL builds the listener's frame from these two vectors: they must span a plane.
    const Vec3 side{forward.y * top.z - forward.z * top.y, forward.z * top.x - forward.x * top.z,
                    forward.x * top.y - forward.y * top.x};
    const float sideLength = std::sqrt(side.x * side.x + side.y * side.y + side.z * side.z);
    if (isFinite(forward) && isFinite(top) && std::isfinite(sideLength) && sideLength > 1e-6f) {
        const AlVector f = toOpenAl(forward);
        const AlVector t = toOpenAl(top);
        const ALfloat orientation[6] = {f.x, f.y, f.z, t.x, t.y, t.z};
        alListenerfv(AL_ORIENTATION, orientation);
    }
    startPendingChannels(layer, -1);
}

void audioUpdate() {
    OpenAlLayer& layer = openAlLayer();
    if (layer.device == nullptr) return;
    startPendingChannels(layer, -1);
    refillSongs(layer.songs);
}
