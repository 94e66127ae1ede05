#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

// What each profile has done on each level, in a file of its own beside the profile file
// ("progress.data"), so that the profile file and its 72-byte records stay exactly as they are. A level is
// named by the hash of its board (core/level_collection.h: boardHash), not by its collection or number, so
// a collection reordered, renamed or moved keeps its marks.
//
// The file is a run of records that are only ever appended (profiles/progress_record.h has their layout):
// each has a length and a checksum, and carries its fields tagged, so that a later version can add fields
// that this one skips. The newest valid record for a (profile, level) key wins. A damaged or truncated
// record is passed over, and the reading goes on at the next whole record. The same care as
// the profile file besides (profiles/shared_file.h): an advisory lock (shared to read, exclusive to append,
// with the profile file's bounded wait), fsync of the file (and of its folder when the file was created),
// and no following of links.
//
// The game itself only ever leaves damage at the file's tail. An append takes the exclusive lock, scans the
// file, cuts off whatever follows the last whole record and writes right there, so a write cut short (a
// crash, a full disk) is the last thing in the file until the next append removes it, and never hides a
// record written after it. Damage before the end needs something outside the game to change bytes already
// written (a failing disk, an edited file): the records after it still count, and the damage stays where it
// is, passed over at every reading.

// The owner of records: the profile's record number in the profile file and its name. Names are compared
// without trailing spaces, as the profile file compares them; another profile that reuses the name or the
// number (a profile file made anew) does not inherit the marks.
struct ProgressOwner {
    int recordNumber = 0;
    std::string name;
};

// A kept solution: its moves and pushes, and the moves themselves as the genre writes them ("l", "r",
// "u", "d", upper case for pushes). moves 0: none kept.
struct BestSolution {
    std::int32_t moves = 0;
    std::int32_t pushes = 0;
    std::string solution;
};

// One profile's result on one level: solved, and the best solutions by the two counts players compete on
// (the fewest moves, ties to the fewest pushes; the fewest pushes, ties to the fewest moves). Often one
// solution is both.
struct LevelProgress {
    bool solved = false;
    BestSolution fewestMoves;
    BestSolution fewestPushes;
};

inline bool operator==(const BestSolution& a, const BestSolution& b) {
    return a.moves == b.moves && a.pushes == b.pushes && a.solution == b.solution;
}
inline bool operator==(const LevelProgress& a, const LevelProgress& b) {
    return a.solved == b.solved && a.fewestMoves == b.fewestMoves && a.fewestPushes == b.fewestPushes;
}

// The longest solution kept: both solutions fit one record with room to spare. A longer one still marks
// the level solved.
constexpr std::size_t kMaxKeptSolution = 30000;

// Takes a new solution of the level into the best ones where it beats them (or where none is kept yet);
// true when either changed. The caller has checked that the solution solves the level.
bool keepBetterSolution(LevelProgress& level, const BestSolution& solution);

// Everything one profile has done, by board hash.
using ProfileProgress = std::unordered_map<std::uint64_t, LevelProgress>;

enum class ProgressResult {
    Ok,
    FileError,  // the file cannot be opened, locked, read or written (a missing file reads as empty)
};

// base + "/ZUR/Tarmelo3D/progress.data", beside the profile file.
std::string progressFilePath(const std::string& base);

// Every level of this owner, newest record per level, in place of what progress held. A missing file (or
// folder) is Ok and empty; on FileError progress is left as it was.
ProgressResult loadProgress(const std::string& base, const ProgressOwner& owner, ProfileProgress& progress);

// Appends one record (the file is created when missing, the folder is not), after cutting off a damaged
// tail; reaches the disk before it returns. FileError when the record may not be on the disk, which the
// game tells the player as it tells a level reached that was not saved.
ProgressResult saveProgress(const std::string& base, const ProgressOwner& owner, std::uint64_t boardHash,
                            const LevelProgress& level);
