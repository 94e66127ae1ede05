#include "profiles/shared_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "profiles/file_lock.h"

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// A link in place of the file fails every open (O_NOFOLLOW), dangling or not; a pipe does not block the
// open (O_NONBLOCK) and fails the regular-file check after it.
bool openRegularFile(const std::string& path, FileAccess access, SharedFile& file) {
    file = SharedFile{};
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    bool created = false;
    if (access == FileAccess::ReadWrite) {
        file.fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | kFlags, 0644);
        created = file.fd >= 0;
        if (!created) file.fd = ::open(path.c_str(), O_RDWR | kFlags);
        file.writable = file.fd >= 0;
    }
    if (file.fd < 0) file.fd = ::open(path.c_str(), O_RDONLY | kFlags);
    if (file.fd < 0) return false;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        closeSharedFile(file);
        return false;
    }
    if (created) file.folderSynced = syncFolderOf(path);
    const int flags = ::fcntl(file.fd, F_GETFL);
    if (flags >= 0) ::fcntl(file.fd, F_SETFL, flags & ~O_NONBLOCK);
    return true;
}

}  // namespace

// A file system that cannot sync a folder (EINVAL) offers nothing better.
bool syncFolderOf(const std::string& path) {
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return false;
    const bool synced = ::fsync(folder) == 0 || errno == EINVAL;
    ::close(folder);
    return synced;
}

OpenOutcome openSharedFile(const std::string& path, FileAccess access, int lockOperation, double lockSeconds,
                           SharedFile& file) {
    if (!openRegularFile(path, access, file))
        return fileIsMissing(path) ? OpenOutcome::NoFile : OpenOutcome::Unusable;
    // Another copy of the game holds the file for one scan and write at a time, so the wait is short; one
    // stopped or frozen while holding it must not freeze this one too.
    if (!lockFileWithin(file.fd, lockOperation, lockSeconds)) {
        closeSharedFile(file);
        return OpenOutcome::Unusable;
    }
    return OpenOutcome::Open;
}

void closeSharedFile(SharedFile& file) {
    if (file.fd >= 0) ::close(file.fd);
    file.fd = -1;
}

bool fileIsMissing(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

bool readBytesAt(const SharedFile& file, off_t offset, std::uint8_t* bytes, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(file.fd, bytes + done, size - done, offset + static_cast<off_t>(done));
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool writeSyncAndClose(SharedFile& file, off_t offset, const std::uint8_t* bytes, std::size_t size) {
    bool written = file.writable && file.folderSynced;
    std::size_t done = 0;
    while (written && done < size) {
        const ssize_t put = ::pwrite(file.fd, bytes + done, size - done, offset + static_cast<off_t>(done));
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
