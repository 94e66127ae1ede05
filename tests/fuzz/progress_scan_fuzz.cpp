// Treats arbitrary bytes as a progress file. The scan of the bytes must end at a record boundary inside
// them, without a crash or a hang; a load through the file must find what the scan found; and a save must
// keep every byte up to that boundary, cut off the rest, and add one record that the next load finds.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "profiles/level_progress.h"
#include "profiles/progress_record.h"
#include "scratch_data_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<ProgressRecord> records;
    const ProgressScan scan =
        scanProgressBytes(data, size, [&](const ProgressRecord& record) { records.push_back(record); });
    if (scan.readFailed || scan.validSize > size) std::abort();

    // The owner of the first record read, so that loads find something whenever the input holds a record.
    const ProgressOwner owner = records.empty() ? ProgressOwner{1, "Ann"} : records.front().owner;
    ProfileProgress expected;
    for (const ProgressRecord& record : records) {
        if (record.owner.recordNumber == owner.recordNumber && record.owner.name == owner.name)
            expected[record.boardHash] = record.level;
    }
    const auto same = [](const ProfileProgress& a, const ProfileProgress& b) {
        if (a.size() != b.size()) return false;
        for (const auto& [hash, level] : a) {
            const auto found = b.find(hash);
            if (found == b.end() || !(found->second == level)) return false;
        }
        return true;
    };

    const std::string& base = scratchDataBase();
    const std::string original(reinterpret_cast<const char*>(data), size);
    writeWholeFile(progressFilePath(base), original);
    ProfileProgress loaded;
    if (loadProgress(base, owner, loaded) != ProgressResult::Ok || !same(loaded, expected)) std::abort();

    const std::uint64_t newHash = expected.empty() ? 1 : expected.begin()->first;
    const LevelProgress newLevel{!(expected.empty() || expected.begin()->second.solved), {}, {}};
    if (saveProgress(base, owner, newHash, newLevel) != ProgressResult::Ok) std::abort();
    const ProgressBytes record = encodeProgressRecord(ProgressRecord{owner, newHash, newLevel});
    const std::string kept = original.substr(0, static_cast<std::size_t>(scan.validSize));
    if (readWholeFile(progressFilePath(base)) != kept + std::string(record.begin(), record.end()))
        std::abort();
    expected[newHash] = newLevel;
    if (loadProgress(base, owner, loaded) != ProgressResult::Ok || !same(loaded, expected)) std::abort();
    return 0;
}
