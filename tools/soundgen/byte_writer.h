#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Little-endian byte assembly for the RIFF and tracker-module writers, with patching of fields (sizes,
// offsets) whose values are known only after later parts are laid out.
class ByteWriter {
public:
    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    void u8(unsigned value) { bytes_.push_back(static_cast<std::uint8_t>(value & 0xFFu)); }
    void u16(unsigned value) {
        u8(value);
        u8(value >> 8);
    }
    void u32(std::uint32_t value) {
        u16(value & 0xFFFFu);
        u16(value >> 16);
    }
    // Text in a fixed-width field: cut to the width, padded with zero bytes.
    void text(const std::string& value, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i)
            u8(i < value.size() ? static_cast<unsigned char>(value[i]) : 0);
    }
    // Text in a fixed-width field that keeps a terminating zero byte: at most width - 1 characters.
    void terminatedText(const std::string& value, std::size_t width) {
        text(value.substr(0, width - 1), width);
    }
    void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }

    void patchU16(std::size_t offset, unsigned value) {
        bytes_.at(offset) = static_cast<std::uint8_t>(value & 0xFFu);
        bytes_.at(offset + 1) = static_cast<std::uint8_t>((value >> 8) & 0xFFu);
    }
    void patchU32(std::size_t offset, std::uint32_t value) {
        patchU16(offset, value & 0xFFFFu);
        patchU16(offset + 2, value >> 16);
    }

private:
    std::vector<std::uint8_t> bytes_;
};

// Writes bytes to path, creating its folder; false when the file cannot be written whole.
bool writeBytesToFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
