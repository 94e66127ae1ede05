#pragma once

#include <string>
#include <vector>

#include "soundgen/it_writer.h"

// The shape both songs share: a band of drums (three voices), bass, a chord pad, broken chords on keys and
// a lead with its echo, written four bars (one pattern) at a time.

// Which channel and instrument plays each part, and the registers and levels of the parts.
struct SongLayout {
    int channels = 0;
    int kickChannel = 0, snareChannel = 0, hatChannel = 0, bassChannel = 0;
    int padChannel = 0;  // the first of padVoices consecutive channels
    int padVoices = 3;
    int arpChannel = 0, leadChannel = 0, echoChannel = 0;
    int kickInstrument = 0, snareInstrument = 0, hatInstrument = 0, bassInstrument = 0;
    int padInstrument = 0, keysInstrument = 0, leadInstrument = 0;
    int padLow = 55, padHigh = 71;  // note range of the pad parts
    int arpVoices = 3;
    int arpLow = 62, arpHigh = 76;
    int bassLow = 33;  // lowest bass note
    int kickVolume = 60, snareVolume = 50, hatVolume = 34, bassVolume = 52, leadVolume = 54;
    int echoDelayRows = 3;
    double echoLevel = 0.4;
};

// One four-bar section: a chord per bar and what each part plays over it. Drum strings hold one bar
// (see placeDrum); an empty string leaves the part silent.
struct Section {
    std::vector<std::string> chordSymbols;  // four
    std::string melody;                     // 64 rows of line tokens (see placeLine)
    std::string bassBar;                    // one bar (see placeBass)
    std::string kick, snare, hat;
    std::string lastBarSnare;  // replaces the snare in the fourth bar: a fill
    int padVolume = 40;
    std::string arpOrder = "a c b c a+ c b c";
    int arpStepRows = 2;
    int arpVolume = 34;
};

// A section with the usual arpeggio; the fields left out stay at their defaults.
Section makeSection(std::vector<std::string> chordSymbols, std::string melody, std::string bassBar,
                    std::string kick, std::string snare, std::string hat, std::string lastBarSnare,
                    int padVolume);

ItPattern writeSection(const SongLayout& layout, const Section& section);

// Appends an instrument that plays sample number `sample` over the whole keyboard.
void addInstrument(ItModule& song, const std::string& name, int sample, int newNoteAction, int fadeOut,
                   const ItEnvelope& volumeEnvelope);
