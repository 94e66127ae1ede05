#pragma once

#include <cstdint>
#include <vector>

// The four effect samples, synthesised: 16-bit mono at kEffectRate, starting and ending in silence.

constexpr int kEffectRate = 44100;

// A wooden crate scraped over stone: gritty friction noise with stick-slip judder and the crate's
// hollow body knocks, about half a second, looping-free (the game restarts it while a box slides).
std::vector<std::int16_t> makeSlideSound();

// One footstep on stone: a heel thump with a hard click, then a lighter toe tap; about 0.2 s.
std::vector<std::int16_t> makeFootstepSound();

// The keeper's two effort grunts while pushing: a voice made of a glottal pulse train through vowel
// formants, each with its own pitch contour and vowel. variant 0 is a low pressed "uhh", variant 1 a
// higher "hmpf-ah" that ends in a breath.
std::vector<std::int16_t> makeGruntSound(int variant);
