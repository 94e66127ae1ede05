// The profile file at the byte level: what a create writes and prints, what a scan finds, where saves
// land, and what happens when the file or its folder is missing, read-only or not a file at all; then the
// file shared with another running copy of the game, and a link in its place.
// (Cut and junk records are the fuzz target's and the end-to-end tests' ground.)

#include "profiles/profile_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

using testing_support::fileExists;
using testing_support::readFile;

// Every fsync the store makes, by the path of what it synced: the test program is linked with
// --wrap=fsync, so the store's calls come here first.
namespace {
std::vector<std::string> syncedPaths;
}
extern "C" int __real_fsync(int fd);
extern "C" int __wrap_fsync(int fd) {
    std::error_code error;
    syncedPaths.push_back(
        std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error).string());
    return __real_fsync(fd);
}

// Results by name in failure messages.
void PrintTo(ProfileResult result, std::ostream* out) {
    static const char* const names[] = {"Ok", "FileError", "NameTaken", "WrongPassword", "NotFound"};
    *out << names[static_cast<int>(result)];
}

namespace {

// A profile folder base/ZUR/Tarmelo3D, as start-up leaves it.
struct ProfileStoreTest : ::testing::Test {
    void SetUp() override {
        std::filesystem::create_directories(dir / "ZUR/Tarmelo3D");
        ::chmod((dir / "ZUR").c_str(), 0755);  // reachable by the unprivileged child of the read-only case
        ::chmod(folder().c_str(), 0755);
    }
    std::string folder() const { return dir / "ZUR/Tarmelo3D"; }
    std::string file() const { return profileFilePath(dir.path()); }
    ProfileResult create(const std::string& name, const std::string& password) {
        ProfileRecord record;
        return createProfile(dir.path(), record, password, name);
    }
    ProfileResult load(const std::string& name, const std::string& password, ProfileRecord& record) {
        return loadProfile(dir.path(), record, password, name);
    }

    // In memory: the two-copy cases make thousands of synced writes, and none of the cases is about the disk.
    testing_support::TempDir dir{testing_support::memoryTempParent()};
};

// Results packed into one number, a decimal digit each, as a child process hands them back in its status.
int digits(std::initializer_list<ProfileResult> results) {
    int packed = 0;
    for (const ProfileResult result : results) packed = packed * 10 + static_cast<int>(result);
    return packed;
}

std::uint8_t byteAt(const std::string& bytes, std::size_t offset) {
    return static_cast<std::uint8_t>(bytes.at(offset));
}

// The record's bytes are compared whole by the end-to-end play-through; here the lines a create prints and
// the password field, whose scrambled bytes must never hold an early zero.
TEST_F(ProfileStoreTest, CreateWritesTheRecordAndPrintsItsPosition) {
    testing::internal::CaptureStdout();
    ProfileRecord record;
    ASSERT_EQ(createProfile(dir.path(), record, "Pw1", "Ann B"), ProfileResult::Ok);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File will be created...\nfpos =1\n");
    const std::string bytes = readFile(file());
    ASSERT_EQ(bytes.size(), 72u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x81\xae\xae\x60\x82\0", 6));  // "Ann B", each byte + 64
    for (std::size_t i = 33; i < 65; ++i) EXPECT_GE(byteAt(bytes, i), 0x80) << "password byte " << i - 33;
    EXPECT_EQ(bytes.substr(65), std::string("\0\0\0\x01\0\0\0", 7));  // the level, little-endian
    // The caller holds the name plain and the password field as stored.
    EXPECT_EQ(fieldText(record.name), "Ann B");
    EXPECT_EQ(std::string(record.password, 33), bytes.substr(33, 33));
    EXPECT_EQ(record.level, 1);
}

TEST_F(ProfileStoreTest, NamesAreUniqueAndLoadVerifiesThePassword) {
    testing::internal::CaptureStdout();
    ProfileRecord record;
    EXPECT_EQ(load("Ann", "pw", record), ProfileResult::NotFound);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "fpos =1\n");
    EXPECT_EQ(readFile(file()).size(), 0u);  // a load without a file creates it empty

    const std::string longPassword = "abcdefghijklmnopqrstuvwxyz0123456789ABCD";
    ASSERT_EQ(create("Ann", longPassword), ProfileResult::Ok);
    EXPECT_EQ(create("Ann  ", "two"), ProfileResult::NameTaken);  // trailing spaces do not make a new name
    EXPECT_EQ(create("Ann", longPassword), ProfileResult::NameTaken);
    ASSERT_EQ(create("ann", "two"), ProfileResult::Ok);  // case matters
    EXPECT_EQ(readFile(file()).size(), 144u);

    EXPECT_EQ(load("ann", "one", record), ProfileResult::WrongPassword);
    EXPECT_EQ(load("Cid", "two", record), ProfileResult::NotFound);
    EXPECT_EQ(fieldText(record.name), "");  // untouched by the failures
    // Only the first 32 characters of a password are kept.
    EXPECT_EQ(load("Ann", longPassword.substr(0, 32) + "different", record), ProfileResult::Ok);
    EXPECT_EQ(load("Ann", longPassword.substr(0, 31), record), ProfileResult::WrongPassword);

    testing::internal::CaptureStdout();
    ASSERT_EQ(load("ann", "two", record), ProfileResult::Ok);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "found record at 2\nfpos =2\n");
    EXPECT_EQ(fieldText(record.name), "ann");
    EXPECT_EQ(std::string(record.password, 33), readFile(file()).substr(72 + 33, 33));
}

