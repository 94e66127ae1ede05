// The progress record at the byte level: the layout every old file is in, which records the reading uses,
// which it passes over, and where damage ends it. (The file around the records is level_progress_test's.)

#include "profiles/progress_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string text(const ProgressBytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::string littleEndian(std::uint64_t value, int width) {
    std::string bytes;
    for (int i = 0; i < width; ++i) bytes += static_cast<char>(value >> (8 * i));
    return bytes;
}

// Records made by hand, to say what other versions may write.
std::string field(std::uint16_t tag, const std::string& value) {
    return littleEndian(tag, 2) + littleEndian(value.size(), 4) + value;
}

std::string framed(const std::string& payload) {
    std::string bytes = "TPRG" + littleEndian(payload.size(), 4) + payload;
    const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return bytes + littleEndian(progressChecksum(first, bytes.size()), 4);
}

std::string keyFields(int number, const std::string& name, std::uint64_t boardHash) {
    return field(kProgressTagOwnerNumber, littleEndian(static_cast<std::uint32_t>(number), 4)) +
           field(kProgressTagOwnerName, name) + field(kProgressTagBoardHash, littleEndian(boardHash, 8));
}

std::string encoded(int number, const std::string& name, std::uint64_t boardHash, bool solved) {
    return text(encodeProgressRecord(ProgressRecord{{number, name}, boardHash, {solved, {}, {}}}));
}

// The used records as "number name hash solved" lines, and where the scan stopped.
struct Scanned {
    std::vector<std::string> records;
    std::uint64_t validSize = 0;
};

Scanned scan(const std::string& file) {
    Scanned scanned;
    const auto use = [&](const ProgressRecord& record) {
        scanned.records.push_back(std::to_string(record.owner.recordNumber) + " " + record.owner.name + " " +
                                  std::to_string(record.boardHash) + " " +
                                  std::to_string(record.level.solved));
    };
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
    scanned.validSize = scanProgressBytes(bytes, file.size(), use).validSize;
    return scanned;
}

using Lines = std::vector<std::string>;

// Every file already written, and every copy of the game already installed, depends on these bytes.
TEST(ProgressRecord, TheLayoutNeverChanges) {
    const std::string check = "123456789";
    EXPECT_EQ(progressChecksum(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()),
              0xCBF43926u);
    const std::string golden(
        "TPRG\x28\0\0\0"
        "\x01\0\x04\0\0\0\x03\0\0\0"
        "\x02\0\x03\0\0\0Ann"
        "\x03\0\x08\0\0\0\xef\xcd\xab\x89\x67\x45\x23\x01"
        "\x04\0\x01\0\0\0\x01"
        "\xec\xb2\xdf\xab",
        52);
    EXPECT_EQ(encoded(3, "Ann", 0x0123456789ABCDEFu, true), golden);
    EXPECT_EQ(scan(golden).records, Lines{"3 Ann 81985529216486895 1"});
}

// Numbers at their extremes and names of any bytes (a zero, a space, bytes over 127) read back as written.
TEST(ProgressRecord, EveryValueReadsBackAsWritten) {
    const std::string oddName("\xff\x80 a\0b", 6);
    const std::string file = encoded(-5, oddName, ~0ull, false) + encoded(2147483647, "", 0, true);
    EXPECT_EQ(scan(file).records, (Lines{"-5 " + oddName + " 18446744073709551615 0", "2147483647  0 1"}));
    // A name no reader would take back is never written.
    EXPECT_TRUE(
        encodeProgressRecord(ProgressRecord{{1, std::string(kMaxProgressPayload, 'n')}, 1, {}}).empty());
}

// A later version's fields are passed over, its records of another kind skipped, and the reading goes on:
// an old copy of the game must keep reading (and never cut off) a newer one's records.
TEST(ProgressRecord, WhatThisVersionDoesNotKnowIsPassedOver) {
    const std::string later = framed(field(900, "moves") + field(kProgressTagSolved, "\x01") +
                                     keyFields(4, "Bob", 9) + field(0xFFFF, std::string(1000, 'u')));
    const std::string otherKinds[] = {
        // without a board
        framed(field(kProgressTagOwnerNumber, littleEndian(4, 4)) + field(kProgressTagOwnerName, "Bob")),
        framed(keyFields(4, "Bob", 9) + field(kProgressTagSolved, "")),   // a known tag of another size
        framed(keyFields(4, "Bob", 9) + std::string("\x05\0\x01\0", 4)),  // a field header cut short
        framed(keyFields(4, "Bob", 9) + field(7, "abc").substr(0, 8)),    // a value past the payload
    };
    std::string file = later;
    for (const std::string& record : otherKinds) file += record;
    file += encoded(5, "Cid", 10, false);
    const Scanned scanned = scan(file);
    EXPECT_EQ(scanned.records, (Lines{"4 Bob 9 1", "5 Cid 10 0"}));
    EXPECT_EQ(scanned.validSize, file.size());

    // The longest payload is whole; one byte more is damage, however good its checksum.
    const std::string key = keyFields(4, "Bob", 9);
    const std::string longest =
        framed(key + field(900, std::string(kMaxProgressPayload - key.size() - 6, 'u')));
    EXPECT_EQ(scan(longest).records, Lines{"4 Bob 9 0"});
    EXPECT_EQ(
        scan(framed(key + field(900, std::string(kMaxProgressPayload - key.size() - 5, 'u')))).validSize, 0u);
}

// A changed byte anywhere in a record, or junk where a record should start: the records before it stand and
// nothing from it on is read. (Records cut short at every length are level_progress_test's.)
// Damage a disk or an editor left before the end costs only the damaged record: the ones after it count,
// and the next save goes after the last of them.
TEST(ProgressRecord, DamageIsPassedOverToTheNextWholeRecord) {
    const std::string first = encoded(1, "Ann", 7, true);
    const std::string second = encoded(1, "Ann", 8, true);
    const std::string third = encoded(2, "Bob", 9, true);
    for (std::size_t at = 0; at < second.size(); ++at) {
        for (const char flip : {'\x01', '\x80', '\xff'}) {
            std::string damaged = second;
            damaged[at] ^= flip;
            const Scanned scanned = scan(first + damaged + third);
            EXPECT_EQ(scanned.records, (Lines{"1 Ann 7 1", "2 Bob 9 1"}))
                << "byte " << at << " ^ " << int(flip & 0xff);
            EXPECT_EQ(scanned.validSize, first.size() + second.size() + third.size()) << "byte " << at;
        }
    }
    const Scanned zeros = scan(first + std::string(70000, '\0') + third);  // more than one chunk of search
    EXPECT_EQ(zeros.records, (Lines{"1 Ann 7 1", "2 Bob 9 1"}));
    // Damage after the last whole record is the tail: the next save goes where it begins.
    EXPECT_EQ(scan(first + second.substr(0, 20)).validSize, first.size());
}

}  // namespace
