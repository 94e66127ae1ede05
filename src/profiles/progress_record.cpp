#include "profiles/progress_record.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::array<std::uint32_t, 256> makeChecksumTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        std::uint32_t value = byte;
        for (int bit = 0; bit < 8; ++bit) value = (value & 1) != 0 ? 0xEDB88320u ^ (value >> 1) : value >> 1;
        table[byte] = value;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kChecksumTable = makeChecksumTable();

// Little-endian integers of `width` bytes.
void putNumber(ProgressBytes& bytes, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint64_t numberAt(const std::uint8_t* bytes, int width) {
    std::uint64_t value = 0;
    for (int i = 0; i < width; ++i) value |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    return value;
}

void putField(ProgressBytes& payload, std::uint16_t tag, const void* value, std::size_t size) {
    putNumber(payload, tag, 2);
    putNumber(payload, size, 4);
    const auto* first = static_cast<const std::uint8_t*>(value);
    payload.insert(payload.end(), first, first + size);
}

void putNumberField(ProgressBytes& payload, std::uint16_t tag, std::uint64_t value, int width) {
    putNumber(payload, tag, 2);
    putNumber(payload, static_cast<std::uint64_t>(width), 4);
    putNumber(payload, value, width);
}

void putSolutionField(ProgressBytes& payload, std::uint16_t tag, const BestSolution& best) {
    if (best.moves <= 0) return;
    putNumber(payload, tag, 2);
    putNumber(payload, 8 + best.solution.size(), 4);
    putNumber(payload, static_cast<std::uint32_t>(best.moves), 4);
    putNumber(payload, static_cast<std::uint32_t>(best.pushes), 4);
    payload.insert(payload.end(), best.solution.begin(), best.solution.end());
}

bool decodeSolution(const std::uint8_t* value, std::uint64_t size, BestSolution& best) {
    if (size < 8) return false;
    best.moves = static_cast<std::int32_t>(numberAt(value, 4));
    best.pushes = static_cast<std::int32_t>(numberAt(value + 4, 4));
    best.solution.assign(reinterpret_cast<const char*>(value + 8), static_cast<std::size_t>(size - 8));
    return best.moves > 0 && best.pushes >= 0;
}

// The fields of one payload into the record; false when a field runs past the payload, a known tag has
// the wrong size, or a field the key needs is missing.
bool decodeFields(const std::uint8_t* payload, std::size_t size, ProgressRecord& record) {
    bool hasNumber = false;
    bool hasName = false;
    bool hasBoard = false;
    std::size_t at = 0;
    while (at < size) {
        if (size - at < kProgressFieldHeaderSize) return false;
        const auto tag = static_cast<std::uint16_t>(numberAt(payload + at, 2));
        const std::uint64_t valueSize = numberAt(payload + at + 2, 4);
        at += kProgressFieldHeaderSize;
        if (valueSize > size - at) return false;
        const std::uint8_t* value = payload + at;
        at += static_cast<std::size_t>(valueSize);
        switch (tag) {
            case kProgressTagOwnerNumber:
                if (valueSize != 4) return false;
                record.owner.recordNumber = static_cast<std::int32_t>(numberAt(value, 4));
                hasNumber = true;
                break;
            case kProgressTagOwnerName:
                record.owner.name.assign(reinterpret_cast<const char*>(value), valueSize);
                hasName = true;
                break;
            case kProgressTagBoardHash:
                if (valueSize != 8) return false;
                record.boardHash = numberAt(value, 8);
                hasBoard = true;
                break;
            case kProgressTagSolved:
                if (valueSize != 1) return false;
                record.level.solved = value[0] != 0;
                break;
            case kProgressTagFewestMoves:
                if (!decodeSolution(value, valueSize, record.level.fewestMoves)) return false;
                break;
            case kProgressTagFewestPushes:
                if (!decodeSolution(value, valueSize, record.level.fewestPushes)) return false;
                break;
            default:
                break;
        }
    }
    return hasNumber && hasName && hasBoard;
}

}  // namespace

