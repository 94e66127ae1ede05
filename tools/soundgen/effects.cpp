#include "soundgen/effects.h"

#include <array>
#include <cmath>

#include "soundgen/dsp.h"

namespace {

constexpr double kRate = kEffectRate;

int samplesFor(double seconds) {
    return static_cast<int>(std::lround(seconds * kRate));
}

std::vector<std::int16_t> finish(Signal& signal, double peak, double fadeInSeconds, double fadeOutSeconds) {
    removeOffset(signal);
    applyFades(signal, samplesFor(fadeInSeconds), samplesFor(fadeOutSeconds));
    normalisePeak(signal, peak);
    return toPcm16(signal);
}

}  // namespace

// ---- slide ----

std::vector<std::int16_t> makeSlideSound() {
    constexpr double kSeconds = 0.5;
    constexpr double kMeanGrainGap = 1.0 / 55.0;  // stick-slip events per second of dragging
    const int length = samplesFor(kSeconds);

    NoiseSource noise(0x51D3u);
    NoiseSource grainDice(0x6A17u);
    BandPass grit(2200.0, 0.6, kRate);
    BandPass scrape(900.0, 0.9, kRate);
    LowPass roughness;
    LowPass rumble;
    std::array<Resonator, 3> body;
    constexpr std::array<double, 3> kBodyHz = {185.0, 420.0, 760.0};
    constexpr std::array<double, 3> kBodyBandwidthHz = {35.0, 55.0, 90.0};

    Signal signal(static_cast<std::size_t>(length));
    double nextGrain = 0.0;
    double grainStart = -1.0;
    double grainStrength = 0.0;
    for (int i = 0; i < length; ++i) {
        const double t = i / kRate;
        if (t >= nextGrain) {
            grainStart = t;
            grainStrength = 0.4 + 0.6 * grainDice.unit();
            nextGrain = t + kMeanGrainGap * (0.5 + grainDice.unit());
        }
        const double grain = grainStart >= 0.0 ? grainStrength * decay(t - grainStart, 0.004) : 0.0;
        const double white = noise.next();
        // Friction hiss whose loudness wanders slowly, plus the bursts of each slip.
        const double wander = 0.6 + 2.5 * roughness.process(noise.next(), 12.0, kRate);
        const double friction = white * (0.35 * wander + 0.9 * grain);
        double knock = 0.0;
        for (std::size_t mode = 0; mode < body.size(); ++mode) {
            knock += body[mode].process(grain * noise.next(), kBodyHz[mode], kBodyBandwidthHz[mode], kRate);
        }
        const double low = rumble.process(white, 150.0, kRate) * (0.5 + grain);
        const double level = smoothStep(0.0, 0.03, t) * (1.0 - 0.3 * t / kSeconds);
        signal[static_cast<std::size_t>(i)] =
            level * (0.5 * grit.process(friction) + 0.6 * scrape.process(friction) + 6.0 * knock + 1.2 * low);
    }
    return finish(signal, 0.8, 0.004, 0.09);
}

// ---- footstep ----

std::vector<std::int16_t> makeFootstepSound() {
    constexpr double kSeconds = 0.2;
    constexpr double kToeDelay = 0.045;  // heel to toe, seconds
    const int length = samplesFor(kSeconds);

    NoiseSource noise(0xF007u);
    BandPass click(3200.0, 1.0, kRate);
    BandPass knock(1250.0, 1.6, kRate);
    HighPass grit;
    Signal signal(static_cast<std::size_t>(length));
    double thumpPhase = 0.0;
    for (int i = 0; i < length; ++i) {
        const double t = i / kRate;
        const double toeT = t - kToeDelay;
        // The heel's thump drops in pitch as the sole flattens against the stone.
        const double thumpHz = 70.0 + 45.0 * decay(t, 0.015);
        thumpPhase += 2.0 * kPi * thumpHz / kRate;
        const double thump =
            std::sin(thumpPhase) * (0.9 * decay(t, 0.028) + (toeT >= 0 ? 0.3 * decay(toeT, 0.02) : 0));
        const double strike = decay(t, 0.005) + (toeT >= 0.0 ? 0.4 * decay(toeT, 0.006) : 0.0);
        const double white = noise.next();
        const double hard = 0.9 * click.process(white * strike) + 0.7 * knock.process(white * strike);
        const double sand = 0.12 * grit.process(white, 2500.0, kRate) * decay(t, 0.03);
        signal[static_cast<std::size_t>(i)] = thump + 2.5 * hard + sand;
    }
    return finish(signal, 0.8, 0.001, 0.05);
}

// ---- grunts ----

