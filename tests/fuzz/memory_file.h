#pragma once

// The loaders under fuzzing read paths, not buffers: each input is handed to them as an anonymous
// in-memory file, made once per process and rewritten for every input, so no run touches the disk.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// The path of a file that holds exactly `size` bytes from `data` until the next call.
inline const char* memoryFileHolding(const std::uint8_t* data, std::size_t size) {
    static int file = -1;
    static std::string path;
    if (file < 0) {
        file = ::memfd_create("fuzz-input", 0);
        if (file < 0) std::abort();
        path = "/proc/self/fd/" + std::to_string(file);
    }
    if (::ftruncate(file, 0) != 0) std::abort();
    if (size > 0 && ::pwrite(file, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    return path.c_str();
}
