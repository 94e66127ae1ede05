#include "profiles/level_progress.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "profiles/profile_record.h"
#include "profiles/profile_store.h"
#include "profiles/progress_record.h"
#include "profiles/shared_file.h"

namespace {

// The owner as records name it: the name without trailing spaces, as the profile file compares names.
ProgressOwner storedOwner(const ProgressOwner& owner) {
    return ProgressOwner{owner.recordNumber, trimTrailingSpaces(owner.name)};
}

// Scans the open file; its length is taken under the lock, as another copy may have appended while this
// one waited. False when the file cannot be measured or read.
bool scanProgressFile(const SharedFile& file, const std::function<void(const ProgressRecord&)>& use,
                      ProgressScan& scan, std::uint64_t& fileSize) {
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) return false;
    fileSize = static_cast<std::uint64_t>(info.st_size);
    const auto read = [&file](std::uint64_t offset, std::size_t size, std::uint8_t* into) {
        return readBytesAt(file, static_cast<off_t>(offset), into, size);
    };
    scan = scanProgressRecords(fileSize, read, use);
    return !scan.readFailed;
}

}  // namespace

std::string progressFilePath(const std::string& base) {
    return base + "/ZUR/Tarmelo3D/progress.data";
}

ProgressResult loadProgress(const std::string& base, const ProgressOwner& owner, ProfileProgress& progress) {
    SharedFile file;
    const OpenOutcome outcome =
        openSharedFile(progressFilePath(base), FileAccess::Read, LOCK_SH, kProfileLockWaitSeconds, file);
    if (outcome == OpenOutcome::NoFile) {
        progress.clear();
        return ProgressResult::Ok;
    }
    if (outcome == OpenOutcome::Unusable) return ProgressResult::FileError;

    const ProgressOwner wanted = storedOwner(owner);
    ProfileProgress found;
    const auto use = [&](const ProgressRecord& record) {
        if (record.owner.recordNumber == wanted.recordNumber && record.owner.name == wanted.name)
            found[record.boardHash] = record.level;
    };
    ProgressScan scan;
    std::uint64_t fileSize = 0;
    const bool read = scanProgressFile(file, use, scan, fileSize);
    closeSharedFile(file);
    if (!read) return ProgressResult::FileError;
    progress = std::move(found);
    return ProgressResult::Ok;
}

ProgressResult saveProgress(const std::string& base, const ProgressOwner& owner, std::uint64_t boardHash,
                            const LevelProgress& level) {
    const ProgressBytes bytes = encodeProgressRecord(ProgressRecord{storedOwner(owner), boardHash, level});
    if (bytes.empty()) return ProgressResult::FileError;
    SharedFile file;
    if (openSharedFile(progressFilePath(base), FileAccess::ReadWrite, LOCK_EX, kProfileLockWaitSeconds,
                       file) != OpenOutcome::Open)
        return ProgressResult::FileError;

    // The append position is found under the exclusive lock, so two copies of the game never write at the
    // same place. A damaged tail is cut off, as a record written after it would be hidden behind it.
    const auto noUse = [](const ProgressRecord&) {};
    ProgressScan scan;
    std::uint64_t fileSize = 0;
    bool ready = file.writable && scanProgressFile(file, noUse, scan, fileSize);
    if (ready && scan.validSize < fileSize)
        ready = ::ftruncate(file.fd, static_cast<off_t>(scan.validSize)) == 0;
    if (!ready) {
        closeSharedFile(file);
        return ProgressResult::FileError;
    }
    const bool written =
        writeSyncAndClose(file, static_cast<off_t>(scan.validSize), bytes.data(), bytes.size());
    return written ? ProgressResult::Ok : ProgressResult::FileError;
}

bool keepBetterSolution(LevelProgress& level, const BestSolution& solution) {
    if (solution.moves <= 0 || solution.solution.size() > kMaxKeptSolution) return false;
    const BestSolution& moves = level.fewestMoves;
    const BestSolution& pushes = level.fewestPushes;
    const bool fewerMoves = moves.moves <= 0 || solution.moves < moves.moves ||
                            (solution.moves == moves.moves && solution.pushes < moves.pushes);
    const bool fewerPushes = pushes.moves <= 0 || solution.pushes < pushes.pushes ||
                             (solution.pushes == pushes.pushes && solution.moves < pushes.moves);
    if (fewerMoves) level.fewestMoves = solution;
    if (fewerPushes) level.fewestPushes = solution;
    return fewerMoves || fewerPushes;
}
