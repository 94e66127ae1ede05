// The profile file at the byte level: what a create writes and prints, what a scan finds, where saves
// land, and what happens when the file or its folder is missing, read-only or not a file at all.
// (Cut and junk records are the fuzz target's and the end-to-end tests' ground.)

#include "profiles/profile_store.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "support/temp_dir.h"

using testing_support::fileExists;
using testing_support::readFile;

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

    testing_support::TempDir dir;
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

// No folder, a folder in place of the file, a read-only file or folder: every write is reported failed,
// nothing is written, and a readable file still loads. File permissions mean nothing to root, so the
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

    testing_support::TempDir other;
    std::filesystem::create_directories(profileFilePath(other.path()));
    EXPECT_EQ(createProfile(other.path(), record, "pw", "Ann"), ProfileResult::FileError);
    EXPECT_EQ(loadProfile(other.path(), record, "pw", "Ann"), ProfileResult::NotFound);
    EXPECT_EQ(saveProfile(other.path(), record, "pw", "Ann"), ProfileResult::FileError);

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

TEST(ProfileText, FieldsHoldAtMost32CharactersAndAZero) {
    ProfileRecord record;
    setFieldText(record.name, std::string(40, 'n'));
    EXPECT_EQ(fieldText(record.name), std::string(32, 'n'));
    EXPECT_EQ(record.name[32], '\0');
    setFieldText(record.name, "ab");
    EXPECT_EQ(record.name[2], '\0');
    EXPECT_EQ(record.name[31], '\0');
    EXPECT_EQ(trimTrailingSpaces("   "), "");
}

}  // namespace
