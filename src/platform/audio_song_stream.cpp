// Songs of the OpenAL audio layer: a tracker module decoded a little ahead of the mixer into a queue of
// buffers on its own source. The queue is topped up by a feeder thread (the title screen and the loading
// screens make no per-frame call for minutes at a time) and by audioUpdate.

#include <AL/al.h>

#include <chrono>
#include <functional>
#include <utility>

#include "platform/audio.h"
#include "platform/audio_openal_internal.h"

namespace {

constexpr auto kFeederPeriod = std::chrono::milliseconds(20);

SongStream* liveSong(SongTable& table, AudioSong song) {
    if (!table.ready || song.slot < 1 || song.slot > kMaxSongs || song.serial == 0) return nullptr;
    SongStream& stream = table.songs[song.slot - 1];
    return stream.serial == song.serial ? &stream : nullptr;
}

// The next stretch of the song into buffer; false once a song that does not loop has ended.
bool fillBuffer(SongTable& table, SongStream& song, ALuint buffer) {
    const std::size_t frames = renderModuleStereo(song.module, table.mixRate, table.scratch.data(),
                                                  static_cast<std::size_t>(kSongBufferFrames));
    if (frames == 0) return false;
    alBufferData(buffer, AL_FORMAT_STEREO16, table.scratch.data(),
                 static_cast<ALsizei>(frames * 2 * sizeof(std::int16_t)), table.mixRate);
    return true;
}

void refill(SongTable& table, SongStream& song) {
    if (!song.playing) return;
    ALint processed = 0;
    alGetSourcei(song.source, AL_BUFFERS_PROCESSED, &processed);
    for (; processed > 0; --processed) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(song.source, 1, &buffer);
        if (!fillBuffer(table, song, buffer)) break;
        alSourceQueueBuffers(song.source, 1, &buffer);
    }
    if (song.paused) return;
    // A source that ran out of queued sound stops by itself: start it again on what is queued now.
    ALint state = AL_STOPPED;
    ALint queued = 0;
    alGetSourcei(song.source, AL_SOURCE_STATE, &state);
    alGetSourcei(song.source, AL_BUFFERS_QUEUED, &queued);
    if (state != AL_PLAYING && queued > 0) alSourcePlay(song.source);
}

void refillAll(SongTable& table) {
    for (SongStream& song : table.songs) {
        if (song.serial != 0) refill(table, song);
    }
}

void applySongGain(const SongTable& table, const SongStream& song) {
    alSourcef(song.source, AL_GAIN, song.volume * table.musicGain);
}

void releaseSong(SongStream& song) {
    alSourceStop(song.source);
    alSourcei(song.source, AL_BUFFER, 0);
    alDeleteSources(1, &song.source);
    alDeleteBuffers(kSongBufferCount, song.buffers);
    song = SongStream{};
}

void feederLoop(SongTable& table) {
    std::unique_lock<std::mutex> lock(table.mutex);
    while (!table.stopFeeder) {
        refillAll(table);
        table.wake.wait_for(lock, kFeederPeriod);
    }
}

}  // namespace

void startSongs(SongTable& table, int mixRate, bool feederThread) {
    std::lock_guard<std::mutex> lock(table.mutex);
    table.mixRate = mixRate;
    table.scratch.assign(static_cast<std::size_t>(kSongBufferFrames) * 2, 0);
    table.ready = true;
    table.stopFeeder = false;
    if (feederThread) table.feeder = std::thread(feederLoop, std::ref(table));
}

void stopSongs(SongTable& table) {
    {
        std::lock_guard<std::mutex> lock(table.mutex);
        table.stopFeeder = true;
    }
    table.wake.notify_all();
    if (table.feeder.joinable()) table.feeder.join();
    std::lock_guard<std::mutex> lock(table.mutex);
    for (SongStream& song : table.songs) {
        if (song.serial != 0) releaseSong(song);
    }
    table.ready = false;
    table.musicGain = 1.0f;
}

