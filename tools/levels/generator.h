#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// The level generator behind the shipped "Classic" set. Rooms are drawn at random, goals are placed, and
// the boxes are pulled backwards from the goals by a breadth-first search over pulls: the positions it
// reaches last are the ones farthest from solved. Each candidate is then solved forwards, and the set is
// chosen and ordered by the solution's figures. Everything follows from the seed, so the set can be made
// again byte for byte.

constexpr std::uint64_t kDefaultGeneratorSeed = 20240613;

// A complete level file: the header, then the levels from easiest to hardest, each under a "; N" title.
// One line per chosen level goes to progress when it is not null.
std::string generateLevelSet(std::uint64_t seed, std::FILE* progress);
