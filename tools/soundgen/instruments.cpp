#include "soundgen/instruments.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "soundgen/dsp.h"

namespace {

constexpr int kDrumRate = 44100;

ItSample finishSample(const std::string& name, Signal& signal, int c5Speed, double peak) {
    normalisePeak(signal, peak);
    ItSample sample;
    sample.name = name;
    sample.data = toPcm16(signal);
    sample.c5Speed = c5Speed;
    return sample;
}

int c5SpeedForPeriod(int periodFrames) {
    return static_cast<int>(std::lround(periodFrames * kMiddleCHz));
}

}  // namespace

double noteHz(int note) {
    return kMiddleCHz * std::pow(2.0, (note - 60) / 12.0);
}

ItSample makeTonalSample(const TonalRecipe& recipe) {
    const double rate = recipe.periodFrames * noteHz(recipe.baseNote);  // frames per second at the base note
    const int period = recipe.periodFrames;
    const int holdStart = static_cast<int>(std::ceil(recipe.holdSeconds * rate / period)) * period;
    const int length = holdStart + recipe.loopPeriods * period;

    // One period of a sine; harmonic k steps through it k entries at a time.
    std::vector<double> sine(static_cast<std::size_t>(period));
    for (int j = 0; j < period; ++j) sine[static_cast<std::size_t>(j)] = std::sin(2.0 * kPi * j / period);

    Signal signal(static_cast<std::size_t>(length), 0.0);
    for (std::size_t k = 0; k < recipe.harmonics.size(); ++k) {
        const int harmonic = static_cast<int>(k) + 1;
        const double tau = recipe.decaySeconds / (1.0 + harmonic * recipe.decayPerHarmonic);
        const double fallPerFrame = recipe.decaySeconds > 0.0 ? std::exp(-1.0 / (tau * rate)) : 1.0;
        double amplitude = recipe.harmonics[k];
        for (int i = 0; i < length; ++i) {
            const auto index = static_cast<std::size_t>((static_cast<long long>(harmonic) * i) % period);
            signal[static_cast<std::size_t>(i)] += amplitude * sine[index];
            // From holdStart on every amplitude is frozen, so the loop repeats one exact period.
            if (i < holdStart) amplitude *= fallPerFrame;
        }
    }
    if (recipe.chiff > 0.0) {
        NoiseSource noise(recipe.seed);
        LowPass colour;
        const double cutoffHz = 800.0 + 9000.0 * recipe.chiffBrightness;
        const int chiffEnd = std::min(holdStart, static_cast<int>(recipe.chiffSeconds * rate * 3.0));
        for (int i = 0; i < chiffEnd; ++i) {
            const double t = i / rate;
            // The burst ends smoothly before the loop, so the loop stays a pure period.
            const double fadeToLoop = 1.0 - smoothStep(0.6 * chiffEnd, chiffEnd, i);
            const double burst = colour.process(noise.next(), cutoffHz, rate) * decay(t, recipe.chiffSeconds);
            signal[static_cast<std::size_t>(i)] += recipe.chiff * burst * fadeToLoop;
        }
    }
    ItSample sample = finishSample(recipe.name, signal, c5SpeedForPeriod(period), 0.9);
    sample.loop = true;
    sample.loopStart = holdStart;
    sample.loopEnd = length;
    return sample;
}

ItSample makePadSample(const PadRecipe& recipe) {
    const int length = recipe.periodFrames * recipe.loopPeriods;
    // One cycle of a sine over the whole loop: a copy making `cycles` cycles per loop steps through it
    // cycles * k entries at a time for harmonic k.
    std::vector<double> sine(static_cast<std::size_t>(length));
    for (int j = 0; j < length; ++j) sine[static_cast<std::size_t>(j)] = std::sin(2.0 * kPi * j / length);

    Signal signal(static_cast<std::size_t>(length), 0.0);
    for (const int detune : recipe.detunePeriods) {
        const long long cycles = recipe.loopPeriods + detune;
        // Each copy starts at its own phase, so the copies do not all peak together at the loop start.
        const long long offset = static_cast<long long>(0.37 * (detune + 2) * length);
        for (int k = 1; k <= recipe.harmonicCount; ++k) {
            if (recipe.oddOnly && k % 2 == 0) continue;
            const double amplitude = 1.0 / std::pow(k, recipe.rolloff);
            for (int i = 0; i < length; ++i) {
                const auto index = static_cast<std::size_t>((k * (cycles * i + offset)) % length);
                signal[static_cast<std::size_t>(i)] += amplitude * sine[index];
            }
        }
    }
    ItSample sample = finishSample(recipe.name, signal, c5SpeedForPeriod(recipe.periodFrames), 0.9);
    sample.loop = true;
    sample.loopStart = 0;
    sample.loopEnd = length;
    return sample;
}

