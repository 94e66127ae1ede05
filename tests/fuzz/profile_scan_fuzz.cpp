// Treats arbitrary bytes as a profile file. Scans and logins must report a clean result, and creating a
// profile under a new name must append it at a whole-record boundary without changing any whole record
// already in the file.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "profiles/profile_store.h"

namespace {

std::string g_base;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The scratch folder goes with the process, however the run ends normally.
void removeScratchFolder() {
    ::unlink(profileFilePath(g_base).c_str());
    ::rmdir((g_base + "/ZUR/Tarmelo3D").c_str());
    ::rmdir((g_base + "/ZUR").c_str());
    ::rmdir(g_base.c_str());
}

void initialise() {
    // The store's diagnostic lines would flood the fuzzer's output.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
    const char* shm = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(shm) + "/tarmelo-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    g_base = pattern;
    ::mkdir((g_base + "/ZUR").c_str(), 0755);
    ::mkdir((g_base + "/ZUR/Tarmelo3D").c_str(), 0755);
    std::atexit(removeScratchFolder);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (g_base.empty()) initialise();
    const std::string path = profileFilePath(g_base);
    const std::string original(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << original;
    }
    // A name and password taken from the input's first bytes, so matches are reachable.
    const std::string name = original.substr(0, size < 5 ? size : 5);
    const std::string password = original.size() > 5 ? original.substr(5, 4) : std::string("pw");

    int notFound = 0;
    const int position = findProfile(g_base, name, password, notFound);
    const long long wholeRecords = static_cast<long long>(size) / kProfileRecordSize;
    if (position < 1 || position > wholeRecords + 1) std::abort();

    ProfileRecord record;
    const ProfileResult loaded = loadProfile(g_base, record, password.empty() ? "pw" : password, name);
    if (loaded != ProfileResult::Ok && loaded != ProfileResult::WrongPassword &&
        loaded != ProfileResult::NotFound)
        std::abort();

    // Names the dialogue can type never carry byte 0x01 shifted; this one cannot occur in the junk unless
    // the input spelled it, in which case create reports the name taken.
    const ProfileResult created = createProfile(g_base, record, "secret", "\x01\x02new");
    const std::string after = readAll(path);
    const std::size_t kept = static_cast<std::size_t>(wholeRecords) * kProfileRecordSize;
    if (after.substr(0, kept) != original.substr(0, kept)) std::abort();
    if (created == ProfileResult::Ok) {
        if (after.size() != kept + kProfileRecordSize) std::abort();
        ProfileRecord again;
        if (loadProfile(g_base, again, "secret", "\x01\x02new") != ProfileResult::Ok) std::abort();
    } else if (created != ProfileResult::NameTaken) {
        std::abort();
    }
    return 0;
}
