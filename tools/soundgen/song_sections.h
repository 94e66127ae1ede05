#pragma once

#include <string>
#include <vector>

#include "soundgen/it_writer.h"

// The shape both songs share: a band of drums (three voices), bass, a chord pad, broken chords on keys and
// a lead with its echo, written four bars (one pattern) at a time.

// Instruments, the same slots in both songs (1-based, as in pattern cells); instrument n plays sample n.
// The in-game song plays a rim click in the snare's slot and a shaker in the hat's.
constexpr int INS_BASS = 1;
constexpr int INS_PAD = 2;
constexpr int INS_KEYS = 3;
constexpr int INS_LEAD = 4;
constexpr int INS_KICK = 5;
constexpr int INS_SNARE = 6;
constexpr int INS_HAT = 7;
constexpr int kSongInstruments = 7;

// Channels: the three drums, the bass, the pad's parts, then the keys, the lead and its echo.
constexpr int CH_KICK = 0;
constexpr int CH_SNARE = 1;
constexpr int CH_HAT = 2;
constexpr int CH_BASS = 3;
constexpr int CH_PAD = 4;

// The number of pad parts, and the registers and levels of the parts.
struct SongLayout {
    int padVoices = 3;
    int padLow = 55, padHigh = 71;  // note range of the pad parts
    int arpVoices = 3;
    int arpLow = 62, arpHigh = 76;
    int bassLow = 33;  // lowest bass note
    int kickVolume = 60, snareVolume = 50, hatVolume = 34, bassVolume = 52, leadVolume = 54;
    int echoDelayRows = 3;
    double echoLevel = 0.4;

    int arpChannel() const { return CH_PAD + padVoices; }
    int leadChannel() const { return arpChannel() + 1; }
    int echoChannel() const { return arpChannel() + 2; }
    int channels() const { return arpChannel() + 3; }
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

// A song of this shape: speed 6 at the tempo given, the channels panned as given, one pattern per section
// played in order. The caller adds the samples and instruments.
ItModule composeSong(const std::string& title, int tempo, const SongLayout& layout,
                     const std::vector<int>& channelPan, const std::vector<Section>& sections);

// Appends an instrument that plays sample number `sample` over the whole keyboard.
void addInstrument(ItModule& song, const std::string& name, int sample, int newNoteAction, int fadeOut,
                   const ItEnvelope& volumeEnvelope);
