#include "soundgen/it_writer.h"

#include <array>
#include <cassert>

#include "soundgen/byte_writer.h"

// Layout of the file: the 192-byte header, the order list, three tables of file offsets (instruments,
// sample headers, patterns), then the instrument and sample headers, the packed patterns and last the
// sample data. The offsets are patched in as each part is placed.

namespace {

constexpr unsigned kTrackerVersion = 0x0214;  // the format version whose playback rules the song assumes
constexpr unsigned kFlagStereo = 1;
constexpr unsigned kFlagInstruments = 4;
constexpr unsigned kFlagLinearSlides = 8;
constexpr unsigned kOrderEnd = 255;
constexpr int kMaxEnvelopeNodes = 25;
// The header and sample-header sizes are checked by assertions only, which release builds leave out.
[[maybe_unused]] constexpr std::size_t kHeaderBytes = 0xC0;
constexpr std::size_t kInstrumentBytes = 554;
[[maybe_unused]] constexpr std::size_t kSampleHeaderBytes = 0x50;
constexpr unsigned kChannelDisabled = 128;

// One envelope block: flags, node count, loop and sustain-loop node numbers, 25 nodes of (value, tick),
// and a pad byte.
void writeEnvelope(ByteWriter& out, const ItEnvelope& envelope, int restingValue) {
    constexpr unsigned kEnvelopeOn = 1;
    constexpr unsigned kSustainLoopOn = 4;
    assert(envelope.nodes.size() <= static_cast<std::size_t>(kMaxEnvelopeNodes));
    const bool enabled = !envelope.nodes.empty();
    unsigned flags = enabled ? kEnvelopeOn : 0;
    if (enabled && envelope.sustainNode >= 0) flags |= kSustainLoopOn;
    // A disabled envelope still carries the two flat nodes trackers show by default.
    const std::vector<ItEnvelopeNode> flat = {{0, restingValue}, {100, restingValue}};
    const std::vector<ItEnvelopeNode>& nodes = enabled ? envelope.nodes : flat;
    const unsigned sustain = envelope.sustainNode >= 0 ? static_cast<unsigned>(envelope.sustainNode) : 0;
    out.u8(flags);
    out.u8(static_cast<unsigned>(nodes.size()));
    out.u8(0);  // loop start
    out.u8(0);  // loop end
    out.u8(sustain);
    out.u8(sustain);
    for (int i = 0; i < kMaxEnvelopeNodes; ++i) {
        if (i < static_cast<int>(nodes.size())) {
            const ItEnvelopeNode& node = nodes[static_cast<std::size_t>(i)];
            assert(node.value >= -32 && node.value <= 64 && node.tick >= 0 && node.tick <= 9999);
            assert(i == 0 || node.tick > nodes[static_cast<std::size_t>(i - 1)].tick);
            out.u8(static_cast<unsigned>(node.value));
            out.u16(static_cast<unsigned>(node.tick));
        } else {
            out.zeros(3);
        }
    }
    out.u8(0);
}

void writeInstrument(ByteWriter& out, const ItInstrument& instrument,
                     [[maybe_unused]] std::size_t sampleCount) {
    constexpr unsigned kNoDefaultPan = 128 | 32;
    constexpr unsigned kMiddleC = 60;
    constexpr int kKeyboardNotes = 120;
    assert(instrument.sample >= 1 && static_cast<std::size_t>(instrument.sample) <= sampleCount);
    assert(instrument.fadeOut >= 0 && instrument.fadeOut <= 128);
    const std::size_t start = out.size();
    out.text("IMPI", 4);
    out.zeros(12);  // DOS file name
    out.u8(0);
    out.u8(static_cast<unsigned>(instrument.newNoteAction));
    out.u8(0);  // duplicate check off
    out.u8(0);
    out.u16(static_cast<unsigned>(instrument.fadeOut));
    out.u8(0);  // pitch-pan separation
    out.u8(kMiddleC);
    out.u8(static_cast<unsigned>(instrument.globalVolume));
    out.u8(kNoDefaultPan);
    out.u8(0);  // random volume variation
    out.u8(0);  // random pan variation
    out.u16(kTrackerVersion);
    out.u8(1);  // samples used
    out.u8(0);
    out.terminatedText(instrument.name, 26);
    out.u8(0);        // filter cutoff: off
    out.u8(0);        // filter resonance: off
    out.u8(0);        // MIDI channel: none
    out.u8(0xFF);     // MIDI program: none
    out.u16(0xFFFF);  // MIDI bank: none
    for (int note = 0; note < kKeyboardNotes; ++note) {
        out.u8(static_cast<unsigned>(note));
        out.u8(static_cast<unsigned>(instrument.sample));
    }
    writeEnvelope(out, instrument.volumeEnvelope, 64);
    writeEnvelope(out, ItEnvelope{}, 0);  // panning
    writeEnvelope(out, ItEnvelope{}, 0);  // pitch
    out.zeros(kInstrumentBytes - (out.size() - start));
}

// The header of one sample; returns the offset of its data-pointer field, patched once the data is placed.
std::size_t writeSampleHeader(ByteWriter& out, const ItSample& sample) {
    constexpr unsigned kHasData = 1;
    constexpr unsigned kSixteenBit = 2;
    constexpr unsigned kLooped = 16;
    constexpr unsigned kSignedSamples = 1;
    constexpr unsigned kNoDefaultPan = 32;
    const auto frames = static_cast<std::uint32_t>(sample.data.size());
    assert(!sample.data.empty());
    assert(!sample.loop || (sample.loopStart >= 0 && sample.loopStart < sample.loopEnd &&
                            static_cast<std::uint32_t>(sample.loopEnd) <= frames));
    out.text("IMPS", 4);
    out.zeros(12);
    out.u8(0);
    out.u8(64);  // sample global volume
    out.u8(kHasData | kSixteenBit | (sample.loop ? kLooped : 0));
    out.u8(static_cast<unsigned>(sample.volume));
    out.terminatedText(sample.name, 26);
    out.u8(kSignedSamples);
    out.u8(kNoDefaultPan);
    out.u32(frames);
    out.u32(sample.loop ? static_cast<std::uint32_t>(sample.loopStart) : 0);
    out.u32(sample.loop ? static_cast<std::uint32_t>(sample.loopEnd) : 0);
    out.u32(static_cast<std::uint32_t>(sample.c5Speed));
    out.u32(0);  // sustain loop
    out.u32(0);
    const std::size_t dataPointer = out.size();
    out.u32(0);
    out.u8(static_cast<unsigned>(sample.vibratoSpeed));
    out.u8(static_cast<unsigned>(sample.vibratoDepth));
    out.u8(static_cast<unsigned>(sample.vibratoRate));
    out.u8(0);  // sine
    return dataPointer;
}

// Per-channel memory of the packing, reset at the start of every pattern as the unpacker resets it.
struct ChannelMemory {
    int mask = -1;
    int note = -2;
    int instrument = -1;
    int volume = -1;
    int command = -1;
    int parameter = -1;
};

void writePattern(ByteWriter& out, const ItPattern& pattern) {
    constexpr unsigned kReadMask = 128;
    constexpr unsigned kNote = 1, kInstrument = 2, kVolume = 4, kCommand = 8;
    constexpr unsigned kLastNote = 16, kLastInstrument = 32, kLastVolume = 64, kLastCommand = 128;
    assert(pattern.rows >= kItMinRows && pattern.rows <= kItMaxRows);
    assert(pattern.channels >= 1 && pattern.channels <= kItMaxChannels);

    const std::size_t start = out.size();
    out.u16(0);  // packed length, patched below
    out.u16(static_cast<unsigned>(pattern.rows));
    out.zeros(4);
    std::array<ChannelMemory, kItMaxChannels> memory{};
    for (int row = 0; row < pattern.rows; ++row) {
        for (int channel = 0; channel < pattern.channels; ++channel) {
            const ItCell& cell = pattern.at(row, channel);
            if (cell.empty()) continue;
            ChannelMemory& last = memory[static_cast<std::size_t>(channel)];
            unsigned mask = 0;
            if (cell.note != kItNoNote) {
                assert((cell.note >= 0 && cell.note <= 119) || cell.note == kItNoteCut ||
                       cell.note == kItNoteOff);
                mask |= cell.note == last.note ? kLastNote : kNote;
            }
            if (cell.instrument != 0)
                mask |= cell.instrument == last.instrument ? kLastInstrument : kInstrument;
            if (cell.volume >= 0) {
                assert(cell.volume <= 64);
                mask |= cell.volume == last.volume ? kLastVolume : kVolume;
            }
            if (cell.command != 0) {
                assert(cell.command >= 1 && cell.command <= 26 && cell.parameter >= 0 &&
                       cell.parameter <= 255);
                const bool repeated = cell.command == last.command && cell.parameter == last.parameter;
                mask |= repeated ? kLastCommand : kCommand;
            }
            if (static_cast<int>(mask) == last.mask) {
                out.u8(static_cast<unsigned>(channel + 1));
            } else {
                out.u8(static_cast<unsigned>(channel + 1) | kReadMask);
                out.u8(mask);
                last.mask = static_cast<int>(mask);
            }
            if (mask & kNote) out.u8(static_cast<unsigned>(last.note = cell.note));
            if (mask & kInstrument) out.u8(static_cast<unsigned>(last.instrument = cell.instrument));
            if (mask & kVolume) out.u8(static_cast<unsigned>(last.volume = cell.volume));
            if (mask & kCommand) {
                out.u8(static_cast<unsigned>(last.command = cell.command));
                out.u8(static_cast<unsigned>(last.parameter = cell.parameter));
            }
        }
        out.u8(0);
    }
    const std::size_t packed = out.size() - start - 8;
    assert(packed + 8 < 65536);
    out.patchU16(start, static_cast<unsigned>(packed));
}

}  // namespace

