#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "profiles/level_progress.h"

// One record of the progress file, little-endian, records back to back with nothing around them:
//    0  4  magic     "TPRG"
//    4  4  length    N, the payload's size in bytes, at most 65536
//    8  N  payload   tagged fields, one after another:
//                       0  2  tag
//                       2  4  size S of the value
//                       6  S  value
//  8+N  4  checksum  CRC-32 (the polynomial of zip and PNG) of bytes 0 to 8+N: magic, length and payload
//
// The fields this version writes, in this order, each once:
//   tag 1  owner number  4 bytes, signed: the profile's record number in the profile file
//   tag 2  owner name    the profile's plain name without trailing spaces, not zero-terminated (0-32 bytes)
//   tag 3  board hash    8 bytes: the level
//   tag 4  solved        1 byte, nonzero when solved
//   tag 5  fewest moves  4 bytes moves, 4 bytes pushes, then the solution's letters (when one is kept)
//   tag 6  fewest pushes the same layout (when one is kept)
// Each record holds everything known of its (owner, level) key at the time: the newest replaces the
// older ones whole.
//
// Reading a record:
// - Whole: the magic matches, the length is within the maximum and the file, the checksum matches. Any
//   other record is damage: the reading goes on at the next whole record after it (found by its magic),
//   and damage after the last whole record is the file's tail, which the next save cuts off.
// - Used: a whole record whose fields all lie inside the payload and that carries tags 1, 2 and 3, with
//   tags 1, 3 and 4 of the sizes above. A whole record that is not used is passed over and the reading
//   goes on after it.
// - Unknown tags are passed over: a later version adds its fields (fewest moves and pushes, the solution's
//   moves) under new tags, and this one reads the fields it knows from its records. The framing (magic,
//   length, maximum, checksum) and the meaning of a tag never change: a version that met a record it
//   could not frame would take it for damage and cut it off at its next save.

constexpr std::uint8_t kProgressMagic[4] = {'T', 'P', 'R', 'G'};
constexpr std::size_t kProgressHeaderSize = 8;    // magic and length
constexpr std::size_t kProgressChecksumSize = 4;  // after the payload
constexpr std::size_t kProgressFieldHeaderSize = 6;
// Room for later fields: two solutions of some ten thousand moves each and their counts need a third.
constexpr std::size_t kMaxProgressPayload = 64 * 1024;
constexpr std::size_t kMaxProgressRecord = kProgressHeaderSize + kMaxProgressPayload + kProgressChecksumSize;

constexpr std::uint16_t kProgressTagOwnerNumber = 1;
constexpr std::uint16_t kProgressTagOwnerName = 2;
constexpr std::uint16_t kProgressTagBoardHash = 3;
constexpr std::uint16_t kProgressTagSolved = 4;
constexpr std::uint16_t kProgressTagFewestMoves = 5;
constexpr std::uint16_t kProgressTagFewestPushes = 6;

struct ProgressRecord {
    ProgressOwner owner;
    std::uint64_t boardHash = 0;
    LevelProgress level;
};

using ProgressBytes = std::vector<std::uint8_t>;

// CRC-32 as zip and PNG compute it (reflected polynomial 0xEDB88320, all bits set before and inverted
// after): "123456789" gives 0xCBF43926.
std::uint32_t progressChecksum(const std::uint8_t* bytes, std::size_t size);

// The record, framed and checksummed; empty when its payload would pass the maximum (a name far longer
// than a profile's), as no reader would take it.
ProgressBytes encodeProgressRecord(const ProgressRecord& record);

// The whole record's size in bytes as its first kProgressHeaderSize bytes announce it; 0 when they are
// damage (wrong magic, or a length over the maximum).
std::size_t progressRecordSize(const std::uint8_t* header);

enum class RecordRead {
    Damaged,  // not a whole record: the reading stops
    Passed,   // whole but not for this version: the reading goes on after it
    Used,     // whole, and its fields are in `record`
};

// Reads the record that fills bytes[0, size), size as progressRecordSize gave it.
RecordRead decodeProgressRecord(const std::uint8_t* bytes, std::size_t size, ProgressRecord& record);

// ---- the scan of a whole file ----

// Fills `into` with `size` bytes of the file from `offset`; false when they cannot be read.
using ReadProgressBytes = std::function<bool(std::uint64_t offset, std::size_t size, std::uint8_t* into)>;

struct ProgressScan {
    std::uint64_t validSize = 0;  // the end of the last whole record: where the next record goes
    bool readFailed = false;      // a read failed: the file says nothing certain
};

// Reads the file's records in order, one at a time (never more than one record in memory), and hands each
// used record to `use`, passing over damage to the next whole record, up to the file's end.
ProgressScan scanProgressRecords(std::uint64_t fileSize, const ReadProgressBytes& read,
                                 const std::function<void(const ProgressRecord&)>& use);

// The same over bytes already in memory.
ProgressScan scanProgressBytes(const std::uint8_t* bytes, std::size_t size,
                               const std::function<void(const ProgressRecord&)>& use);
