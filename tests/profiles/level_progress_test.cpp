// The progress file: whose marks a load returns, how a damaged tail is read and then cut off, and the same
// care as the profile file (no links followed, unwritable places, another copy's lock). The records' own
// bytes are progress_record_test's; the shared opening, syncing and locking is profile_store_test's.

#include "profiles/level_progress.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "profiles/profile_store.h"
#include "profiles/progress_record.h"
#include "support/temp_dir.h"

using testing_support::fileExists;
using testing_support::readFile;
using testing_support::writeFile;

// Results by name in failure messages.
void PrintTo(ProgressResult result, std::ostream* out) {
    *out << (result == ProgressResult::Ok ? "Ok" : "FileError");
}

namespace {

std::string text(const ProgressBytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

using Marks = std::map<std::uint64_t, bool>;  // solved by board hash, ordered for comparison

struct LevelProgressTest : ::testing::Test {
    void SetUp() override {
        std::filesystem::create_directories(dir / "ZUR/Tarmelo3D");
        ::chmod((dir / "ZUR").c_str(), 0755);  // reachable by the unprivileged child of the read-only cases
        ::chmod(folder().c_str(), 0755);
    }
    std::string folder() const { return dir / "ZUR/Tarmelo3D"; }
    std::string file() const { return progressFilePath(dir.path()); }
    ProgressResult save(const ProgressOwner& owner, std::uint64_t boardHash, bool solved) {
        return saveProgress(dir.path(), owner, boardHash, LevelProgress{solved, {}, {}});
    }
    // The owner's marks; a failed load is told apart from an empty one.
    Marks load(const ProgressOwner& owner) {
        ProfileProgress progress;
        if (loadProgress(dir.path(), owner, progress) != ProgressResult::Ok) return {{0, false}};
        Marks marks;
        for (const auto& [hash, level] : progress) marks[hash] = level.solved;
        return marks;
    }

    testing_support::TempDir dir{testing_support::memoryTempParent()};
};

const ProgressOwner ann{1, "Ann"};
const ProgressOwner bob{2, "Bob"};

TEST_F(LevelProgressTest, AMissingFileOrFolderLoadsEmptyAndIsNotMade) {
    ProfileProgress progress{{5, {true, {}, {}}}};
    EXPECT_EQ(loadProgress(dir.path(), ann, progress), ProgressResult::Ok);
    EXPECT_TRUE(progress.empty());
    EXPECT_EQ(loadProgress(dir / "nowhere", ann, progress), ProgressResult::Ok);
    EXPECT_FALSE(fileExists(file()));
}

// Marks are one profile's: a profile made anew under an old name or number starts without any.
TEST_F(LevelProgressTest, EachOwnerLoadsItsOwnNewestMarks) {
    const ProgressOwner sameNameOtherNumber{3, "Ann"};
    const ProgressOwner sameNumberOtherName{1, "Annie"};
    ASSERT_EQ(save(ann, 10, true), ProgressResult::Ok);
    ASSERT_EQ(save(bob, 10, true), ProgressResult::Ok);
    ASSERT_EQ(save(ann, 11, true), ProgressResult::Ok);
    ASSERT_EQ(save(sameNameOtherNumber, 12, true), ProgressResult::Ok);
    ASSERT_EQ(save(sameNumberOtherName, 13, true), ProgressResult::Ok);
    ASSERT_EQ(save(ann, 10, false), ProgressResult::Ok);          // the newest record wins
    ASSERT_EQ(save({1, "Ann  "}, 14, true), ProgressResult::Ok);  // trailing spaces name the same profile
    ASSERT_EQ(save(bob, 0xFFFFFFFFFFFFFFFFu, true), ProgressResult::Ok);
    EXPECT_EQ(load(ann), (Marks{{10, false}, {11, true}, {14, true}}));
    EXPECT_EQ(load(bob), (Marks{{10, true}, {0xFFFFFFFFFFFFFFFFu, true}}));
    EXPECT_EQ(load(sameNameOtherNumber), (Marks{{12, true}}));
    EXPECT_EQ(load(sameNumberOtherName), (Marks{{13, true}}));
    EXPECT_EQ(load({4, "Dee"}), Marks{});
}

// The best solutions ride in the same records: read back whole, the newest record's as a whole, and a
// record without them (as the first version wrote) keeps none.
TEST_F(LevelProgressTest, BestSolutionsAreKeptWithTheMark) {
    LevelProgress level{true, {}, {}};
    ASSERT_EQ(saveProgress(dir.path(), ann, 10, level), ProgressResult::Ok);
    ASSERT_TRUE(keepBetterSolution(level, {7, 3, "rrRuRdR"}));
    ASSERT_EQ(saveProgress(dir.path(), ann, 10, level), ProgressResult::Ok);
    ProfileProgress read;
    ASSERT_EQ(loadProgress(dir.path(), ann, read), ProgressResult::Ok);
    EXPECT_TRUE(read[10] == level);
    EXPECT_EQ(read[10].fewestPushes.solution, "rrRuRdR");
}

// Each best is replaced only by a better solution by its own count, ties going to the other count.
TEST(KeepBetterSolution, EachCountKeepsItsOwnBest) {
    LevelProgress level;
    EXPECT_TRUE(keepBetterSolution(level, {20, 8, "a"}));
    EXPECT_FALSE(keepBetterSolution(level, {20, 8, "b"}));  // equal is not better
    EXPECT_TRUE(keepBetterSolution(level, {18, 9, "c"}));   // fewer moves, more pushes
    EXPECT_EQ(level.fewestMoves.solution, "c");
    EXPECT_EQ(level.fewestPushes.solution, "a");
    EXPECT_TRUE(keepBetterSolution(level, {18, 8, "d"}));  // as few moves, fewer pushes: both
    EXPECT_EQ(level.fewestMoves.solution, "d");
    EXPECT_EQ(level.fewestPushes.solution, "d");
    EXPECT_TRUE(keepBetterSolution(level, {30, 6, "e"}));
    EXPECT_EQ(level.fewestMoves.solution, "d");
    EXPECT_EQ(level.fewestPushes.solution, "e");
    EXPECT_FALSE(keepBetterSolution(level, {1, 1, std::string(kMaxKeptSolution + 1, 'r')}));
}

// A write cut short at any byte, or a changed byte in the last record: that record is not read, and the
// next save cuts it off and lands right after the last whole record, where every reader finds it.
TEST_F(LevelProgressTest, ADamagedTailIsIgnoredAndCutOffByTheNextSave) {
    ASSERT_EQ(save(ann, 10, true), ProgressResult::Ok);
    const std::string kept = readFile(file());
    // The damaged record is longer than the next: written over without the cut, its end would stay behind.
    const ProgressOwner longName{2, std::string(32, 'b')};
    ASSERT_EQ(save(longName, 11, true), ProgressResult::Ok);
    const std::string last = readFile(file()).substr(kept.size());
    const std::string next = text(encodeProgressRecord(ProgressRecord{ann, 12, {true, {}, {}}}));
    std::vector<std::string> tails;
    for (std::size_t cut = 1; cut < last.size(); ++cut) tails.push_back(last.substr(0, cut));
    for (std::size_t at = 0; at < last.size(); at += 7) {
        tails.push_back(last);
        tails.back()[at] ^= 0x20;
    }
    for (const std::string& tail : tails) {
        writeFile(file(), kept + tail);
        EXPECT_EQ(load(longName), Marks{}) << tail.size();
        ASSERT_EQ(save(ann, 12, true), ProgressResult::Ok);
        EXPECT_EQ(readFile(file()), kept + next) << tail.size();
        EXPECT_EQ(load(ann), (Marks{{10, true}, {12, true}})) << tail.size();
    }
}

// A link in place of the file, to another file or to nothing, is never followed: the save would append to
// someone else's file where the folder is shared.
TEST_F(LevelProgressTest, ALinkInPlaceOfTheFileIsRefused) {
    const std::string victim = dir / "victim";
    const std::string victimBytes = text(encodeProgressRecord(ProgressRecord{ann, 10, {true, {}, {}}}));
    writeFile(victim, victimBytes);
    const std::string absent = dir / "absent";
    for (const std::string& target : {victim, absent}) {
        std::filesystem::remove(file());
        ASSERT_EQ(::symlink(target.c_str(), file().c_str()), 0);
        EXPECT_EQ(load(ann), (Marks{{0, false}})) << target;
        EXPECT_EQ(save(ann, 11, true), ProgressResult::FileError) << target;
    }
    EXPECT_EQ(readFile(victim), victimBytes);
    EXPECT_FALSE(fileExists(absent));
}

// Saves that cannot reach the disk say so (the game shows it), and change nothing; what can be read still
// loads. File permissions mean nothing to root, so those cases run as an ordinary user.
TEST_F(LevelProgressTest, UnwritablePlacesFailCleanly) {
    EXPECT_EQ(saveProgress(dir / "nowhere", ann, 10, {true, {}, {}}), ProgressResult::FileError);
    EXPECT_FALSE(fileExists(dir / "nowhere"));

    const std::string base = dir.path();
    const auto saveThenLoad = [&] {
        ProfileProgress progress;
        const bool saved = saveProgress(base, ann, 11, {true, {}, {}}) == ProgressResult::Ok;
        const bool loaded = loadProgress(base, ann, progress) == ProgressResult::Ok;
        return (saved ? 10 : 0) + (loaded ? static_cast<int>(progress.size()) : 9);
    };
    ::chmod(folder().c_str(), 0555);
    EXPECT_EQ(testing_support::runWithoutPrivileges(saveThenLoad), 0);  // not saved, loads empty
    EXPECT_FALSE(fileExists(file()));
    ::chmod(folder().c_str(), 0755);
    ASSERT_EQ(save(ann, 10, true), ProgressResult::Ok);
    const std::string before = readFile(file());
    ::chmod(file().c_str(), 0444);
    EXPECT_EQ(testing_support::runWithoutPrivileges(saveThenLoad), 1);  // not saved, loads the one mark
    EXPECT_EQ(readFile(file()), before);
}

// Another copy reading holds a shared lock: loads go on beside it, a save waits a bounded time and fails.
TEST_F(LevelProgressTest, LoadsShareTheLockAndSavesWaitBoundedly) {
    ASSERT_EQ(save(ann, 10, true), ProgressResult::Ok);
    const int other = ::open(file().c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(other, LOCK_SH), 0);
    EXPECT_EQ(load(ann), (Marks{{10, true}}));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(save(ann, 11, true), ProgressResult::FileError);
    const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - started;
    EXPECT_GE(waited.count(), kProfileLockWaitSeconds - 0.1);
    ::close(other);
    EXPECT_EQ(load(ann), (Marks{{10, true}}));
}

}  // namespace
