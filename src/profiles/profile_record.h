#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// One player profile as stored in the profile file: 72 bytes, little-endian, no header around it.
//   0  33  name      each byte stored as (byte + 64) mod 256, zero-filled
//  33  33  password  the verification text scrambled with the password, zero-terminated
//  66   2  reserved  zero
//  68   4  level     signed level number reached; 1 for a new profile
// The password itself is never stored: a password is right when unscrambling the field with it gives the
// verification text back.

constexpr int kProfileRecordSize = 72;
constexpr int kProfileFieldSize = 33;  // text fields: at most 32 characters and a terminating zero
constexpr int kProfileTextLength = 32;
constexpr std::string_view kVerificationText = "lanternslanternslanternslanterns";
constexpr int kNameShift = 64;  // added to every name byte before it is written

struct ProfileRecord {
    char name[kProfileFieldSize] = {};
    char password[kProfileFieldSize] = {};
    std::uint8_t reserved[2] = {};
    std::int32_t level = 0;
};

static_assert(sizeof(ProfileRecord) == kProfileRecordSize, "the in-memory record mirrors the file record");
static_assert(offsetof(ProfileRecord, password) == 33 && offsetof(ProfileRecord, reserved) == 66 &&
                  offsetof(ProfileRecord, level) == 68,
              "field offsets of the stored record");
static_assert(kVerificationText.size() == kProfileTextLength, "the verification text fills the field");

using ProfileBytes = std::uint8_t[kProfileRecordSize];

void encodeProfileRecord(const ProfileRecord& record, ProfileBytes& bytes);
ProfileRecord decodeProfileRecord(const ProfileBytes& bytes);

// A field read as text: the bytes up to the first zero, at most 32.
std::string fieldText(const char (&field)[kProfileFieldSize]);
// Writes at most 32 bytes of text into a field and zero-fills the rest.
void setFieldText(char (&field)[kProfileFieldSize], std::string_view text);

// text[i] ^= (key[i mod key length] + 128) mod 256 over the text's length. Its own inverse. An empty key
// leaves the text unchanged (the dialogue never passes one).
void scramblePassword(std::string& text, std::string_view key);
// Every byte becomes (byte + delta) mod 256.
void shiftName(std::string& text, int delta);

std::string trimTrailingSpaces(std::string_view text);
