// Treats arbitrary bytes as a profile file. Scans and logins must report a clean result, and creating a
// profile under a new name must append it at a whole-record boundary without changing any whole record
// already in the file.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "profiles/profile_store.h"
#include "scratch_data_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& base = scratchDataBase();
    const std::string path = profileFilePath(base);
    const std::string original(reinterpret_cast<const char*>(data), size);
    writeWholeFile(path, original);
    // A name and password taken from the input's first bytes, so matches are reachable.
    const std::string name = original.substr(0, size < 5 ? size : 5);
    const std::string password = original.size() > 5 ? original.substr(5, 4) : std::string("pw");

    int notFound = 0;
    const int position = findProfile(base, name, password, notFound);
    const long long wholeRecords = static_cast<long long>(size) / kProfileRecordSize;
    if (position < 1 || position > wholeRecords + 1) std::abort();

    ProfileRecord record;
    const ProfileResult loaded = loadProfile(base, record, password.empty() ? "pw" : password, name);
    if (loaded != ProfileResult::Ok && loaded != ProfileResult::WrongPassword &&
        loaded != ProfileResult::NotFound)
        std::abort();

    // Names the dialogue can type never carry byte 0x01 shifted; this one cannot occur in the junk unless
    // the input spelled it, in which case create reports the name taken.
    const ProfileResult created = createProfile(base, record, "secret", "\x01\x02new");
    const std::string after = readWholeFile(path);
    const std::size_t kept = static_cast<std::size_t>(wholeRecords) * kProfileRecordSize;
    if (after.substr(0, kept) != original.substr(0, kept)) std::abort();
    if (created == ProfileResult::Ok) {
        if (after.size() != kept + kProfileRecordSize) std::abort();
        ProfileRecord again;
        if (loadProfile(base, again, "secret", "\x01\x02new") != ProfileResult::Ok) std::abort();
    } else if (created != ProfileResult::NameTaken) {
        std::abort();
    }
    return 0;
}
