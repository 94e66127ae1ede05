#include "profiles/profile_record.h"

#include <cstring>

void encodeProfileRecord(const ProfileRecord& record, ProfileBytes& bytes) {
    std::memcpy(bytes, record.name, kProfileFieldSize);
    std::memcpy(bytes + 33, record.password, kProfileFieldSize);
    bytes[66] = record.reserved[0];
    bytes[67] = record.reserved[1];
    const auto level = static_cast<std::uint32_t>(record.level);
    for (int i = 0; i < 4; ++i) bytes[68 + i] = static_cast<std::uint8_t>(level >> (8 * i));
}

ProfileRecord decodeProfileRecord(const ProfileBytes& bytes) {
    ProfileRecord record;
    std::memcpy(record.name, bytes, kProfileFieldSize);
    std::memcpy(record.password, bytes + 33, kProfileFieldSize);
    record.reserved[0] = bytes[66];
    record.reserved[1] = bytes[67];
    std::uint32_t level = 0;
    for (int i = 0; i < 4; ++i) level |= static_cast<std::uint32_t>(bytes[68 + i]) << (8 * i);
    record.level = static_cast<std::int32_t>(level);
    return record;
}

std::string fieldText(const char (&field)[kProfileFieldSize]) {
    std::size_t length = 0;
    while (length < kProfileTextLength && field[length] != '\0') ++length;
    return std::string(field, length);
}

void setFieldText(char (&field)[kProfileFieldSize], std::string_view text) {
    const std::size_t length = text.size() < kProfileTextLength ? text.size() : kProfileTextLength;
    std::memset(field, 0, kProfileFieldSize);
    std::memcpy(field, text.data(), length);
}

void scramblePassword(std::string& text, std::string_view key) {
    if (key.empty()) return;
    const std::size_t length = text.size();
    for (std::size_t i = 0; i < length; ++i) {
        const auto keyByte = static_cast<std::uint8_t>(key[i % key.size()]);
        const auto mask = static_cast<std::uint8_t>(keyByte + 128);
        text[i] = static_cast<char>(static_cast<std::uint8_t>(text[i]) ^ mask);
    }
}

void shiftName(std::string& text, int delta) {
    for (char& c : text)
        c = static_cast<char>(static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) + delta));
}

std::string trimTrailingSpaces(std::string_view text) {
    std::size_t length = text.size();
    while (length > 0 && text[length - 1] == ' ') --length;
    return std::string(text.substr(0, length));
}
