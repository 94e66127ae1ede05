#include "profiles/profile_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/diagnostics.h"
#include "profiles/file_lock.h"

// Sections: opening and locking the file; reading and writing records; the scan; the four operations.

namespace {

// ---- opening and locking the file ----

// An open profile file: a regular file only, never opened through a link, and never a blocking open.
struct ProfileFile {
    int fd = -1;
    bool writable = false;
    bool folderSynced = true;    // the folder of a file this open made was synced
    long long wholeRecords = 0;  // records that lie entirely inside the file
};

void closeProfileFile(ProfileFile& file) {
    if (file.fd >= 0) ::close(file.fd);
    file.fd = -1;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// A new file's name lives in its folder, which has to reach the disk too or a power cut can take the new
// profile with it. A file system that cannot sync a folder (EINVAL) offers nothing better.
bool syncFolder(const std::string& path) {
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return false;
    const bool synced = ::fsync(folder) == 0 || errno == EINVAL;
    ::close(folder);
    return synced;
}

// For reading and writing, created empty when missing; read-only when it exists but cannot be written. A
// link in place of the file fails every open (O_NOFOLLOW), dangling or not.
bool openProfileFile(const std::string& path, ProfileFile& file) {
    file = ProfileFile{};
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    file.fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | kFlags, 0644);
    const bool created = file.fd >= 0;
    if (!created) file.fd = ::open(path.c_str(), O_RDWR | kFlags);
    file.writable = file.fd >= 0;
    if (file.fd < 0) file.fd = ::open(path.c_str(), O_RDONLY | kFlags);
    if (file.fd < 0) return false;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        closeProfileFile(file);
        return false;
    }
    if (created) file.folderSynced = syncFolder(path);
    const int flags = ::fcntl(file.fd, F_GETFL);
    if (flags >= 0) ::fcntl(file.fd, F_SETFL, flags & ~O_NONBLOCK);
    return true;
}

// Nothing at the path: no file and no link (a missing folder counts).
bool fileIsMissing(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

// The length is taken under the lock: another copy may have appended while this one waited.
bool measureProfileFile(ProfileFile& file) {
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) return false;
    file.wholeRecords = info.st_size / kProfileRecordSize;
    // Record numbers are 32-bit; a file with more records than they can number is not ours.
    return file.wholeRecords < INT_MAX;
}

enum class OpenOutcome {
    Open,      // open, locked and measured
    NoFile,    // nothing there, and it could not be created
    Unusable,  // something there that cannot be used, or a lock held too long elsewhere
};

OpenOutcome openLocked(const std::string& path, int lockOperation, ProfileFile& file) {
    if (!openProfileFile(path, file))
        return fileIsMissing(path) ? OpenOutcome::NoFile : OpenOutcome::Unusable;
    // Another copy of the game holds the file for one scan and write at a time, so the wait is short; one
    // stopped or frozen while holding it must not freeze this one too.
    if (!lockFileWithin(file.fd, lockOperation, kProfileLockWaitSeconds) || !measureProfileFile(file)) {
        closeProfileFile(file);
        return OpenOutcome::Unusable;
    }
    return OpenOutcome::Open;
}

// ---- reading and writing records ----