double itRowSeconds(int speed, int tempo) {
    return speed * 2.5 / tempo;
}

std::vector<std::uint8_t> encodeItModule(const ItModule& module) {
    const std::size_t channels = module.channelPan.size();
    assert(channels >= 1 && channels <= static_cast<std::size_t>(kItMaxChannels));
    assert(module.channelVolume.size() == channels);
    assert(!module.orders.empty() && module.patterns.size() <= static_cast<std::size_t>(kItMaxPatterns));
    assert(module.samples.size() <= 99 && module.instruments.size() <= 99);
    assert(module.initialTempo >= 32 && module.initialTempo <= 255);
    assert(module.initialSpeed >= 1 && module.initialSpeed <= 255);

    ByteWriter out;
    out.text("IMPM", 4);
    out.terminatedText(module.title, 26);
    out.u8(4);   // rows per beat, shown as the minor highlight
    out.u8(16);  // rows per bar, the major highlight
    out.u16(static_cast<unsigned>(module.orders.size() + 1));
    out.u16(static_cast<unsigned>(module.instruments.size()));
    out.u16(static_cast<unsigned>(module.samples.size()));
    out.u16(static_cast<unsigned>(module.patterns.size()));
    out.u16(kTrackerVersion);
    out.u16(kTrackerVersion);
    out.u16(kFlagStereo | kFlagInstruments | kFlagLinearSlides);
    out.u16(0);  // no message
    out.u8(static_cast<unsigned>(module.globalVolume));
    out.u8(static_cast<unsigned>(module.mixVolume));
    out.u8(static_cast<unsigned>(module.initialSpeed));
    out.u8(static_cast<unsigned>(module.initialTempo));
    out.u8(128);  // full stereo separation
    out.u8(0);    // pitch wheel depth
    out.u16(0);   // message length
    out.u32(0);   // message offset
    out.u32(0);
    for (std::size_t channel = 0; channel < static_cast<std::size_t>(kItMaxChannels); ++channel) {
        out.u8(channel < channels ? static_cast<unsigned>(module.channelPan[channel])
                                  : 32 | kChannelDisabled);
    }
    for (std::size_t channel = 0; channel < static_cast<std::size_t>(kItMaxChannels); ++channel) {
        out.u8(channel < channels ? static_cast<unsigned>(module.channelVolume[channel]) : 64);
    }
    assert(out.size() == kHeaderBytes);
    for (const int order : module.orders) {
        assert(order >= 0 && static_cast<std::size_t>(order) < module.patterns.size());
        out.u8(static_cast<unsigned>(order));
    }
    out.u8(kOrderEnd);

    const std::size_t instrumentTable = out.size();
    out.zeros(4 * module.instruments.size());
    const std::size_t sampleTable = out.size();
    out.zeros(4 * module.samples.size());
    const std::size_t patternTable = out.size();
    out.zeros(4 * module.patterns.size());

    for (std::size_t i = 0; i < module.instruments.size(); ++i) {
        out.patchU32(instrumentTable + 4 * i, static_cast<std::uint32_t>(out.size()));
        writeInstrument(out, module.instruments[i], module.samples.size());
    }
    std::vector<std::size_t> dataPointers;
    for (std::size_t i = 0; i < module.samples.size(); ++i) {
        out.patchU32(sampleTable + 4 * i, static_cast<std::uint32_t>(out.size()));
        [[maybe_unused]] const std::size_t start = out.size();
        dataPointers.push_back(writeSampleHeader(out, module.samples[i]));
        assert(out.size() - start == kSampleHeaderBytes);
    }
    for (std::size_t i = 0; i < module.patterns.size(); ++i) {
        assert(module.patterns[i].channels <= static_cast<int>(channels));
        out.patchU32(patternTable + 4 * i, static_cast<std::uint32_t>(out.size()));
        writePattern(out, module.patterns[i]);
    }
    for (std::size_t i = 0; i < module.samples.size(); ++i) {
        out.patchU32(dataPointers[i], static_cast<std::uint32_t>(out.size()));
        for (const std::int16_t value : module.samples[i].data) out.u16(static_cast<std::uint16_t>(value));
    }
    return out.bytes();
}
