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
    ItPattern pattern(kSongPatternRows, layout.channels);
    std::vector<Chord> progression;
    for (const std::string& symbol : section.chordSymbols) progression.push_back(parseChord(symbol));

    placePad(pattern, layout.padChannel, layout.padInstrument, 0, kBar,
             voiceChords(progression, layout.padVoices, layout.padLow, layout.padHigh), section.padVolume);
    if (section.arpVolume > 0) {
        placeArpeggio(pattern, layout.arpChannel, layout.keysInstrument, 0, kBar,
                      voiceChords(progression, layout.arpVoices, layout.arpLow, layout.arpHigh),
                      section.arpOrder, section.arpStepRows, section.arpVolume);
    }
    if (!section.bassBar.empty()) {
        placeBass(pattern, layout.bassChannel, layout.bassInstrument, 0, progression, section.bassBar,
                  layout.bassLow, layout.bassVolume);
    }
    if (!section.kick.empty()) {
        placeDrum(pattern, layout.kickChannel, layout.kickInstrument, 0, kBars * kBar, section.kick,
                  layout.kickVolume);
    }
    if (!section.snare.empty()) {
        const int plainBars = section.lastBarSnare.empty() ? kBars : kBars - 1;
        placeDrum(pattern, layout.snareChannel, layout.snareInstrument, 0, plainBars * kBar, section.snare,
                  layout.snareVolume);
    }
    if (!section.lastBarSnare.empty()) {
        placeDrum(pattern, layout.snareChannel, layout.snareInstrument, (kBars - 1) * kBar, kBar,
                  section.lastBarSnare, layout.snareVolume);
    }
    if (!section.hat.empty()) {
        placeDrum(pattern, layout.hatChannel, layout.hatInstrument, 0, kBars * kBar, section.hat,
                  layout.hatVolume);
    }
    if (!section.melody.empty()) {
        const int end = placeLine(pattern, layout.leadChannel, layout.leadInstrument, 0, section.melody,
                                  layout.leadVolume);
        assert(end == kSongPatternRows && "a melody fills its section exactly");
        (void)end;
        placeEcho(pattern, layout.leadChannel, layout.echoChannel, layout.echoDelayRows, layout.echoLevel);
    }
    return pattern;
}

void addInstrument(ItModule& song, const std::string& name, int sample, int newNoteAction, int fadeOut,
                   const ItEnvelope& volumeEnvelope) {
    ItInstrument instrument;
    instrument.name = name;
    instrument.sample = sample;
    instrument.newNoteAction = newNoteAction;
    instrument.fadeOut = fadeOut;
    instrument.volumeEnvelope = volumeEnvelope;
    song.instruments.push_back(instrument);
}
