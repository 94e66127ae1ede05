#include "profiles/level_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

std::string levelFolderPath(const std::string& base) {
    return base + "/ZUR/Tarmelo3D/levels";
}

void makeLevelFolder(const std::string& base) {
    ::mkdir(levelFolderPath(base).c_str(), 0755);
}

std::vector<std::string> listLevelFiles(const std::string& folder) {
    std::vector<std::string> names;
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr) return names;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.') continue;
        struct stat info {};
        if (::stat((folder + "/" + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) names.push_back(name);
    }
    ::closedir(directory);
    std::sort(names.begin(), names.end());
    return names;
}

CollectionFileResult readCollectionFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    // Never blocks on a pipe or a device named in place of a file; those are refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return CollectionFileResult::Unreadable;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return CollectionFileResult::Unreadable;
    }
    if (info.st_size > kMaxCollectionFileBytes) {
        ::close(fd);
        return CollectionFileResult::TooLarge;
    }
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    bool failed = false;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, &bytes[done], bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        failed = got < 0;
        if (got <= 0) break;  // a file that shrank while being read is read as far as it goes
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    bytes.resize(failed ? 0 : done);
    return failed ? CollectionFileResult::Unreadable : CollectionFileResult::Ok;
}
