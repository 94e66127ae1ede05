#include <string>
#include <vector>

#include "soundgen/instruments.h"
#include "soundgen/song_sections.h"
#include "soundgen/songs.h"

namespace {

constexpr int kTempo = 112;

SongLayout titleLayout() {
    SongLayout layout;
    layout.padVoices = 3;
    return layout;
}

void addSounds(ItModule& song) {
    TonalRecipe bass;
    bass.name = "Picked bass";
    bass.periodFrames = 512;
    bass.baseNote = 36;
    for (int k = 1; k <= 28; ++k) bass.harmonics.push_back((k == 1 ? 1.4 : 1.0) / k);
    bass.decaySeconds = 0.6;
    bass.decayPerHarmonic = 0.3;
    bass.holdSeconds = 0.4;
    bass.loopPeriods = 2;
    bass.chiff = 0.12;
    bass.chiffSeconds = 0.004;
    bass.seed = 11;

    PadRecipe pad;
    pad.name = "Warm strings";
    pad.harmonicCount = 20;
    pad.rolloff = 1.3;

    TonalRecipe keys;
    keys.name = "Bright keys";
    keys.periodFrames = 128;
    keys.baseNote = 67;
    keys.harmonics = {1.0, 0.5, 0.2, 0.14, 0.06, 0.04, 0.0, 0.03};
    keys.decaySeconds = 0.9;
    keys.decayPerHarmonic = 0.6;
    keys.holdSeconds = 0.3;
    keys.chiff = 0.2;
    keys.chiffSeconds = 0.005;
    keys.chiffBrightness = 0.9;
    keys.seed = 12;

    TonalRecipe lead;
    lead.name = "Ocarina lead";
    lead.periodFrames = 128;
    lead.baseNote = 76;
    lead.harmonics = {1.0, 0.12, 0.3, 0.05, 0.13, 0.0, 0.06, 0.0, 0.03};
    lead.holdSeconds = 0.06;
    lead.loopPeriods = 8;
    lead.chiff = 0.35;
    lead.chiffSeconds = 0.02;
    lead.chiffBrightness = 0.35;
    lead.seed = 13;

    song.samples.push_back(makeTonalSample(bass));
    song.samples.push_back(makePadSample(pad));
    song.samples.push_back(makeTonalSample(keys));
    ItSample leadSample = makeTonalSample(lead);
    leadSample.vibratoSpeed = 9;
    leadSample.vibratoDepth = 3;
    leadSample.vibratoRate = 24;
    song.samples.push_back(leadSample);
    song.samples.push_back(makeKickSample(0.8));
    song.samples.push_back(makeSnareSample(0.8));
    song.samples.push_back(makeHatSample(0.09));

    addInstrument(song, "Picked bass", INS_BASS, kItNnaCut, 32,
                  envelopeMs({{0, 64}, {150, 50}, {700, 40}, {800, 0}}, 2, kTempo));
    addInstrument(song, "Warm strings", INS_PAD, kItNnaNoteOff, 8,
                  envelopeMs({{0, 0}, {350, 48}, {900, 42}, {1600, 0}}, 2, kTempo));
    addInstrument(song, "Bright keys", INS_KEYS, kItNnaContinue, 32,
                  envelopeMs({{0, 64}, {250, 36}, {900, 20}, {1800, 0}}, -1, kTempo));
    addInstrument(song, "Ocarina lead", INS_LEAD, kItNnaNoteOff, 24,
                  envelopeMs({{0, 0}, {40, 60}, {250, 52}, {450, 0}}, 2, kTempo));
    addInstrument(song, "Kick", INS_KICK, kItNnaCut, 0, ItEnvelope{});
    addInstrument(song, "Snare", INS_SNARE, kItNnaCut, 0, ItEnvelope{});
    addInstrument(song, "Hat", INS_HAT, kItNnaCut, 0, ItEnvelope{});
}

std::vector<Section> titleSections() {
    const std::string kick = "X.....x.X.......";
    const std::string snare = "....X.......X...";
    const std::string hat = "x.o.x.o.x.o.x.oo";
    const std::string verseBass = "R:6 R:2 5:4 8:2 5:2";
    const std::string chorusBass = "R:4 R:2 R:2 5:2 R:2 8:2 R:2";
    const std::string verse =
        "g4:2 c5:2 e5:4 d5:2 c5:2 e5:4  d5:6 b4:2 g4:6 r:2  a4:2 c5:2 e5:4 g5:4 e5:4  f5:6 e5:2 d5:4 c5:2 "
        "r:2";

    std::vector<Section> sections(9);
    // Intro: pad and broken chords alone, then the bass and a light beat come in.
    sections[0].chordSymbols = {"C", "G/B", "Am", "F"};
    sections[0].arpVolume = 36;
    sections[1].chordSymbols = {"C", "G/B", "Am", "F"};
    sections[1].bassBar = "R:12 5:4";
    sections[1].kick = "X...............";
    sections[1].hat = "o.o.o.o.o.o.o.o.";
    sections[1].arpVolume = 38;
    // Verse.
    sections[2] = makeSection({"C", "G/B", "Am", "F"}, verse, verseBass, kick, snare, hat, "", 36);
    // The verse answered; it ends on the dominant with a fill.
    sections[3] = makeSection(
        {"C", "G", "F", "G"},
        "e5:4 g5:4 c6:4 b5:2 a5:2  g5:6 d5:2 b4:6 r:2  a4:2 c5:2 f5:4 e5:2 d5:2 c5:4  d5:8 r:4 g4:2 b4:2",
        verseBass, kick, snare, hat, "....X.......XoXX", 36);
    // Chorus, the second time resolving to the tonic.
    sections[4] = makeSection({"F", "G", "Em", "Am"},
                              "c6:6 a5:2 f5:4 a5:4  b5:6 g5:2 d5:4 g5:4  g5:4 b5:4 e6:6 d6:2  c6:8 b5:4 a5:4",
                              chorusBass, kick, snare, hat, "", 40);
    sections[5] =
        makeSection({"F", "G", "C", "C"},
                    "a5:4 c6:4 f6:6 e6:2  d6:4 b5:4 g5:4 d6:4  e6:6 d6:2 c6:8  r:4 g5:2 e5:2 c5:6 r:2",
                    chorusBass, kick, snare, hat, "....X...X...XoXo", 40);
    // Bridge: long notes over a lighter beat.
    sections[6] = makeSection({"Am", "F", "C", "G"}, "e5:8 a5:8  c6:8 a5:4 f5:4  g5:12 e5:4  d5:8 b4:4 d5:4",
                              "R:8 5:4 R:4", "X.......X.......", "", "o.x.o.x.o.x.o.x.", "", 44);
    sections[6].arpVolume = 38;
    // The verse again.
    sections[7] = makeSection({"C", "G/B", "Am", "F"}, verse, verseBass, kick, snare, hat, "", 36);
    // Outro: down to the tonic; the band stops on the last bar's downbeat and the pad leads back to the
    // intro.
    sections[8] =
        makeSection({"F", "G", "C", "C"}, "a5:4 g5:4 f5:4 e5:4  d5:4 e5:2 f5:2 d5:4 b4:4  c5:12 r:4  r:16",
                    "R:8 5:4 R:4", kick, snare, hat, "X...............", 40);
    sections[8].arpVolume = 30;
    return sections;
}

}  // namespace

ItModule makeTitleSong() {
    ItModule song = composeSong("Tarmelo 3D - Title", kTempo, titleLayout(),
                                {32, 30, 42, 32, 16, 32, 48, 44, 26, 40}, titleSections());
    addSounds(song);
    // The outro's last bar: only the downbeat of kick, hat and bass, then the pad alone.
    ItPattern& outro = song.patterns.back();
    const int lastBar = kSongPatternRows - kSongRowsPerBar;
    for (int row = lastBar + 1; row < kSongPatternRows; ++row) {
        for (const int channel : {CH_KICK, CH_HAT, CH_BASS}) outro.at(row, channel) = ItCell{};
    }
    outro.at(lastBar + 8, CH_BASS).note = kItNoteOff;
    return song;
}