ItSample makeKickSample(double punch) {
    const int length = static_cast<int>(0.42 * kDrumRate);
    Signal signal(static_cast<std::size_t>(length));
    NoiseSource noise(0x4B1Cu);
    LowPass clickTone;
    double phase = 0.0;
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kDrumRate;
        // The skin's pitch falls fast from the hit to its resting note.
        const double hz = 48.0 + (60.0 + 110.0 * punch) * decay(t, 0.028);
        phase += 2.0 * kPi * hz / kDrumRate;
        const double body = std::sin(phase) * decay(t, 0.16 + 0.06 * (1.0 - punch));
        const double click = clickTone.process(noise.next(), 3000.0, kDrumRate) * decay(t, 0.003);
        signal[static_cast<std::size_t>(i)] = body + (0.4 + 1.6 * punch) * click;
    }
    applyFades(signal, 8, 400);
    return finishSample("Kick", signal, kDrumRate, 0.95);
}

ItSample makeSnareSample(double snap) {
    const int length = static_cast<int>(0.3 * kDrumRate);
    Signal signal(static_cast<std::size_t>(length));
    NoiseSource noise(0x5A4Eu);
    BandPass wires(5000.0 + 2000.0 * snap, 0.7, kDrumRate);
    HighPass thin;
    double phase1 = 0.0;
    double phase2 = 0.0;
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kDrumRate;
        phase1 += 2.0 * kPi * (185.0 + 40.0 * decay(t, 0.01)) / kDrumRate;
        phase2 += 2.0 * kPi * 330.0 / kDrumRate;
        const double shell = (0.8 * std::sin(phase1) + 0.4 * std::sin(phase2)) * decay(t, 0.045);
        const double white = noise.next();
        const double rattle = (wires.process(white) * 1.6 + 0.5 * thin.process(white, 1500.0, kDrumRate)) *
                              decay(t, 0.06 + 0.05 * (1.0 - snap));
        // A brushed snare swells in over a few milliseconds instead of cracking.
        const double onset = smoothStep(0.0, 0.001 + 0.012 * (1.0 - snap), t);
        signal[static_cast<std::size_t>(i)] = onset * (snap * shell + rattle);
    }
    applyFades(signal, 4, 600);
    return finishSample("Snare", signal, kDrumRate, 0.9);
}

ItSample makeHatSample(double seconds) {
    const int length = static_cast<int>(seconds * kDrumRate);
    Signal signal(static_cast<std::size_t>(length));
    NoiseSource noise(0x4A77u);
    HighPass cut;
    BandPass sheen(10000.0, 1.2, kDrumRate);
    // A few detuned square waves give the metal its clang under the noise.
    constexpr double kMetalHz[] = {317.0, 449.0, 571.0, 803.0, 1077.0, 1271.0};
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kDrumRate;
        double metal = 0.0;
        for (const double hz : kMetalHz) metal += std::fmod(t * hz * 7.0, 1.0) < 0.5 ? 1.0 : -1.0;
        const double source = noise.next() + 0.12 * metal;
        const double shaped = cut.process(source, 7000.0, kDrumRate) + 0.8 * sheen.process(source);
        signal[static_cast<std::size_t>(i)] = shaped * decay(t, seconds / 5.0);
    }
    applyFades(signal, 4, static_cast<int>(0.2 * length));
    return finishSample("Hat", signal, kDrumRate, 0.8);
}

ItSample makeRimSample() {
    const int length = static_cast<int>(0.12 * kDrumRate);
    Signal signal(static_cast<std::size_t>(length));
    NoiseSource noise(0x21A1u);
    BandPass knock(1700.0, 6.0, kDrumRate);
    BandPass wood(820.0, 8.0, kDrumRate);
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kDrumRate;
        const double strike = noise.next() * decay(t, 0.0015);
        signal[static_cast<std::size_t>(i)] =
            3.0 * knock.process(strike) + 2.0 * wood.process(strike) + 0.3 * strike;
    }
    applyFades(signal, 2, 300);
    return finishSample("Rim", signal, kDrumRate, 0.85);
}

ItSample makeShakerSample() {
    const int length = static_cast<int>(0.11 * kDrumRate);
    Signal signal(static_cast<std::size_t>(length));
    NoiseSource noise(0x5AC3u);
    BandPass beads(6500.0, 1.5, kDrumRate);
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kDrumRate;
        // Beads hit the shell over a short swell rather than all at once.
        const double swell = smoothStep(0.0, 0.035, t) * decay(t - 0.035, 0.025);
        signal[static_cast<std::size_t>(i)] = beads.process(noise.next()) * swell;
    }
    applyFades(signal, 4, 300);
    return finishSample("Shaker", signal, kDrumRate, 0.7);
}

ItEnvelope envelopeMs(const std::vector<std::pair<double, int>>& points, int sustainNode, int tempo) {
    const double tickMs = 2500.0 / tempo;
    ItEnvelope envelope;
    envelope.sustainNode = sustainNode;
    for (const auto& [ms, level] : points) {
        int tick = static_cast<int>(std::lround(ms / tickMs));
        if (!envelope.nodes.empty()) tick = std::max(tick, envelope.nodes.back().tick + 1);
        envelope.nodes.push_back({tick, level});
    }
    assert(sustainNode < static_cast<int>(envelope.nodes.size()));
    return envelope;
}