namespace {

// A point of a piecewise-linear contour over the sound's time in seconds.
struct ContourPoint {
    double seconds;
    double value;
};

template <std::size_t N>
double contourAt(const std::array<ContourPoint, N>& contour, double seconds) {
    if (seconds <= contour.front().seconds) return contour.front().value;
    for (std::size_t i = 1; i < N; ++i) {
        if (seconds <= contour[i].seconds) {
            const double span = contour[i].seconds - contour[i - 1].seconds;
            const double x = span > 0.0 ? (seconds - contour[i - 1].seconds) / span : 1.0;
            return contour[i - 1].value + x * (contour[i].value - contour[i - 1].value);
        }
    }
    return contour.back().value;
}

// Rosenberg glottal flow over one period (phase 0 to 1): opening, closing, then closed. The open quotient
// is the open share of the period; a pressed, effortful voice keeps it short.
double glottalFlow(double phase, double openQuotient) {
    const double opening = 0.7 * openQuotient;
    const double closing = 0.3 * openQuotient;
    if (phase < opening) return 0.5 * (1.0 - std::cos(kPi * phase / opening));
    if (phase < opening + closing) return std::cos(0.5 * kPi * (phase - opening) / closing);
    return 0.0;
}

struct GruntVoice {
    double seconds;
    std::array<ContourPoint, 6> pitchHz;
    std::array<ContourPoint, 5> loudness;  // of the voiced sound
    std::array<ContourPoint, 4> breath;    // of the aspiration noise
    std::array<ContourPoint, 4> f1Hz;
    std::array<ContourPoint, 4> f2Hz;
    double f3Hz;
    double openQuotient;
    double creakFrom;  // seconds; from here the periods turn irregular (vocal fry at the end of the breath)
    std::uint32_t seed;
};

std::vector<std::int16_t> synthesiseGrunt(const GruntVoice& voice) {
    constexpr double kF4Hz = 3300.0;
    constexpr double kF5Hz = 3850.0;
    const int length = samplesFor(voice.seconds);

    NoiseSource noise(voice.seed);
    LowPass wobble;
    std::array<Resonator, 5> formants;
    HighPass lowCut;
    double previousSound = 0.0;
    Signal signal(static_cast<std::size_t>(length));
    double phase = 0.0;
    double previousFlow = 0.0;
    double periodScale = 1.0;  // per-period jitter of the pitch
    double periodGain = 1.0;   // per-period shimmer of the loudness
    for (int i = 0; i < length; ++i) {
        const double t = i / kRate;
        const double creak = t > voice.creakFrom ? 1.0 : 0.0;
        const double drift = 1.0 + 0.015 * wobble.process(noise.next(), 8.0, kRate) * 8.0;
        phase += contourAt(voice.pitchHz, t) * drift * periodScale / kRate;
        if (phase >= 1.0) {
            phase -= 1.0;
            periodScale = 1.0 + (0.02 + 0.12 * creak) * noise.next();
            periodGain = 1.0 + (0.08 + 0.35 * creak) * noise.next();
        }
        const double flow = glottalFlow(phase, voice.openQuotient);
        // The lips radiate the flow's derivative; aspiration rides on the open phase.
        const double pulse = (flow - previousFlow) * 40.0 * periodGain;
        previousFlow = flow;
        const double voiced = pulse * contourAt(voice.loudness, t);
        const double aspiration = noise.next() * (0.04 + 0.1 * flow) * 0.6;
        const double unvoiced = 4.0 * noise.next() * contourAt(voice.breath, t);
        double sound = voiced + aspiration * contourAt(voice.loudness, t) + unvoiced;

        const double f1 = contourAt(voice.f1Hz, t);
        const double f2 = contourAt(voice.f2Hz, t);
        sound = formants[0].process(sound, f1, 90.0, kRate);
        sound = formants[1].process(sound, f2, 110.0, kRate);
        sound = formants[2].process(sound, voice.f3Hz, 160.0, kRate);
        sound = formants[3].process(sound, kF4Hz, 250.0, kRate);
        sound = formants[4].process(sound, kF5Hz, 300.0, kRate);
        // The formant cascade leaves the upper formants too weak for a voice heard from a few metres away.
        const double emphasised = sound - 0.85 * previousSound;
        previousSound = sound;
        signal[static_cast<std::size_t>(i)] = lowCut.process(emphasised, 80.0, kRate);
    }
    return finish(signal, 0.85, 0.004, 0.05);
}

}  // namespace

std::vector<std::int16_t> makeGruntSound(int variant) {
    if (variant == 0) {
        // A pressed "uhh!": a hard onset, pitch pushed up by the effort, then sagging into a creak.
        const GruntVoice low = {
            0.42,
            {{{0.0, 108.0}, {0.06, 142.0}, {0.16, 138.0}, {0.28, 118.0}, {0.36, 92.0}, {0.42, 80.0}}},
            {{{0.0, 0.0}, {0.018, 1.0}, {0.12, 0.95}, {0.3, 0.55}, {0.42, 0.0}}},
            {{{0.0, 0.02}, {0.3, 0.02}, {0.36, 0.05}, {0.42, 0.0}}},
            {{{0.0, 430.0}, {0.07, 640.0}, {0.3, 610.0}, {0.42, 480.0}}},
            {{{0.0, 1050.0}, {0.07, 1190.0}, {0.3, 1150.0}, {0.42, 1000.0}}},
            2390.0,
            0.42,
            0.3,
            0x6A11u,
        };
        return synthesiseGrunt(low);
    }
    // A higher "hmpf-ah": a closed, nasal start that opens into a short vowel and ends in an exhaled breath.
    const GruntVoice high = {
        0.36,
        {{{0.0, 150.0}, {0.05, 175.0}, {0.12, 188.0}, {0.2, 165.0}, {0.26, 135.0}, {0.36, 120.0}}},
        {{{0.0, 0.0}, {0.02, 0.55}, {0.06, 1.0}, {0.2, 0.8}, {0.27, 0.0}}},
        {{{0.0, 0.0}, {0.22, 0.02}, {0.27, 0.16}, {0.36, 0.0}}},
        {{{0.0, 280.0}, {0.055, 300.0}, {0.1, 720.0}, {0.36, 560.0}}},
        {{{0.0, 1300.0}, {0.055, 1350.0}, {0.1, 1650.0}, {0.36, 1400.0}}},
        2550.0,
        0.38,
        0.22,
        0x6A22u,
    };
    return synthesiseGrunt(high);
}
