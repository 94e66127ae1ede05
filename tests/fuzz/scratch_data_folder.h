#pragma once

// The fuzz targets that go through the stores' files work in a data folder of their own, base/ZUR/Tarmelo3D,
// made once per process in memory where there is memory to write to, and removed when the run ends
// normally. The stores' diagnostic lines would flood the fuzzer's output, so they go nowhere.
// Files there are written and read back whole.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline const std::string& scratchDataBase() {
    static std::string base;
    if (base.empty()) {
        if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
        const char* shm = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(shm) + "/tarmelo-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        base = pattern;
        ::mkdir((base + "/ZUR").c_str(), 0755);
        ::mkdir((base + "/ZUR/Tarmelo3D").c_str(), 0755);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchDataBase(), ignored);
        });
    }
    return base;
}

inline void writeWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
