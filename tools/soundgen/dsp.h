#pragma once

#include <cstdint>
#include <vector>

// Small signal-processing pieces the effect and instrument synthesis is built from. Signals are vectors of
// doubles in [-1, 1] at a rate the caller carries; everything is deterministic so that every build writes
// byte-identical files.

constexpr double kPi = 3.14159265358979323846;

using Signal = std::vector<double>;

// White noise in [-1, 1) from a fixed seed (xorshift32).
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}
    double next();
    // Uniform in [0, 1).
    double unit() { return 0.5 * (next() + 1.0); }

private:
    std::uint32_t state_;
};

// One-pole low-pass; the cutoff may change from sample to sample.
class LowPass {
public:
    double process(double input, double cutoffHz, double sampleRate);

private:
    double state_ = 0.0;
    double cutoffHz_ = -1.0;  // the cutoff the coefficient was made for
    double coefficient_ = 0.0;
};

// One-pole high-pass (input minus its low-passed self).
class HighPass {
public:
    double process(double input, double cutoffHz, double sampleRate) {
        return input - lowPass_.process(input, cutoffHz, sampleRate);
    }

private:
    LowPass lowPass_;
};

// Two-pole resonator with unit gain at 0 Hz: the formant filter of the voice and the body modes of the
// crate. Centre and bandwidth may glide from sample to sample.
class Resonator {
public:
    double process(double input, double centreHz, double bandwidthHz, double sampleRate);

private:
    double y1_ = 0.0;
    double y2_ = 0.0;
    // Coefficients for the last centre and bandwidth, kept while they hold still.
    double centreHz_ = -1.0;
    double bandwidthHz_ = -1.0;
    double a_ = 0.0, b_ = 0.0, c_ = 0.0;
};

// Band-pass biquad with 0 dB gain at its centre; coefficients are fixed at construction.
class BandPass {
public:
    BandPass(double centreHz, double q, double sampleRate);
    double process(double input);

private:
    double b0_ = 0.0, b2_ = 0.0, a1_ = 0.0, a2_ = 0.0;
    double x1_ = 0.0, x2_ = 0.0, y1_ = 0.0, y2_ = 0.0;
};

// Raised-cosine fades at both ends, so a sound starts and stops at zero without a click.
void applyFades(Signal& signal, int fadeInSamples, int fadeOutSamples);

// Removes the mean, so that no offset step is heard when the sound starts or is cut off.
void removeOffset(Signal& signal);

// Scales so that the largest magnitude equals peak (no change for a silent signal).
void normalisePeak(Signal& signal, double peak);

// Rounded and clamped to signed 16 bits.
std::vector<std::int16_t> toPcm16(const Signal& signal);

// exp(-t / tau): the decay of a struck or plucked thing.
double decay(double seconds, double tauSeconds);

// Smoothstep from 0 at edge0 to 1 at edge1.
double smoothStep(double edge0, double edge1, double x);
