#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

// What each profile has done on each level, in a file of its own beside the profile file
// ("progress.data"), so that the profile file and its 72-byte records stay exactly as they are. A level is
// named by the hash of its board (core/level_collection.h: boardHash), not by its collection or number, so
// a collection reordered, renamed or moved keeps its marks.
//
// The file is a run of records that are only ever appended: each has a length and a checksum, and carries
// its fields tagged, so that a later version can add fields that this one skips. The newest valid record
// for a (profile, level) key wins. A damaged or truncated record ends the reading there: what came before
// it stands, nothing after it is trusted, and the next append goes after the last valid record. The same
// care as the profile file besides: an advisory lock (shared to read, exclusive to append, with a bounded
// wait), fsync of the file (and of its folder when the file was created), and no following of links.

// The owner of records: the profile's record number in the profile file and its name.
struct ProgressOwner {
    int recordNumber = 0;
    std::string name;
};

// One profile's result on one level.
struct LevelProgress {
    bool solved = false;
};

// Everything one profile has done, by board hash.
using ProfileProgress = std::unordered_map<std::uint64_t, LevelProgress>;

enum class ProgressResult {
    Ok,
    FileError,  // the file cannot be opened, locked, read or written (a missing file reads as empty)
};

// base + "/ZUR/Tarmelo3D/progress.data", beside the profile file.
std::string progressFilePath(const std::string& base);

// Every level of this owner, newest record per level. A missing file is Ok and empty.
ProgressResult loadProgress(const std::string& base, const ProgressOwner& owner, ProfileProgress& progress);

// Appends one record (the file is created when missing); reaches the disk before it returns.
ProgressResult saveProgress(const std::string& base, const ProgressOwner& owner, std::uint64_t boardHash,
                            const LevelProgress& level);
