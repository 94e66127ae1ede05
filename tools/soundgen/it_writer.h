#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An Impulse Tracker module in memory and its encoder. The encoder writes the format's instrument mode:
// every instrument plays one sample over the whole keyboard under a volume envelope; samples are 16-bit
// signed PCM, mono, uncompressed; patterns are packed with the format's per-channel masks and
// last-value repeats.

// Note column values besides the notes 0 (C-0) to 119 (B-9).
constexpr int kItNoNote = -1;
constexpr int kItNoteCut = 254;
constexpr int kItNoteOff = 255;

constexpr int kItMaxChannels = 64;
constexpr int kItMinRows = 32;
constexpr int kItMaxRows = 200;
constexpr int kItMaxPatterns = 200;

// One cell of a pattern; a field the cell does not set stays out of the file.
struct ItCell {
    int note = kItNoNote;  // 0 to 119, kItNoteCut or kItNoteOff
    int instrument = 0;    // 1-based; 0 leaves the channel's instrument alone
    int volume = -1;       // volume column: 0 to 64 sets the volume
    int command = 0;       // effect letter as a number, 1 = A ... 26 = Z; 0 = none
    int parameter = 0;

    bool empty() const { return note == kItNoNote && instrument == 0 && volume < 0 && command == 0; }
};

struct ItPattern {
    int rows = 64;
    int channels = 0;
    std::vector<ItCell> cells;  // rows * channels, row-major

    ItPattern() = default;
    ItPattern(int rowCount, int channelCount)
        : rows(rowCount), channels(channelCount), cells(static_cast<std::size_t>(rowCount * channelCount)) {}
    ItCell& at(int row, int channel) { return cells.at(static_cast<std::size_t>(row * channels + channel)); }
    const ItCell& at(int row, int channel) const {
        return cells.at(static_cast<std::size_t>(row * channels + channel));
    }
};

struct ItEnvelopeNode {
    int tick;   // 0 to 9999 ticks after the note starts
    int value;  // 0 to 64
};

// A volume envelope; the note holds at the sustain node until it is released.
struct ItEnvelope {
    std::vector<ItEnvelopeNode> nodes;  // up to 25, ticks strictly rising; empty = envelope off
    int sustainNode = -1;               // -1: no sustain
};

struct ItSample {
    std::string name;
    std::vector<std::int16_t> data;
    int c5Speed = 44100;  // frames per second at which note C-5 (60) plays the data at its own pitch
    bool loop = false;
    int loopStart = 0;
    int loopEnd = 0;  // frame after the loop's last
    int volume = 64;  // 0 to 64
    // Sample vibrato: speed, depth and sweep rate 0 to 64; waveform 0 sine.
    int vibratoSpeed = 0;
    int vibratoDepth = 0;
    int vibratoRate = 0;
};

// New-note actions: what happens to a note still sounding when its channel plays the next one.
constexpr int kItNnaCut = 0;
constexpr int kItNnaContinue = 1;
constexpr int kItNnaNoteOff = 2;
constexpr int kItNnaFade = 3;

struct ItInstrument {
    std::string name;
    int sample = 1;  // 1-based, played for every note
    int newNoteAction = kItNnaCut;
    int fadeOut = 0;  // 0 to 128: how fast a released note fades once its envelope has ended or was cut
    int globalVolume = 128;
    ItEnvelope volumeEnvelope;
};

struct ItModule {
    std::string title;       // up to 25 characters, as are instrument and sample names
    int initialSpeed = 6;    // ticks per row
    int initialTempo = 125;  // a tick lasts 2.5 / tempo seconds
    int globalVolume = 128;
    int mixVolume = 48;
    std::vector<int> channelPan;     // 0 (left) to 64 (right), one per channel used
    std::vector<int> channelVolume;  // 0 to 64, one per channel used
    std::vector<int> orders;         // pattern numbers in play order (the end marker is added on writing)
    std::vector<ItInstrument> instruments;
    std::vector<ItSample> samples;
    std::vector<ItPattern> patterns;
};

// The file bytes. The module must be well formed (checked by assertions): it is built by our own code.
std::vector<std::uint8_t> encodeItModule(const ItModule& module);

// Seconds of one row at a speed and tempo.
double itRowSeconds(int speed, int tempo);