TEST_F(ProfileStoreTest, SaveOverwritesItsOwnRecordInPlaceOrAppendsUnderANewName) {
    ASSERT_EQ(create("Ann", "one"), ProfileResult::Ok);
    ASSERT_EQ(create("Bob", "two"), ProfileResult::Ok);
    ASSERT_EQ(create("Cid", "three"), ProfileResult::Ok);
    const std::string before = readFile(file());
    ProfileRecord bob;
    ASSERT_EQ(load("Bob", "two", bob), ProfileResult::Ok);
    for (int level = 2; level <= 5; ++level)
        ASSERT_EQ(saveLevelReached(dir.path(), bob, "two", level), ProfileResult::Ok);

    std::string expected = before;
    expected[72 + 68] = 5;
    EXPECT_EQ(readFile(file()), expected);  // no growth from repeated saves, no other byte changed
    EXPECT_EQ(fieldText(bob.name), "Bob");  // restored after the shifted write
    ProfileRecord again;
    ASSERT_EQ(load("Bob", "two", again), ProfileResult::Ok);
    EXPECT_EQ(again.level, 5);

    EXPECT_EQ(saveProfile(dir.path(), bob, "other", "Bob"), ProfileResult::Ok);
    EXPECT_EQ(readFile(file()).size(), 4u * 72);
}

// No folder, a read-only file or folder: every write is reported failed, nothing is written, and a readable
// file still loads; with no file there is no profile to find. File permissions mean nothing to root, so the
// read-only cases run as an ordinary user.
TEST_F(ProfileStoreTest, UnwritablePlacesFailCleanly) {
    const std::string nowhere = dir / "nowhere";
    ProfileRecord record;
    testing::internal::CaptureStdout();
    EXPECT_EQ(createProfile(nowhere, record, "pw", "Ann"), ProfileResult::FileError);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File will be created...\n");
    EXPECT_EQ(fieldText(record.name), "Ann");  // filled even though it was not written
    EXPECT_EQ(loadProfile(nowhere, record, "pw", "Ann"), ProfileResult::NotFound);
    EXPECT_EQ(saveProfile(nowhere, record, "pw", "Ann"), ProfileResult::FileError);
    int notFound = 0;
    EXPECT_EQ(findProfile(nowhere, "Ann", "pw", notFound), -1);
    EXPECT_EQ(notFound, 1);
    EXPECT_FALSE(fileExists(nowhere));

    const std::string base = dir.path();
    ::chmod(folder().c_str(), 0555);
    EXPECT_EQ(
        testing_support::runWithoutPrivileges([&] {
            ProfileRecord mine;
            return digits({createProfile(base, mine, "pw", "Ann"), loadProfile(base, mine, "pw", "Ann")});
        }),
        digits({ProfileResult::FileError, ProfileResult::NotFound}));
    EXPECT_FALSE(fileExists(file()));
    ::chmod(folder().c_str(), 0755);
    ASSERT_EQ(create("Ann", "one"), ProfileResult::Ok);
    ::chmod(file().c_str(), 0444);
    const std::string before = readFile(file());
    const int results = testing_support::runWithoutPrivileges([&] {
        ProfileRecord mine;
        const ProfileResult loaded = loadProfile(base, mine, "one", "Ann");
        const ProfileResult created = createProfile(base, mine, "pw", "Bob");
        mine.level = 9;
        return digits({loaded, created, saveProfile(base, mine, "one", "Ann")});
    });
    EXPECT_EQ(results, digits({ProfileResult::Ok, ProfileResult::FileError, ProfileResult::FileError}));
    EXPECT_EQ(readFile(file()), before);
}

