#pragma once

// Test entry points of the OpenAL audio layer: a device that mixes on demand into memory instead of to a
// sound card, so that tests can check the sound itself, with no hardware and no real-time wait.

// Like audioInit, on a loopback device that mixes interleaved stereo float. Without the feeder thread
// nothing tops up the songs' queues but audioUpdate, which makes the mix depend only on the calls made.
bool audioInitLoopback(int mixRate, int channelCount, bool feederThread);

// Mixes the next frames frames into interleavedStereo (2 * frames values, left first). Does nothing unless
// the layer was opened by audioInitLoopback.
void audioRenderLoopback(float* interleavedStereo, int frames);

// Releases every song, channel and sample and closes the device, as if the program had never opened it.
// Channel and song handles from before stay stale.
void audioShutdown();
