#pragma once

#include <string>
#include <vector>

#include "soundgen/it_writer.h"

// A little score language for writing the songs into patterns.
//
// Notes are written as in "e5", "f#3", "bb4" (c4 = 60, middle C). A line is a list of tokens
// "note:rows[@volume]" or "r:rows" (a rest, which releases the sounding note); rows are pattern rows.
// Chords are written as "C", "Am7", "Fmaj7", "G/B", "Dsus4", "E7", "Cadd9".

int noteNumber(const std::string& name);

struct Chord {
    int root = 0;                // pitch class 0 (C) to 11
    int bass = 0;                // pitch class of the bass note (the root unless written "/X")
    std::vector<int> intervals;  // semitones above the root, the root's 0 first
};
Chord parseChord(const std::string& symbol);

// Writes a melodic line into a channel from startRow on; returns the row after its last token. Tokens
// past the pattern's end are dropped.
int placeLine(ItPattern& pattern, int channel, int instrument, int startRow, const std::string& line,
              int defaultVolume, int transpose = 0);

// Writes one drum voice bar after bar from a pattern of characters, one per row: 'X' accent, 'x' normal,
// 'o' ghost, '.' nothing; the pattern repeats to the end of the rows given.
void placeDrum(ItPattern& pattern, int channel, int instrument, int startRow, int rows,
               const std::string& hits, int accentVolume);

// Voices a chord progression for `voices` parts between low and high (note numbers), each chord as near
// as possible to the one before it so the parts move smoothly. Returns one sorted note list per chord.
std::vector<std::vector<int>> voiceChords(const std::vector<Chord>& chords, int voices, int low, int high);

// Holds each voiced chord for rowsPerChord rows on consecutive channels; a part that keeps its note into
// the next chord is not struck again.
void placePad(ItPattern& pattern, int firstChannel, int instrument, int startRow, int rowsPerChord,
              const std::vector<std::vector<int>>& voicing, int volume);

// A bass line over chords, one bar template per chord: tokens "degree:rows[@volume]" where the degree is
// R (the bass note), 3, 5, 7 (chord tones above the root), 8 (the root an octave up), 5- (the fifth below)
// or r (rest). The bass note lies between low and low + 11.
void placeBass(ItPattern& pattern, int channel, int instrument, int startRow,
               const std::vector<Chord>& chords, const std::string& barTemplate, int low, int defaultVolume);

// Broken chords: for each voiced chord, steps of rowsPerStep rows through the chord's notes in the order
// of `order` (indices into the sorted voicing, 'a' to 'f'; '+' after an index raises it an octave).
void placeArpeggio(ItPattern& pattern, int channel, int instrument, int startRow, int rowsPerChord,
                   const std::vector<std::vector<int>>& voicing, const std::string& order, int rowsPerStep,
                   int volume);

// Copies every set cell of one channel, delayed by `rows` and at a fraction of its volume, into another
// channel: a tracker's echo.
void placeEcho(ItPattern& pattern, int fromChannel, int toChannel, int rows, double level);
