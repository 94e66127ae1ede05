#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A RIFF/WAVE file of 16-bit signed PCM, mono: the format of the game's effect samples.
std::vector<std::uint8_t> encodeWavMono16(int sampleRate, const std::vector<std::int16_t>& samples);

bool writeWavMono16(const std::string& path, int sampleRate, const std::vector<std::int16_t>& samples);