bool readRecord(const ProfileFile& file, int position, ProfileBytes& bytes) {
    const off_t offset = static_cast<off_t>(position - 1) * kProfileRecordSize;
    std::size_t done = 0;
    while (done < sizeof bytes) {
        const ssize_t got = ::pread(file.fd, bytes + done, sizeof bytes - done, offset + done);
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

// Writes the record at its position, waits for the disk (a level reached survives a crash) and closes the
// file, which releases the lock.
bool writeRecordAndClose(ProfileFile& file, int position, const ProfileRecord& record) {
    ProfileBytes bytes;
    encodeProfileRecord(record, bytes);
    const off_t offset = static_cast<off_t>(position - 1) * kProfileRecordSize;
    bool written = file.writable && file.folderSynced && position >= 1 && position <= file.wholeRecords + 1;
    std::size_t done = 0;
    while (written && done < sizeof bytes) {
        const ssize_t put = ::pwrite(file.fd, bytes + done, sizeof bytes - done, offset + done);
        if (put <= 0)
            written = false;
        else
            done += static_cast<std::size_t>(put);
    }
    if (written && ::fsync(file.fd) != 0) written = false;
    if (::close(file.fd) != 0) written = false;
    file.fd = -1;
    return written;
}

// Both fields decoded in place: the password field unscrambled with the given password, the name shifted
// back to plain text.
void decodeFields(ProfileRecord& record, const std::string& password) {
    std::string passwordText = fieldText(record.password);
    scramblePassword(passwordText, password);
    setFieldText(record.password, passwordText);
    std::string nameText = fieldText(record.name);
    shiftName(nameText, -kNameShift);
    setFieldText(record.name, nameText);
}

bool passwordVerifies(const ProfileRecord& decoded) {
    return trimTrailingSpaces(fieldText(decoded.password)) == kVerificationText;
}

// ---- the scan ----

struct Scan {
    bool read = true;       // every whole record could be read
    bool nameSeen = false;  // a record holds this name, whatever its password
    int position = 1;       // the record matching name and password, else the append position
};

// Prints the store's diagnostic lines: "found record at " for a match, then "fpos =" with the position.
Scan scanProfiles(const ProfileFile& file, const std::string& name, const std::string& password) {
    Scan scan;
    const std::string wantedName = trimTrailingSpaces(name);
    for (int number = 1; number <= file.wholeRecords; ++number) {
        ProfileBytes bytes;
        if (!readRecord(file, number, bytes)) {
            scan.read = false;
            return scan;
        }
        // Names first: only a record with the wanted name needs its password field unscrambled.
        ProfileRecord record = decodeProfileRecord(bytes);
        std::string storedName = fieldText(record.name);
        shiftName(storedName, -kNameShift);
        if (trimTrailingSpaces(storedName) == wantedName) {
            scan.nameSeen = true;
            decodeFields(record, password);
            if (passwordVerifies(record)) {
                scan.position = number;
                diagnosticLine("found record at %d", number);
                break;
            }
        }
        scan.position = number + 1;
    }
    diagnosticLine("fpos =%d", scan.position);
    return scan;
}

}  // namespace

// ---- the four operations ----

std::string profileFilePath(const std::string& base) {
    return base + "/ZUR/Tarmelo3D/profiles.data";
}

int findProfile(const std::string& base, const std::string& name, const std::string& password,
                int& notFound) {
    notFound = 1;
    ProfileFile file;
    if (openLocked(profileFilePath(base), LOCK_SH, file) != OpenOutcome::Open) return -1;
    const Scan scan = scanProfiles(file, name, password);
    closeProfileFile(file);
    if (!scan.read) return -1;
    if (scan.nameSeen) notFound = 0;
    return scan.position;
}

ProfileResult createProfile(const std::string& base, ProfileRecord& record, const std::string& password,
                            const std::string& name) {
    const std::string path = profileFilePath(base);
    if (fileIsMissing(path)) diagnosticLine("File will be created...");

    ProfileFile file;
    const bool opened = openLocked(path, LOCK_EX, file) == OpenOutcome::Open;
    Scan scan;
    if (opened) {
        scan = scanProfiles(file, name, password);
        if (scan.read && scan.nameSeen) {
            closeProfileFile(file);
            return ProfileResult::NameTaken;
        }
    }

    record = ProfileRecord{};
    setFieldText(record.name, name);
    std::string passwordText(kVerificationText);
    scramblePassword(passwordText, password);
    setFieldText(record.password, passwordText);
    record.level = 1;
    if (!opened || !scan.read) {
        closeProfileFile(file);
        return ProfileResult::FileError;
    }

    // The file holds the name shifted; the caller keeps it plain.
    ProfileRecord stored = record;
    std::string storedName = fieldText(stored.name);
    shiftName(storedName, kNameShift);
    setFieldText(stored.name, storedName);
    return writeRecordAndClose(file, scan.position, stored) ? ProfileResult::Ok : ProfileResult::FileError;
}

ProfileResult loadProfile(const std::string& base, ProfileRecord& record, const std::string& password,
                          const std::string& name) {
    ProfileFile file;
    const OpenOutcome outcome = openLocked(profileFilePath(base), LOCK_SH, file);
    if (outcome == OpenOutcome::NoFile) return ProfileResult::NotFound;
    if (outcome == OpenOutcome::Unusable) return ProfileResult::FileError;
    const Scan scan = scanProfiles(file, name, password);
    ProfileBytes bytes = {};
    // Past the last whole record (no record matched the password) nothing is read and the buffer stays
    // zero, which never verifies.
    const bool read =
        scan.read && (scan.position > file.wholeRecords || readRecord(file, scan.position, bytes));
    closeProfileFile(file);
    if (!read) return ProfileResult::FileError;
    if (!scan.nameSeen) return ProfileResult::NotFound;

    ProfileRecord found = decodeProfileRecord(bytes);
    decodeFields(found, password);
    if (!passwordVerifies(found)) return ProfileResult::WrongPassword;

    std::string passwordText = fieldText(found.password);
    scramblePassword(passwordText, password);
    setFieldText(found.password, passwordText);
    record = found;
    return ProfileResult::Ok;
}

ProfileResult saveProfile(const std::string& base, ProfileRecord& record, const std::string& password,
                          const std::string& name) {
    ProfileFile file;
    if (openLocked(profileFilePath(base), LOCK_EX, file) != OpenOutcome::Open)
        return ProfileResult::FileError;
    const Scan scan = scanProfiles(file, name, password);
    if (!scan.read) {
        closeProfileFile(file);
        return ProfileResult::FileError;
    }

    std::string nameText = fieldText(record.name);
    const std::string plainName = nameText;
    shiftName(nameText, kNameShift);
    setFieldText(record.name, nameText);
    const bool written = writeRecordAndClose(file, scan.position, record);
    setFieldText(record.name, plainName);
    return written ? ProfileResult::Ok : ProfileResult::FileError;
}

ProfileResult saveLevelReached(const std::string& base, ProfileRecord& record, const std::string& password,
                               int level) {
    record.level = level;
    return saveProfile(base, record, password, trimTrailingSpaces(fieldText(record.name)));
}