// A file that is there but cannot be read (a folder, a pipe, no read permission) is an I/O error on load as
// on create: "not found" would tell the player the profile is gone. Only a missing file is announced as one
// about to be created.
TEST_F(ProfileStoreTest, AFileThatCannotBeReadIsAnIOErrorNotAMissingProfile) {
    const std::string base = dir.path();
    const auto createAndLoad = [&] {
        ProfileRecord record;
        return digits({createProfile(base, record, "pw", "Ann"), loadProfile(base, record, "pw", "Ann"),
                       saveProfile(base, record, "pw", "Ann")});
    };
    const int allFailed =
        digits({ProfileResult::FileError, ProfileResult::FileError, ProfileResult::FileError});
    const std::function<void()> makeUnreadable[] = {
        [&] { std::filesystem::create_directory(file()); },
        [&] { ASSERT_EQ(::mkfifo(file().c_str(), 0666), 0); },
        [&] {
            testing_support::writeFile(file(), std::string(72, 'x'));
            ::chmod(file().c_str(), 0222);  // writable, not readable
        },
    };
    for (std::size_t kind = 0; kind < std::size(makeUnreadable); ++kind) {
        std::filesystem::remove_all(file());
        makeUnreadable[kind]();
        testing::internal::CaptureStdout();
        const int results = testing_support::runWithoutPrivileges(createAndLoad);
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(results, allFailed) << "case " << kind;
        EXPECT_EQ(printed.find("File will be created"), std::string::npos) << "case " << kind;
    }
    EXPECT_EQ(readFile(file()), std::string(72, 'x'));
}

// A link in place of the file, to another file or to nothing, is a failed open: the store never writes
// through it into someone else's file (where the folder is shared) and never creates its target.
TEST_F(ProfileStoreTest, ALinkInPlaceOfTheFileIsNeverFollowed) {
    const std::string victim = dir / "victim";
    const std::string victimBytes(100, 'v');  // a create through the link would write from byte 72 on
    testing_support::writeFile(victim, victimBytes);
    const std::string absent = dir / "absent";
    ProfileRecord record;
    for (const std::string& target : {victim, absent}) {
        std::filesystem::remove(file());
        ASSERT_EQ(::symlink(target.c_str(), file().c_str()), 0);
        EXPECT_EQ(create("Ann", "one"), ProfileResult::FileError) << target;
        EXPECT_EQ(load("Ann", "one", record), ProfileResult::FileError) << target;
        EXPECT_EQ(saveProfile(dir.path(), record, "one", "Ann"), ProfileResult::FileError) << target;
    }
    EXPECT_EQ(readFile(victim), victimBytes);
    EXPECT_FALSE(fileExists(absent));
}

// A new file's name lives in its folder: without syncing the folder too, a power cut can take the new
// profile with it. A file that was there already needs only its own sync.
TEST_F(ProfileStoreTest, ACreateSyncsTheRecordAndANewFilesFolder) {
    syncedPaths.clear();
    ASSERT_EQ(create("Ann", "one"), ProfileResult::Ok);
    const std::string canonicalFile = std::filesystem::canonical(file()).string();
    const std::string canonicalFolder = std::filesystem::canonical(folder()).string();
    EXPECT_EQ(std::count(syncedPaths.begin(), syncedPaths.end(), canonicalFile), 1);
    EXPECT_EQ(std::count(syncedPaths.begin(), syncedPaths.end(), canonicalFolder), 1);
    syncedPaths.clear();
    ASSERT_EQ(create("Bob", "two"), ProfileResult::Ok);
    EXPECT_EQ(syncedPaths, std::vector<std::string>{canonicalFile});
}

// ---- two running copies of the game on one file ----

// Runs every body in a process of its own, all at once, and returns their exit statuses; a body returns
// its count of failures. The store's lines go nowhere.
std::vector<int> runAtOnce(const std::vector<std::function<int()>>& bodies) {
    std::fflush(nullptr);
    std::vector<pid_t> children;
    for (const auto& body : bodies) {
        const pid_t child = ::fork();
        if (child == 0) {
            const bool quiet = std::freopen("/dev/null", "w", stdout) != nullptr;
            ::_exit(quiet ? std::min(body(), 250) : 255);
        }
        children.push_back(child);
    }
    std::vector<int> statuses;
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        statuses.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : 254);
    }
    return statuses;
}

