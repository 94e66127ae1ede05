#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// The level generator behind the shipped "Classic" set. Candidates are drawn in five pools (the teaching
// levels and the four bands), each tested for the quality its place asks for; the set is then chosen
// from the pools and ordered by the rules the audit checks. Everything follows from the seed, and no
// result depends on how many threads draw the candidates, so the set can be made again byte for byte.

constexpr std::uint64_t kDefaultGeneratorSeed = 1;

// A complete level file: the header, then the levels in order, each under a "; N" title. Progress lines
// go to progress when it is not null.
std::string generateLevelSet(std::uint64_t seed, int threads, std::FILE* progress);
