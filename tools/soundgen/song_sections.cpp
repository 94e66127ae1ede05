#include "soundgen/song_sections.h"

#include <cassert>
#include <utility>

#include "soundgen/score.h"
#include "soundgen/songs.h"

Section makeSection(std::vector<std::string> chordSymbols, std::string melody, std::string bassBar,
                    std::string kick, std::string snare, std::string hat, std::string lastBarSnare,
                    int padVolume) {
    Section section;
    section.chordSymbols = std::move(chordSymbols);
    section.melody = std::move(melody);
    section.bassBar = std::move(bassBar);
    section.kick = std::move(kick);
    section.snare = std::move(snare);
    section.hat = std::move(hat);
    section.lastBarSnare = std::move(lastBarSnare);
    section.padVolume = padVolume;
    return section;
}

ItPattern writeSection(const SongLayout& layout, const Section& section) {
    constexpr int kBar = kSongRowsPerBar;
    constexpr int kBars = kSongPatternRows / kSongRowsPerBar;
    assert(section.chordSymbols.size() == static_cast<std::size_t>(kBars));
    ItPattern pattern(kSongPatternRows, layout.channels());
    std::vector<Chord> progression;
    for (const std::string& symbol : section.chordSymbols) progression.push_back(parseChord(symbol));

    placePad(pattern, CH_PAD, INS_PAD, 0, kBar,
             voiceChords(progression, layout.padVoices, layout.padLow, layout.padHigh), section.padVolume);
    if (section.arpVolume > 0) {
        placeArpeggio(pattern, layout.arpChannel(), INS_KEYS, 0, kBar,
                      voiceChords(progression, layout.arpVoices, layout.arpLow, layout.arpHigh),
                      section.arpOrder, section.arpStepRows, section.arpVolume);
    }
    if (!section.bassBar.empty()) {
        placeBass(pattern, CH_BASS, INS_BASS, 0, progression, section.bassBar, layout.bassLow,
                  layout.bassVolume);
    }
    if (!section.kick.empty()) {
        placeDrum(pattern, CH_KICK, INS_KICK, 0, kBars * kBar, section.kick, layout.kickVolume);
    }
    if (!section.snare.empty()) {
        const int plainBars = section.lastBarSnare.empty() ? kBars : kBars - 1;
        placeDrum(pattern, CH_SNARE, INS_SNARE, 0, plainBars * kBar, section.snare, layout.snareVolume);
    }
    if (!section.lastBarSnare.empty()) {
        placeDrum(pattern, CH_SNARE, INS_SNARE, (kBars - 1) * kBar, kBar, section.lastBarSnare,
                  layout.snareVolume);
    }
    if (!section.hat.empty()) {
        placeDrum(pattern, CH_HAT, INS_HAT, 0, kBars * kBar, section.hat, layout.hatVolume);
    }
    if (!section.melody.empty()) {
        const int end =
            placeLine(pattern, layout.leadChannel(), INS_LEAD, 0, section.melody, layout.leadVolume);
        assert(end == kSongPatternRows && "a melody fills its section exactly");
        (void)end;
        placeEcho(pattern, layout.leadChannel(), layout.echoChannel(), layout.echoDelayRows,
                  layout.echoLevel);
    }
    return pattern;
}

ItModule composeSong(const std::string& title, int tempo, const SongLayout& layout,
                     const std::vector<int>& channelPan, const std::vector<Section>& sections) {
    assert(static_cast<int>(channelPan.size()) == layout.channels());
    ItModule song;
    song.title = title;
    song.initialSpeed = 6;
    song.initialTempo = tempo;
    song.channelPan = channelPan;
    song.channelVolume = std::vector<int>(channelPan.size(), 64);
    for (const Section& section : sections) {
        song.orders.push_back(static_cast<int>(song.patterns.size()));
        song.patterns.push_back(writeSection(layout, section));
    }
    return song;
}

void addInstrument(ItModule& song, const std::string& name, int sample, int newNoteAction, int fadeOut,
                   const ItEnvelope& volumeEnvelope) {
    assert(static_cast<int>(song.instruments.size()) + 1 == sample && "instrument n plays sample n");
    ItInstrument instrument;
    instrument.name = name;
    instrument.sample = sample;
    instrument.newNoteAction = newNoteAction;
    instrument.fadeOut = fadeOut;
    instrument.volumeEnvelope = volumeEnvelope;
    song.instruments.push_back(instrument);
}
