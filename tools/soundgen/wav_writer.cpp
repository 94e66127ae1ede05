#include "soundgen/wav_writer.h"

#include "soundgen/byte_writer.h"

std::vector<std::uint8_t> encodeWavMono16(int sampleRate, const std::vector<std::int16_t>& samples) {
    constexpr unsigned kPcmFormat = 1;
    constexpr unsigned kChannels = 1;
    constexpr unsigned kBytesPerSample = 2;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);

    ByteWriter out;
    out.text("RIFF", 4);
    out.u32(4 + 8 + 16 + 8 + dataBytes + (dataBytes & 1u));  // "WAVE", the fmt chunk, the data chunk
    out.text("WAVE", 4);
    out.text("fmt ", 4);
    out.u32(16);
    out.u16(kPcmFormat);
    out.u16(kChannels);
    out.u32(static_cast<std::uint32_t>(sampleRate));
    out.u32(static_cast<std::uint32_t>(sampleRate) * kChannels * kBytesPerSample);  // bytes per second
    out.u16(kChannels * kBytesPerSample);                                           // bytes per frame
    out.u16(8 * kBytesPerSample);
    out.text("data", 4);
    out.u32(dataBytes);
    for (const std::int16_t sample : samples) out.u16(static_cast<std::uint16_t>(sample));
    return out.bytes();
}

bool writeWavMono16(const std::string& path, int sampleRate, const std::vector<std::int16_t>& samples) {
    return writeBytesToFile(path, encodeWavMono16(sampleRate, samples));
}
