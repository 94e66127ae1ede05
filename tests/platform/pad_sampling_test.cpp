// The rule both windowing backends sample a pad by: a backend that counted a held button again at every
// sample would repeat what a press does, and one that kept a pulled-out pad's last state would walk on.

#include "platform/pad_sampling.h"

#include <gtest/gtest.h>

namespace {

PadState reading(bool connected, int button, float stickX = 0.0f) {
    PadState pad;
    pad.connected = connected;
    if (button >= 0) pad.held[button] = true;
    pad.stickX = stickX;
    return pad;
}

TEST(PadSampling, PressesAreWhatChangedBetweenSamples) {
    PadSampling sampling;
    PadState sample = samplePad(sampling, reading(true, PAD_A));
    EXPECT_TRUE(sample.held[PAD_A]);
    EXPECT_TRUE(sample.pressed[PAD_A]);
    sample = samplePad(sampling, reading(true, PAD_A));  // still down: no new press
    EXPECT_TRUE(sample.held[PAD_A]);
    EXPECT_FALSE(sample.pressed[PAD_A]);
    samplePad(sampling, reading(true, -1));
    EXPECT_TRUE(samplePad(sampling, reading(true, PAD_A)).pressed[PAD_A]);  // down again
}

TEST(PadSampling, APadPulledOutReadsAsNothingAndOnePluggedInPressesWhatIsDown) {
    PadSampling sampling;
    samplePad(sampling, reading(true, PAD_LEFT, -1.0f));
    // What a backend may still hold of a pad that is gone is not read.
    PadState sample = samplePad(sampling, reading(false, PAD_LEFT, -1.0f));
    EXPECT_FALSE(sample.connected);
    EXPECT_FALSE(sample.held[PAD_LEFT]);
    EXPECT_EQ(sample.stickX, 0.0f);
    sample = samplePad(sampling, reading(true, PAD_LEFT, -1.5f));
    EXPECT_TRUE(sample.pressed[PAD_LEFT]);
    EXPECT_EQ(sample.stickX, -1.0f);  // a mapping that reports beyond the end reads as the end
}

}  // namespace