std::uint32_t progressChecksum(const std::uint8_t* bytes, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) crc = kChecksumTable[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

ProgressBytes encodeProgressRecord(const ProgressRecord& record) {
    ProgressBytes payload;
    putNumberField(payload, kProgressTagOwnerNumber, static_cast<std::uint32_t>(record.owner.recordNumber),
                   4);
    putField(payload, kProgressTagOwnerName, record.owner.name.data(), record.owner.name.size());
    putNumberField(payload, kProgressTagBoardHash, record.boardHash, 8);
    putNumberField(payload, kProgressTagSolved, record.level.solved ? 1 : 0, 1);
    putSolutionField(payload, kProgressTagFewestMoves, record.level.fewestMoves);
    putSolutionField(payload, kProgressTagFewestPushes, record.level.fewestPushes);
    if (payload.size() > kMaxProgressPayload) return {};

    ProgressBytes bytes(std::begin(kProgressMagic), std::end(kProgressMagic));
    putNumber(bytes, payload.size(), 4);
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    putNumber(bytes, progressChecksum(bytes.data(), bytes.size()), 4);
    return bytes;
}

std::size_t progressRecordSize(const std::uint8_t* header) {
    if (std::memcmp(header, kProgressMagic, sizeof kProgressMagic) != 0) return 0;
    const std::uint64_t payloadSize = numberAt(header + sizeof kProgressMagic, 4);
    if (payloadSize > kMaxProgressPayload) return 0;
    return kProgressHeaderSize + static_cast<std::size_t>(payloadSize) + kProgressChecksumSize;
}

RecordRead decodeProgressRecord(const std::uint8_t* bytes, std::size_t size, ProgressRecord& record) {
    if (size < kProgressHeaderSize + kProgressChecksumSize || progressRecordSize(bytes) != size)
        return RecordRead::Damaged;
    const std::size_t checked = size - kProgressChecksumSize;
    if (numberAt(bytes + checked, 4) != progressChecksum(bytes, checked)) return RecordRead::Damaged;
    ProgressRecord decoded;
    if (!decodeFields(bytes + kProgressHeaderSize, checked - kProgressHeaderSize, decoded))
        return RecordRead::Passed;
    record = decoded;
    return RecordRead::Used;
}

namespace {

// What lies at one offset of the file.
enum class RecordAt { Whole, Damaged, ReadFailed };

RecordAt readRecordAt(std::uint64_t fileSize, std::uint64_t offset, const ReadProgressBytes& read,
                      ProgressBytes& bytes, std::size_t& size, RecordRead& outcome, ProgressRecord& record) {
    std::uint8_t header[kProgressHeaderSize];
    if (!read(offset, sizeof header, header)) return RecordAt::ReadFailed;
    size = progressRecordSize(header);
    if (size == 0 || size > fileSize - offset) return RecordAt::Damaged;
    bytes.resize(size);
    if (!read(offset, size, bytes.data())) return RecordAt::ReadFailed;
    record = ProgressRecord{};
    outcome = decodeProgressRecord(bytes.data(), size, record);
    return outcome == RecordRead::Damaged ? RecordAt::Damaged : RecordAt::Whole;
}

// The next offset after `from` where the magic stands, looked for a chunk at a time; fileSize when none.
std::uint64_t nextMagic(std::uint64_t fileSize, std::uint64_t from, const ReadProgressBytes& read) {
    constexpr std::size_t kChunk = 64 * 1024;
    std::uint8_t chunk[kChunk];
    for (std::uint64_t start = from; start + sizeof kProgressMagic <= fileSize;
         start += kChunk - (sizeof kProgressMagic - 1)) {
        const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, fileSize - start));
        if (!read(start, count, chunk)) return fileSize;
        for (std::size_t i = 0; i + sizeof kProgressMagic <= count; ++i) {
            if (std::memcmp(chunk + i, kProgressMagic, sizeof kProgressMagic) == 0) return start + i;
        }
        if (count < kChunk) break;
    }
    return fileSize;
}

}  // namespace

ProgressScan scanProgressRecords(std::uint64_t fileSize, const ReadProgressBytes& read,
                                 const std::function<void(const ProgressRecord&)>& use) {
    ProgressScan scan;
    ProgressBytes bytes;
    std::uint64_t offset = 0;
    while (fileSize - offset >= kProgressHeaderSize) {
        std::size_t size = 0;
        RecordRead outcome = RecordRead::Damaged;
        ProgressRecord record;
        const RecordAt at = readRecordAt(fileSize, offset, read, bytes, size, outcome, record);
        if (at == RecordAt::ReadFailed) {
            scan.readFailed = true;
            break;
        }
        if (at == RecordAt::Damaged) {
            // Damage before the end (a failing disk, an edited file) must not cost the records after it:
            // the reading goes on at the next whole record, found by its magic and checked by its checksum.
            offset = nextMagic(fileSize, offset + 1, read);
            continue;
        }
        if (outcome == RecordRead::Used) use(record);
        offset += size;
        scan.validSize = offset;
    }
    return scan;
}

ProgressScan scanProgressBytes(const std::uint8_t* bytes, std::size_t size,
                               const std::function<void(const ProgressRecord&)>& use) {
    const auto read = [bytes](std::uint64_t offset, std::size_t count, std::uint8_t* into) {
        std::memcpy(into, bytes + offset, count);
        return true;
    };
    return scanProgressRecords(size, read, use);
}
