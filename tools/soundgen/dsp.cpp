#include "soundgen/dsp.h"

#include <algorithm>
#include <cmath>

double NoiseSource::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

double LowPass::process(double input, double cutoffHz, double sampleRate) {
    if (cutoffHz != cutoffHz_) {
        coefficient_ = 1.0 - std::exp(-2.0 * kPi * cutoffHz / sampleRate);
        cutoffHz_ = cutoffHz;
    }
    state_ += coefficient_ * (input - state_);
    return state_;
}

double Resonator::process(double input, double centreHz, double bandwidthHz, double sampleRate) {
    if (centreHz != centreHz_ || bandwidthHz != bandwidthHz_) {
        const double radius = std::exp(-kPi * bandwidthHz / sampleRate);
        b_ = 2.0 * radius * std::cos(2.0 * kPi * centreHz / sampleRate);
        c_ = -radius * radius;
        a_ = 1.0 - b_ - c_;
        centreHz_ = centreHz;
        bandwidthHz_ = bandwidthHz;
    }
    const double output = a_ * input + b_ * y1_ + c_ * y2_;
    y2_ = y1_;
    y1_ = output;
    return output;
}

BandPass::BandPass(double centreHz, double q, double sampleRate) {
    const double omega = 2.0 * kPi * centreHz / sampleRate;
    const double alpha = std::sin(omega) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    b0_ = alpha / a0;
    b2_ = -alpha / a0;
    a1_ = -2.0 * std::cos(omega) / a0;
    a2_ = (1.0 - alpha) / a0;
}

double BandPass::process(double input) {
    const double output = b0_ * input + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = input;
    y2_ = y1_;
    y1_ = output;
    return output;
}

void applyFades(Signal& signal, int fadeInSamples, int fadeOutSamples) {
    const int length = static_cast<int>(signal.size());
    for (int i = 0; i < fadeInSamples && i < length; ++i) {
        signal[static_cast<std::size_t>(i)] *= 0.5 - 0.5 * std::cos(kPi * i / fadeInSamples);
    }
    for (int i = 0; i < fadeOutSamples && i < length; ++i) {
        signal[static_cast<std::size_t>(length - 1 - i)] *= 0.5 - 0.5 * std::cos(kPi * i / fadeOutSamples);
    }
}

void removeOffset(Signal& signal) {
    if (signal.empty()) return;
    double sum = 0.0;
    for (const double value : signal) sum += value;
    const double mean = sum / static_cast<double>(signal.size());
    for (double& value : signal) value -= mean;
}

void normalisePeak(Signal& signal, double peak) {
    double largest = 0.0;
    for (const double value : signal) largest = std::max(largest, std::fabs(value));
    if (largest <= 0.0) return;
    for (double& value : signal) value *= peak / largest;
}

std::vector<std::int16_t> toPcm16(const Signal& signal) {
    std::vector<std::int16_t> pcm(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double scaled = std::round(std::clamp(signal[i], -1.0, 1.0) * 32767.0);
        pcm[i] = static_cast<std::int16_t>(scaled);
    }
    return pcm;
}

double decay(double seconds, double tauSeconds) {
    return seconds <= 0.0 ? 1.0 : std::exp(-seconds / tauSeconds);
}

double smoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}
