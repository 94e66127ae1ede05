#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "soundgen/it_writer.h"

// A one-pattern song for the module decoder and the audio layer: 32 rows at the default speed 6 and tempo
// 125 (3.84 s) of a looped sine. The first channel climbs a scale, a note every four rows (a steady level,
// and a waveform that tells one moment of the song from another); the second strikes once at row 16
// (libopenmpt counts only the channels that hold notes).
inline ItModule sineScaleSong() {
    ItModule song;
    song.title = "scale";
    song.channelPan = {32, 32};
    song.channelVolume = {64, 64};
    ItSample tone;
    tone.name = "tone";
    for (int i = 0; i < 100; ++i)
        tone.data.push_back(static_cast<std::int16_t>(24000 * std::sin(i * 2.0 * M_PI / 100.0)));
    tone.c5Speed = 26163;
    tone.loop = true;
    tone.loopEnd = 100;
    song.samples.push_back(tone);
    ItInstrument instrument;
    instrument.name = "tone";
    song.instruments.push_back(instrument);
    ItPattern pattern(32, 2);
    for (int row = 0; row < 32; row += 4) pattern.at(row, 0) = ItCell{60 + row / 2, 1, 64};
    pattern.at(16, 1) = ItCell{67, 1, 48};
    song.patterns.push_back(pattern);
    song.orders = {0};
    return song;
}

inline std::string sineScaleSongBytes() {
    const std::vector<std::uint8_t> bytes = encodeItModule(sineScaleSong());
    return std::string(bytes.begin(), bytes.end());
}
