#pragma once

#include <cstdint>

// SplitMix64: the same numbers with every compiler and library, so a generated set can be made again byte
// for byte from its seed.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint64_t state_;
};

// A seed of its own for item number index of stream: candidates drawn in any order, or on several
// threads, come out the same.
inline std::uint64_t derivedSeed(std::uint64_t seed, std::uint64_t stream, std::uint64_t index) {
    Random mix(seed ^ (stream * 0xD1B54A32D192ED03ull));
    for (std::uint64_t i = 0; i < 2; ++i) mix.next();
    return mix.next() ^ (index * 0x9E3779B97F4A7C15ull);
}