// Loads that do not succeed, with the store's lines kept out of the test's output.
int failedLoads(const std::string& base, const std::vector<std::string>& names, const std::string& password) {
    testing::internal::CaptureStdout();
    int failed = 0;
    for (const std::string& name : names) {
        ProfileRecord record;
        if (loadProfile(base, record, password, name) != ProfileResult::Ok) ++failed;
    }
    testing::internal::GetCapturedStdout();
    return failed;
}

std::vector<std::string> numberedNames(const std::string& prefix, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back(prefix + std::to_string(i));
    return names;
}

// Each create scans for the append position and writes there: two copies doing that at once, without a
// lock, both append at the same record and one profile is lost while both report success.
TEST_F(ProfileStoreTest, TwoProcessesCreatingAtOnceLoseNoProfile) {
    constexpr int kPerProcess = 500;
    const auto creator = [&](const std::vector<std::string>& names) {
        return [&, names] {
            int failed = 0;
            for (const std::string& name : names) failed += create(name, "pw") != ProfileResult::Ok;
            return failed;
        };
    };
    const auto first = numberedNames("a", kPerProcess);
    const auto second = numberedNames("b", kPerProcess);
    EXPECT_EQ(runAtOnce({creator(first), creator(second)}), (std::vector<int>{0, 0}));
    EXPECT_EQ(readFile(file()).size(), 2u * kPerProcess * kProfileRecordSize);
    EXPECT_EQ(failedLoads(dir.path(), first, "pw") + failedLoads(dir.path(), second, "pw"), 0);
}

// A save that appends (no record matched its name and password) races creates the same way; saves in place
// must keep landing on their own record meanwhile.
TEST_F(ProfileStoreTest, SavesRacingCreatesKeepEveryRecord) {
    constexpr int kRounds = 200;
    ASSERT_EQ(create("Ann", "one"), ProfileResult::Ok);
    ProfileRecord ann;
    ASSERT_EQ(load("Ann", "one", ann), ProfileResult::Ok);
    const auto created = numberedNames("c", kRounds);
    const auto saved = numberedNames("s", kRounds);
    const std::string base = dir.path();
    const auto creator = [&] {
        int failed = 0;
        for (const std::string& name : created) failed += create(name, "pw") != ProfileResult::Ok;
        return failed;
    };
    const auto saver = [&] {
        int failed = 0;
        for (int i = 0; i < kRounds; ++i) {
            failed += saveLevelReached(base, ann, "one", i + 2) != ProfileResult::Ok;
            ProfileRecord fresh;
            setFieldText(fresh.name, saved[i]);
            std::string verification(kVerificationText);
            scramblePassword(verification, "pw");
            setFieldText(fresh.password, verification);
            fresh.level = 1;
            failed += saveProfile(base, fresh, "pw", saved[i]) != ProfileResult::Ok;
        }
        return failed;
    };
    EXPECT_EQ(runAtOnce({creator, saver}), (std::vector<int>{0, 0}));
    EXPECT_EQ(readFile(file()).size(), (1u + 2 * kRounds) * kProfileRecordSize);
    EXPECT_EQ(failedLoads(base, created, "pw") + failedLoads(base, saved, "pw"), 0);
    ASSERT_EQ(load("Ann", "one", ann), ProfileResult::Ok);
    EXPECT_EQ(ann.level, kRounds + 1);
}

// Another copy holding the file: loads share a reader's lock, a create waits for it, and a lock held past
// the bounded wait is a failed write rather than a frozen game. A lock released during the wait lets the
// write go ahead.
TEST_F(ProfileStoreTest, AnotherCopysLockIsWaitedForBoundedly) {
    ASSERT_EQ(create("Ann", "one"), ProfileResult::Ok);
    const int other = ::open(file().c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(other, LOCK_SH), 0);
    ProfileRecord record;
    EXPECT_EQ(load("Ann", "one", record), ProfileResult::Ok);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(create("Bob", "two"), ProfileResult::FileError);
    const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - started;
    EXPECT_GE(waited.count(), kProfileLockWaitSeconds - 0.1);
    EXPECT_LT(waited.count(), kProfileLockWaitSeconds + 2.0);

    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    std::thread release([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ::flock(other, LOCK_UN);
    });
    EXPECT_EQ(saveLevelReached(dir.path(), record, "one", 4), ProfileResult::Ok);
    release.join();
    ::close(other);
    ASSERT_EQ(load("Ann", "one", record), ProfileResult::Ok);
    EXPECT_EQ(record.level, 4);
    EXPECT_EQ(readFile(file()).size(), 72u);
}

}  // namespace
