#include "profiles/profile_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// An open profile file: a regular file only (a directory, device or pipe in its place counts as a file
// that cannot be opened) and never a blocking open.
struct ProfileFile {
    int fd = -1;
    bool writable = false;
    long long wholeRecords = 0;  // records that lie entirely inside the file
};

void closeProfileFile(ProfileFile& file) {
    if (file.fd >= 0) ::close(file.fd);
    file.fd = -1;
}

bool finishOpen(ProfileFile& file) {
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        closeProfileFile(file);
        return false;
    }
    file.wholeRecords = info.st_size / kProfileRecordSize;
    // Record numbers are 32-bit; a file with more records than they can number is not ours.
    if (file.wholeRecords >= INT_MAX) {
        closeProfileFile(file);
        return false;
    }
    const int flags = ::fcntl(file.fd, F_GETFL);
    if (flags >= 0) ::fcntl(file.fd, F_SETFL, flags & ~O_NONBLOCK);
    return true;
}

// For reading and writing, created empty when missing; read-only when it exists but cannot be written.
bool openForUpdate(const std::string& path, ProfileFile& file) {
    file = ProfileFile{};
    file.fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644);
    file.writable = file.fd >= 0;
    if (file.fd < 0) file.fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file.fd < 0) return false;
    return finishOpen(file);
}

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

// Writes the record at its position and waits for the disk, so a level reached survives a crash.
bool writeRecord(const std::string& path, int position, const ProfileRecord& record) {
    if (position < 1) return false;
    ProfileFile file;
    if (!openForUpdate(path, file)) return false;
    ProfileBytes bytes;
    encodeProfileRecord(record, bytes);
    const off_t offset = static_cast<off_t>(position - 1) * kProfileRecordSize;
    bool written = file.writable && position <= file.wholeRecords + 1;
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

}  // namespace

std::string profileFilePath(const std::string& base) {
    return base + "/ZUR/Tarmelo3D/profiles.data";
}

int findProfile(const std::string& base, const std::string& name, const std::string& password,
                int& notFound) {
    notFound = 1;
    ProfileFile file;
    if (!openForUpdate(profileFilePath(base), file)) return -1;

    const std::string wantedName = trimTrailingSpaces(name);
    int position = 1;
    for (int number = 1; number <= file.wholeRecords; ++number) {
        ProfileBytes bytes;
        if (!readRecord(file, number, bytes)) break;  // the file shrank under us: treat as its end
        ProfileRecord record = decodeProfileRecord(bytes);
        decodeFields(record, password);
        if (trimTrailingSpaces(fieldText(record.name)) == wantedName) {
            notFound = 0;
            if (passwordVerifies(record)) {
                position = number;
                std::printf("found record at %d\n", position);
                closeProfileFile(file);
                std::printf("fpos =%d\n", position);
                return position;
            }
        }
        position = number + 1;
    }
    closeProfileFile(file);
    std::printf("fpos =%d\n", position);
    return position;
}

ProfileResult createProfile(const std::string& base, ProfileRecord& record, const std::string& password,
                            const std::string& name) {
    const std::string path = profileFilePath(base);
    const int probe = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0)
        std::printf("File will be created...\n");
    else
        ::close(probe);

    int notFound = 1;
    const int position = findProfile(base, name, password, notFound);
    if (notFound == 0) return ProfileResult::NameTaken;

    record = ProfileRecord{};
    setFieldText(record.name, name);
    std::string passwordText(kVerificationText);
    scramblePassword(passwordText, password);
    setFieldText(record.password, passwordText);
    record.level = 1;

    // The file holds the name shifted; the caller keeps it plain.
    ProfileRecord stored = record;
    std::string storedName = fieldText(stored.name);
    shiftName(storedName, kNameShift);
    setFieldText(stored.name, storedName);

    return writeRecord(path, position, stored) ? ProfileResult::Ok : ProfileResult::FileError;
}

ProfileResult loadProfile(const std::string& base, ProfileRecord& record, const std::string& password,
                          const std::string& name) {
    int notFound = 1;
    const int position = findProfile(base, name, password, notFound);
    if (notFound != 0) return ProfileResult::NotFound;

    ProfileFile file;
    if (!openForUpdate(profileFilePath(base), file)) return ProfileResult::FileError;
    ProfileBytes bytes = {};
    // Past the last whole record (no record matched the password) nothing is read and the buffer stays
    // zero, which never verifies.
    if (position >= 1 && position <= file.wholeRecords && !readRecord(file, position, bytes)) {
        std::memset(bytes, 0, sizeof bytes);
    }
    closeProfileFile(file);

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
    int notFound = 1;
    const int position = findProfile(base, name, password, notFound);

    std::string nameText = fieldText(record.name);
    const std::string plainName = nameText;
    shiftName(nameText, kNameShift);
    setFieldText(record.name, nameText);
    const bool written = writeRecord(profileFilePath(base), position, record);
    setFieldText(record.name, plainName);
    return written ? ProfileResult::Ok : ProfileResult::FileError;
}

ProfileResult saveLevelReached(const std::string& base, ProfileRecord& record, const std::string& password,
                               int level) {
    record.level = level;
    return saveProfile(base, record, password, trimTrailingSpaces(fieldText(record.name)));
}
