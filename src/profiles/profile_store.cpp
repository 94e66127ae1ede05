#include "profiles/profile_store.h"

#include <sys/file.h>
#include <sys/stat.h>

#include <climits>

#include "platform/diagnostics.h"
#include "profiles/shared_file.h"

// Sections: opening and locking the file; reading and writing records; the scan; the four operations.

namespace {

// ---- opening and locking the file ----

struct ProfileFile {
    SharedFile shared;
    long long wholeRecords = 0;  // records that lie entirely inside the file
};

// The length is taken under the lock: another copy may have appended while this one waited.
bool measureProfileFile(ProfileFile& file) {
    struct stat info {};
    if (::fstat(file.shared.fd, &info) != 0) return false;
    file.wholeRecords = info.st_size / kProfileRecordSize;
    // Record numbers are 32-bit; a file with more records than they can number is not ours.
    return file.wholeRecords < INT_MAX;
}

// For reading and writing, created empty when missing; read-only when it exists but cannot be written.
OpenOutcome openLocked(const std::string& path, int lockOperation, ProfileFile& file) {
    file = ProfileFile{};
    const OpenOutcome outcome =
        openSharedFile(path, FileAccess::ReadWrite, lockOperation, kProfileLockWaitSeconds, file.shared);
    if (outcome == OpenOutcome::Open && !measureProfileFile(file)) {
        closeSharedFile(file.shared);
        return OpenOutcome::Unusable;
    }
    return outcome;
}

// ---- reading and writing records ----

off_t recordOffset(int position) {
    return static_cast<off_t>(position - 1) * kProfileRecordSize;
}

bool readRecord(const ProfileFile& file, int position, ProfileBytes& bytes) {
    return readBytesAt(file.shared, recordOffset(position), bytes, sizeof bytes);
}

// Writes the record at its position, waits for the disk (a level reached survives a crash) and closes the
// file, which releases the lock.
bool writeRecordAndClose(ProfileFile& file, int position, const ProfileRecord& record) {
    if (position < 1 || position > file.wholeRecords + 1) {
        closeSharedFile(file.shared);
        return false;
    }
    ProfileBytes bytes;
    encodeProfileRecord(record, bytes);
    return writeSyncAndClose(file.shared, recordOffset(position), bytes, sizeof bytes);
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
    closeSharedFile(file.shared);
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
            closeSharedFile(file.shared);
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
        closeSharedFile(file.shared);
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
    closeSharedFile(file.shared);
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
        closeSharedFile(file.shared);
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