void refillSongs(SongTable& table) {
    std::lock_guard<std::mutex> lock(table.mutex);
    refillAll(table);
}

AudioSong songLoad(const char* path) {
    SongTable& table = openAlLayer().songs;
    if (path == nullptr) return {};
    {
        std::lock_guard<std::mutex> lock(table.mutex);
        if (!table.ready) return {};
    }
    // Parsing the file takes a while: outside the lock, so the playing song is not starved meanwhile.
    ModuleStream module = openModuleFile(path);
    if (!isValidModule(module)) return {};

    std::lock_guard<std::mutex> lock(table.mutex);
    if (!table.ready) return {};
    int slot = 0;
    while (slot < kMaxSongs && table.songs[slot].serial != 0) ++slot;
    if (slot == kMaxSongs) return {};

    SongStream& song = table.songs[slot];
    alGetError();
    alGenSources(1, &song.source);
    if (alGetError() != AL_NO_ERROR) return {};
    alGenBuffers(kSongBufferCount, song.buffers);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteSources(1, &song.source);
        song = SongStream{};
        return {};
    }
    // Music is not placed: it stays at the listener whatever the listener does.
    alSourcei(song.source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(song.source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(song.source, AL_ROLLOFF_FACTOR, 0.0f);
    applySongGain(table, song);
    song.module = std::move(module);
    if (table.nextSerial == 0) table.nextSerial = 1;
    song.serial = table.nextSerial++;
    return AudioSong{slot + 1, song.serial};
}

void songPlay(AudioSong handle) {
    SongTable& table = openAlLayer().songs;
    std::lock_guard<std::mutex> lock(table.mutex);
    SongStream* song = liveSong(table, handle);
    if (song == nullptr) return;
    alSourceStop(song->source);
    alSourcei(song->source, AL_BUFFER, 0);
    seekModuleSeconds(song->module, 0.0);
    ALsizei filled = 0;
    while (filled < kSongBufferCount && fillBuffer(table, *song, song->buffers[filled])) ++filled;
    if (filled > 0) alSourceQueueBuffers(song->source, filled, song->buffers);
    song->playing = true;
    song->paused = false;
    alSourcePlay(song->source);
}

void songSetMasterVolume(AudioSong handle, int volume) {
    SongTable& table = openAlLayer().songs;
    std::lock_guard<std::mutex> lock(table.mutex);
    SongStream* song = liveSong(table, handle);
    if (song == nullptr) return;
    const int clamped = volume < 0 ? 0 : (volume > kSongVolumeMax ? kSongVolumeMax : volume);
    song->volume = static_cast<float>(clamped) / static_cast<float>(kSongVolumeMax);
    applySongGain(table, *song);
}

void audioSetMusicGain(float gain) {
    SongTable& table = openAlLayer().songs;
    std::lock_guard<std::mutex> lock(table.mutex);
    if (!table.ready || !clampedGain(gain, table.musicGain)) return;
    for (const SongStream& song : table.songs) {
        if (song.serial != 0) applySongGain(table, song);
    }
}

void songSetPaused(AudioSong handle, bool paused) {
    SongTable& table = openAlLayer().songs;
    std::lock_guard<std::mutex> lock(table.mutex);
    SongStream* song = liveSong(table, handle);
    if (song == nullptr) return;
    song->paused = paused;
    if (!song->playing) return;
    // A paused source keeps its queue and its place in it; playing it again goes on from that place.
    // (Playing a source that already plays would restart its queue.)
    ALint state = AL_STOPPED;
    alGetSourcei(song->source, AL_SOURCE_STATE, &state);
    if (paused && state == AL_PLAYING) alSourcePause(song->source);
    if (!paused && state != AL_PLAYING) alSourcePlay(song->source);
}

void songFree(AudioSong handle) {
    SongTable& table = openAlLayer().songs;
    std::lock_guard<std::mutex> lock(table.mutex);
    SongStream* song = liveSong(table, handle);
    if (song != nullptr) releaseSong(*song);
}
