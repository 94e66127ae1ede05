#include "layout/menu_text.h"

namespace {

constexpr std::string_view kEllipsis = "...";

// The length of the UTF-8 sequence a lead byte starts; 1 for a stray continuation or an invalid byte, so
// that broken text still moves forward one byte at a time.
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2) return 2;
    return 1;
}

}  // namespace

std::string fontSafeText(std::string_view text, std::size_t maxChars) {
    std::string shown;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = byte < 0x80 ? 1 : sequenceLength(byte);
        shown.push_back(byte >= 32 && byte < 127 ? static_cast<char>(byte) : '?');
        i += length;
    }
    if (characters <= maxChars) return shown;
    if (maxChars <= kEllipsis.size()) return std::string(kEllipsis.substr(0, maxChars));
    return shown.substr(0, maxChars - kEllipsis.size()) + std::string(kEllipsis);
}
