#include <string>
#include <vector>

#include "soundgen/instruments.h"
#include "soundgen/song_sections.h"
#include "soundgen/songs.h"

namespace {

constexpr int kTempo = 80;

SongLayout gameLayout() {
    SongLayout layout;
    layout.padVoices = 4;
    layout.padLow = 52;
    layout.padHigh = 69;
    layout.arpVoices = 4;
    layout.arpLow = 60;
    layout.arpHigh = 77;
    layout.bassLow = 33;
    layout.kickVolume = 50;
    layout.snareVolume = 34;
    layout.hatVolume = 26;
    layout.bassVolume = 50;
    layout.leadVolume = 46;
    layout.echoDelayRows = 3;
    layout.echoLevel = 0.45;
    return layout;
}

void addSounds(ItModule& song) {
    TonalRecipe bass;
    bass.name = "Round bass";
    bass.periodFrames = 512;
    bass.baseNote = 36;
    bass.harmonics = {1.0, 0.35, 0.12, 0.06, 0.03, 0.015};
    bass.decaySeconds = 1.2;
    bass.decayPerHarmonic = 0.3;
    bass.holdSeconds = 0.5;
    bass.loopPeriods = 2;
    bass.chiff = 0.04;
    bass.chiffSeconds = 0.004;
    bass.chiffBrightness = 0.2;
    bass.seed = 21;

    PadRecipe pad;
    pad.name = "Dusk pad";
    pad.harmonicCount = 12;
    pad.rolloff = 1.6;

    TonalRecipe keys;
    keys.name = "Soft electric piano";
    keys.periodFrames = 128;
    keys.baseNote = 64;
    keys.harmonics = {1.0, 0.3, 0.08, 0.05, 0.0, 0.0, 0.06};
    keys.decaySeconds = 1.6;
    keys.decayPerHarmonic = 0.9;
    keys.holdSeconds = 0.4;
    keys.chiff = 0.08;
    keys.chiffSeconds = 0.004;
    keys.chiffBrightness = 0.5;
    keys.seed = 22;

    TonalRecipe flute;
    flute.name = "Wooden flute";
    flute.periodFrames = 128;
    flute.baseNote = 76;
    flute.harmonics = {1.0, 0.22, 0.1, 0.04, 0.02};
    flute.holdSeconds = 0.08;
    flute.loopPeriods = 8;
    flute.chiff = 0.5;
    flute.chiffSeconds = 0.03;
    flute.chiffBrightness = 0.6;
    flute.seed = 23;

    song.samples.push_back(makeTonalSample(bass));
    song.samples.push_back(makePadSample(pad));
    song.samples.push_back(makeTonalSample(keys));
    ItSample fluteSample = makeTonalSample(flute);
    fluteSample.vibratoSpeed = 7;
    fluteSample.vibratoDepth = 4;
    fluteSample.vibratoRate = 12;
    song.samples.push_back(fluteSample);
    song.samples.push_back(makeKickSample(0.3));
    song.samples.push_back(makeRimSample());
    song.samples.push_back(makeShakerSample());

    addInstrument(song, "Round bass", INS_BASS, kItNnaCut, 16,
                  envelopeMs({{0, 64}, {300, 50}, {1500, 38}, {1750, 0}}, 2, kTempo));
    addInstrument(song, "Dusk pad", INS_PAD, kItNnaNoteOff, 6,
                  envelopeMs({{0, 0}, {700, 44}, {1500, 40}, {2600, 0}}, 2, kTempo));
    addInstrument(song, "Soft electric piano", INS_KEYS, kItNnaContinue, 16,
                  envelopeMs({{0, 64}, {400, 40}, {1500, 22}, {3000, 0}}, -1, kTempo));
    addInstrument(song, "Wooden flute", INS_LEAD, kItNnaNoteOff, 16,
                  envelopeMs({{0, 0}, {90, 56}, {400, 48}, {700, 0}}, 2, kTempo));
    addInstrument(song, "Soft kick", INS_KICK, kItNnaCut, 0, ItEnvelope{});
    addInstrument(song, "Rim", INS_SNARE, kItNnaCut, 0, ItEnvelope{});
    addInstrument(song, "Shaker", INS_HAT, kItNnaCut, 0, ItEnvelope{});
}

std::vector<Section> gameSections() {
    const std::vector<std::string> home = {"Am7", "Fmaj7", "Cmaj7", "G6"};
    const std::vector<std::string> away = {"Dm7", "Am7", "Fmaj7", "E7"};
    const std::string kick = "x.........x.....";
    const std::string rim = "........x.......";
    const std::string shaker = "o.x.o.x.o.x.o.xo";
    const std::string bass = "R:10 5:4 R:2";

    std::vector<Section> sections(8);
    // Pad, long bass notes and a slow figure on the piano.
    sections[0] = makeSection(home, "", "R:16", "", "", "", "", 40);
    sections[0].arpOrder = "a c b d";
    sections[0].arpStepRows = 4;
    sections[0].arpVolume = 36;
    // The beat comes in.
    sections[1] = makeSection(home, "", bass, kick, "", shaker, "", 38);
    // The melody.
    sections[2] = makeSection(home, "e5:4 a5:4 g5:6 e5:2  f5:8 e5:4 c5:4  e5:6 d5:2 c5:4 b4:4  d5:12 r:4",
                              bass, kick, rim, shaker, "", 36);
    sections[3] =
        makeSection(away, "f5:4 a5:4 c6:6 a5:2  g5:8 e5:4 c5:4  a5:6 g5:2 f5:4 e5:4  e5:6 d5:2 b4:4 g#4:4",
                    bass, kick, rim, shaker, "", 36);
    sections[4] =
        makeSection(home, "c6:4 b5:4 a5:6 e5:2  f5:4 a5:4 c6:8  b5:6 g5:2 e5:4 g5:4  a5:4 g5:4 d5:6 r:2",
                    bass, kick, rim, shaker, "", 36);
    sections[5] = makeSection(away, "a5:12 f5:4  e5:12 c5:4  c5:6 e5:2 a5:8  g#5:8 b5:4 d6:2 r:2", bass, kick,
                              rim, shaker, "", 36);
    sections[5].arpOrder = "a b c d c b";
    // A breath: no drums, no melody.
    sections[6] = makeSection(home, "", "R:12 5:4", "", "", "", "", 42);
    sections[6].arpOrder = "a c b d c b";
    sections[6].arpVolume = 38;
    // The melody once more, coming to rest on the dominant before the song starts over.
    sections[7] = makeSection(away, "f5:4 a5:4 c6:6 a5:2  g5:8 e5:4 c5:4  a5:6 g5:2 f5:4 e5:4  e5:8 r:8",
                              bass, kick, rim, shaker, "", 38);
    return sections;
}

}  // namespace

ItModule makeGameSong() {
    ItModule song = composeSong("Tarmelo 3D - Warehouse", kTempo, gameLayout(),
                                {32, 36, 24, 32, 14, 26, 38, 50, 42, 28, 40}, gameSections());
    addSounds(song);
    return song;
}
