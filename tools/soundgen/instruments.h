#pragma once

#include <string>
#include <utility>
#include <vector>

#include "soundgen/it_writer.h"

// The synthesised samples and envelopes the two songs are played with. Tonal samples are periodic after
// their attack and loop a whole number of periods, so a held note never clicks at the loop point; every
// tonal sample is tuned so that note 60 (C-5 in tracker terms, middle C here) sounds at kMiddleCHz.

constexpr double kMiddleCHz = 261.6256;

// Frequency of a note number (60 = middle C, 69 = A at 440 Hz).
double noteHz(int note);

// A tone built from harmonics that decay (faster the higher they are) until holdSeconds, then holds
// still and loops. Times are for the note baseNote; other notes replay the same sample faster or slower.
struct TonalRecipe {
    std::string name;
    int periodFrames = 256;  // frames per cycle
    int baseNote = 60;
    std::vector<double> harmonics;  // onset amplitude of harmonic 1, 2, ...
    double decaySeconds = 0.0;      // time constant of the fundamental's decay; 0 = none
    double decayPerHarmonic = 0.0;  // harmonic k decays (1 + k * this) times faster
    double holdSeconds = 0.05;
    int loopPeriods = 4;
    double chiff = 0.0;  // level of a noise burst at the onset: a pick, a hammer or a breath
    double chiffSeconds = 0.02;
    double chiffBrightness = 0.5;  // 0 dull to 1 bright
    unsigned seed = 1;
};
ItSample makeTonalSample(const TonalRecipe& recipe);

// A pad: several slightly detuned copies of a soft saw, phase-locked over a loop of loopPeriods periods,
// so the chorus beats repeat exactly with the loop. detunePeriods gives each copy's cycle count in the
// loop relative to loopPeriods (0 = in tune, +1 = one more cycle per loop).
struct PadRecipe {
    std::string name;
    int periodFrames = 128;
    int loopPeriods = 100;
    int harmonicCount = 16;
    double rolloff = 1.0;  // harmonic k has amplitude 1 / k^rolloff
    std::vector<int> detunePeriods = {-1, 0, 1};
    bool oddOnly = false;  // hollow, clarinet-like
};
ItSample makePadSample(const PadRecipe& recipe);

// Drum samples at 44100 frames per second, played at note 60 for their own pitch.
ItSample makeKickSample(double punch);  // punch 0 soft to 1 hard
ItSample makeSnareSample(double snap);  // snap 0 brushed to 1 crisp
ItSample makeHatSample(double seconds);
ItSample makeRimSample();
ItSample makeShakerSample();

// A volume envelope given in milliseconds at a tempo: (milliseconds, level 0 to 64) pairs and the index of
// the node the note holds at until released (-1: none).
ItEnvelope envelopeMs(const std::vector<std::pair<double, int>>& points, int sustainNode, int tempo);
