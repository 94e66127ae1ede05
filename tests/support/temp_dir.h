#pragma once

#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <grp.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

// Small helpers shared by the test programs: scratch folders, whole-file reads and writes, and running a
// piece of a test as an ordinary user (file permissions mean nothing to root, and CI runs as root).

namespace testing_support {

// Where scratch folders go: the system's temporary folder, or memory (/dev/shm) for tests that make
// thousands of synced writes and are not about the disk.
inline std::string diskTempParent() {
    return std::filesystem::temp_directory_path().string();
}
inline std::string memoryTempParent() {
    return ::access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : diskTempParent();
}

class TempDir {
public:
    explicit TempDir(const std::string& parent = diskTempParent()) {
        std::string pattern = parent + "/tarmelo-test-XXXXXX";
        path_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
        ::chmod(path_.c_str(), 0755);  // reachable by the unprivileged child of runWithoutPrivileges
    }
    ~TempDir() {
        std::error_code ignored;
        makeWritable(path_);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

private:
    static void makeWritable(const std::string& root) {
        std::error_code ignored;
        ::chmod(root.c_str(), 0755);
        for (auto it = std::filesystem::recursive_directory_iterator(root, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            ::chmod(it->path().c_str(), 0755);
        }
    }
    std::string path_;
};

// Changes the working directory for the lifetime of the object: the game opens its data relative to it.
class ScopedWorkingDirectory {
public:
    explicit ScopedWorkingDirectory(const std::string& path) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~ScopedWorkingDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }

private:
    std::filesystem::path previous_;
};

inline void writeFile(const std::string& path, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool fileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

// Runs body as user and group 65534 when the test runs as root, directly otherwise, and returns its int.
inline int runWithoutPrivileges(const std::function<int()>& body) {
    if (::geteuid() != 0) return body();
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
        const int result = dropped ? body() : 255;
        std::fflush(nullptr);
        ::_exit(result & 0xFF);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 254;
}

}  // namespace testing_support
