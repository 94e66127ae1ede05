// Guards the composing and instrument-building helpers of the sound generator: note and chord names,
// voicing, how lines, rests, pads and echoes land in pattern cells, and seamless sample loops.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "soundgen/instruments.h"
#include "soundgen/it_writer.h"
#include "soundgen/score.h"
#include "soundgen/songs.h"

TEST(Score, NoteNamesCountFromMiddleCAsSixty) {
    EXPECT_EQ(noteNumber("c4"), 60);
    EXPECT_EQ(noteNumber("a4"), 69);
    EXPECT_EQ(noteNumber("f#3"), 54);
    EXPECT_EQ(noteNumber("bb4"), 70);
    EXPECT_EQ(noteNumber("b4"), 71);  // a 'b' letter, not a flat
    EXPECT_EQ(noteNumber("g#4"), 68);
    EXPECT_EQ(noteNumber("c6"), 84);
}

TEST(Score, ChordNamesGiveRootBassAndIntervals) {
    const Chord minorSeventh = parseChord("Am7");
    EXPECT_EQ(minorSeventh.root, 9);
    EXPECT_EQ(minorSeventh.bass, 9);
    EXPECT_EQ(minorSeventh.intervals, (std::vector<int>{0, 3, 7, 10}));
    const Chord slash = parseChord("G/B");
    EXPECT_EQ(slash.root, 7);
    EXPECT_EQ(slash.bass, 11);
    EXPECT_EQ(slash.intervals, (std::vector<int>{0, 4, 7}));
    EXPECT_EQ(parseChord("Fmaj7").intervals, (std::vector<int>{0, 4, 7, 11}));
    EXPECT_EQ(parseChord("Bb").root, 10);
}

// Every voiced note must belong to its chord, stay in range, and the parts must move by small steps.
TEST(Score, VoicingUsesChordTonesInRangeAndMovesLittle) {
    std::vector<Chord> chords;
    for (const char* symbol : {"C", "G/B", "Am", "F", "Dm7", "E7"}) chords.push_back(parseChord(symbol));
    const auto voicing = voiceChords(chords, 4, 52, 69);
    ASSERT_EQ(voicing.size(), chords.size());
    for (std::size_t i = 0; i < voicing.size(); ++i) {
        ASSERT_EQ(voicing[i].size(), 4u);
        EXPECT_TRUE(std::is_sorted(voicing[i].begin(), voicing[i].end()));
        std::vector<int> classes;
        for (const int note : voicing[i]) {
            EXPECT_GE(note, 52);
            EXPECT_LE(note, 69);
            const int interval = ((note - chords[i].root) % 12 + 12) % 12;
            const auto& allowed = chords[i].intervals;
            EXPECT_NE(std::find(allowed.begin(), allowed.end(), interval), allowed.end()) << "chord " << i;
            classes.push_back(interval);
        }
        std::sort(classes.begin(), classes.end());
        classes.erase(std::unique(classes.begin(), classes.end()), classes.end());
        EXPECT_EQ(classes.size(), std::min<std::size_t>(4, chords[i].intervals.size())) << "chord " << i;
        if (i > 0) {
            for (std::size_t part = 0; part < 4; ++part) {
                EXPECT_LE(std::abs(voicing[i][part] - voicing[i - 1][part]), 5)
                    << "chord " << i << " part " << part;
            }
        }
    }
}

TEST(Score, LineWritesNotesAtTheirRowsAndReleasesOnlySoundingNotes) {
    ItPattern pattern(32, 2);
    const int end = placeLine(pattern, 1, 4, 0, "r:2 c5:4@40 e5:2 r:2 r:2 g5:30", 50);
    EXPECT_EQ(end, 42);
    EXPECT_TRUE(pattern.at(0, 1).empty());  // a rest with nothing sounding writes nothing
    EXPECT_EQ(pattern.at(2, 1).note, 72);
    EXPECT_EQ(pattern.at(2, 1).volume, 40);
    EXPECT_EQ(pattern.at(2, 1).instrument, 4);
    EXPECT_EQ(pattern.at(6, 1).note, 76);
    EXPECT_EQ(pattern.at(6, 1).volume, 50);
    EXPECT_EQ(pattern.at(8, 1).note, kItNoteOff);
    EXPECT_EQ(pattern.at(8, 1).instrument, 0);
    EXPECT_TRUE(pattern.at(10, 1).empty());  // the second rest: already released
    EXPECT_EQ(pattern.at(12, 1).note, 79);
    for (int row = 0; row < 32; ++row) EXPECT_TRUE(pattern.at(row, 0).empty());
}

TEST(Score, PadHoldsCommonTonesAndEchoFollowsLaterAndSofter) {
    ItPattern pattern(32, 5);
    placePad(pattern, 0, 2, 0, 16, {{60, 64, 67}, {59, 64, 67}}, 40);
    EXPECT_EQ(pattern.at(16, 0).note, 59);
    EXPECT_TRUE(pattern.at(16, 1).empty());  // E held, not struck again
    EXPECT_TRUE(pattern.at(16, 2).empty());
    placeLine(pattern, 3, 4, 0, "c5:4 r:4 d5:4", 60);
    placeEcho(pattern, 3, 4, 3, 0.5);
    EXPECT_EQ(pattern.at(3, 4).note, 72);
    EXPECT_EQ(pattern.at(3, 4).volume, 30);
    EXPECT_EQ(pattern.at(7, 4).note, kItNoteOff);
    EXPECT_EQ(pattern.at(11, 4).note, 74);
}

// A loop whose end does not join its start smoothly clicks on every held note.
TEST(Instruments, EveryLoopedSampleJoinsItsLoopWithoutAJump) {
    for (const ItModule& song : {makeTitleSong(), makeGameSong()}) {
        for (const ItSample& sample : song.samples) {
            if (!sample.loop) continue;
            SCOPED_TRACE(song.title + ": " + sample.name);
            const auto& data = sample.data;
            ASSERT_LT(sample.loopStart, sample.loopEnd);
            ASSERT_LE(static_cast<std::size_t>(sample.loopEnd), data.size());
            int largestStep = 0;
            for (int i = sample.loopStart + 1; i < sample.loopEnd; ++i) {
                largestStep = std::max(largestStep, std::abs(data[static_cast<std::size_t>(i)] -
                                                             data[static_cast<std::size_t>(i - 1)]));
            }
            const int seam = std::abs(data[static_cast<std::size_t>(sample.loopStart)] -
                                      data[static_cast<std::size_t>(sample.loopEnd - 1)]);
            EXPECT_LE(seam, largestStep + 2);
        }
    }
}

TEST(Instruments, EnvelopeTicksFollowTheTempoAndNeverRepeat) {
    // At tempo 125 a tick lasts 20 ms.
    const ItEnvelope envelope = envelopeMs({{0, 0}, {10, 64}, {20, 50}, {1000, 0}}, 2, 125);
    ASSERT_EQ(envelope.nodes.size(), 4u);
    EXPECT_EQ(envelope.nodes[0].tick, 0);
    EXPECT_EQ(envelope.nodes[1].tick, 1);  // 0.5 ticks rounds to 1, and must pass the node before anyway
    EXPECT_EQ(envelope.nodes[2].tick, 2);
    EXPECT_EQ(envelope.nodes[3].tick, 50);
    EXPECT_EQ(envelope.sustainNode, 2);
}
