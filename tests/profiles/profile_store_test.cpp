// The profile file, checked at the byte level: what a create writes, what a scan reports, where saves land,
// and what happens when the file or its folder is missing, read-only, truncated or full of junk.

#include "profiles/profile_store.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/temp_dir.h"

using testing_support::fileExists;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// A profile folder base/ZUR/Tarmelo3D, as start-up leaves it.
struct ProfileStoreTest : ::testing::Test {
    void SetUp() override {
        std::filesystem::create_directories(dir / "ZUR/Tarmelo3D");
        ::chmod((dir / "ZUR").c_str(), 0755);
        ::chmod((dir / "ZUR/Tarmelo3D").c_str(), 0755);
    }
    std::string file() const { return profileFilePath(dir.path()); }
    int create(const std::string& name, const std::string& password) {
        ProfileRecord record;
        return createProfile(dir.path(), record, password, name);
    }
    int load(const std::string& name, const std::string& password, ProfileRecord& record) {
        return loadProfile(dir.path(), record, password, name);
    }

    TempDir dir;
};

std::uint8_t byteAt(const std::string& bytes, std::size_t offset) {
    return static_cast<std::uint8_t>(bytes.at(offset));
}

TEST_F(ProfileStoreTest, CreateWritesTheRecordByteForByte) {
    testing::internal::CaptureStdout();
    ProfileRecord record;
    ASSERT_EQ(createProfile(dir.path(), record, "Pw1", "Ann B"), PROFILE_OK);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File will be created...\nfpos =1\n");

    const std::string bytes = readFile(file());
    ASSERT_EQ(bytes.size(), 72u);
    const std::string name = "Ann B";
    for (std::size_t i = 0; i < 33; ++i) {
        const int expected = i < name.size() ? (static_cast<std::uint8_t>(name[i]) + 64) % 256 : 0;
        EXPECT_EQ(byteAt(bytes, i), expected) << "name byte " << i;
    }
    const std::string password = "Pw1";
    const std::string verification = "lanternslanternslanternslanterns";
    for (std::size_t i = 0; i < 32; ++i) {
        const int mask = (static_cast<std::uint8_t>(password[i % password.size()]) + 128) % 256;
        EXPECT_EQ(byteAt(bytes, 33 + i), static_cast<std::uint8_t>(verification[i]) ^ mask) << i;
        EXPECT_GE(byteAt(bytes, 33 + i), 0x80) << "no early zero in the password field, byte " << i;
    }
    EXPECT_EQ(byteAt(bytes, 65), 0);
    EXPECT_EQ(byteAt(bytes, 66), 0);
    EXPECT_EQ(byteAt(bytes, 67), 0);
    EXPECT_EQ(byteAt(bytes, 68), 1);
    EXPECT_EQ(byteAt(bytes, 69), 0);
    EXPECT_EQ(byteAt(bytes, 70), 0);
    EXPECT_EQ(byteAt(bytes, 71), 0);

    // The caller holds the name plain and the password field as stored.
    EXPECT_EQ(fieldText(record.name), "Ann B");
    EXPECT_EQ(std::string(record.password, 33), bytes.substr(33, 33));
    EXPECT_EQ(record.level, 1);
}

TEST_F(ProfileStoreTest, LoadWithoutAFileCreatesItEmpty) {
    testing::internal::CaptureStdout();
    ProfileRecord record;
    EXPECT_EQ(load("Ann", "pw", record), PROFILE_NOT_FOUND);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "fpos =1\n");
    EXPECT_TRUE(fileExists(file()));
    EXPECT_EQ(readFile(file()).size(), 0u);
}

TEST_F(ProfileStoreTest, NamesAreUniqueWhateverThePassword) {
    ASSERT_EQ(create("Ann", "one"), PROFILE_OK);
    EXPECT_EQ(create("Ann  ", "two"), PROFILE_NAME_TAKEN);  // trailing spaces do not make a new name
    EXPECT_EQ(create("Ann", "one"), PROFILE_NAME_TAKEN);
    EXPECT_EQ(create("ann", "one"), PROFILE_OK);  // case matters
    EXPECT_EQ(readFile(file()).size(), 144u);
}

TEST_F(ProfileStoreTest, LoadVerifiesThePassword) {
    ASSERT_EQ(create("Ann", "one"), PROFILE_OK);
    ASSERT_EQ(create("Bob", "two"), PROFILE_OK);
    ProfileRecord record;
    EXPECT_EQ(load("Bob", "one", record), PROFILE_WRONG_PASSWORD);
    EXPECT_EQ(load("Cid", "two", record), PROFILE_NOT_FOUND);
    EXPECT_EQ(fieldText(record.name), "");  // untouched by the failures

    testing::internal::CaptureStdout();
    ASSERT_EQ(load("Bob", "two", record), PROFILE_OK);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "found record at 2\nfpos =2\n");
    EXPECT_EQ(fieldText(record.name), "Bob");
    EXPECT_EQ(std::string(record.password, 33), readFile(file()).substr(72 + 33, 33));
    EXPECT_EQ(record.level, 1);
}

TEST_F(ProfileStoreTest, LongPasswordsVerifyThroughTheirFirst32Characters) {
    const std::string longPassword = "abcdefghijklmnopqrstuvwxyz0123456789ABCD";
    ASSERT_EQ(create("Ann", longPassword), PROFILE_OK);
    ProfileRecord record;
    EXPECT_EQ(load("Ann", longPassword.substr(0, 32) + "different", record), PROFILE_OK);
    EXPECT_EQ(load("Ann", longPassword.substr(0, 31), record), PROFILE_WRONG_PASSWORD);
}

TEST_F(ProfileStoreTest, SaveOverwritesItsOwnRecordInPlace) {
    ASSERT_EQ(create("Ann", "one"), PROFILE_OK);
    ASSERT_EQ(create("Bob", "two"), PROFILE_OK);
    ASSERT_EQ(create("Cid", "three"), PROFILE_OK);
    const std::string before = readFile(file());
    ProfileRecord bob;
    ASSERT_EQ(load("Bob", "two", bob), PROFILE_OK);
    for (int level = 2; level <= 5; ++level)
        ASSERT_EQ(saveLevelReached(dir.path(), bob, "two", level), PROFILE_OK);

    const std::string after = readFile(file());
    ASSERT_EQ(after.size(), before.size());  // no growth from repeated saves
    EXPECT_EQ(after.substr(0, 72), before.substr(0, 72));
    EXPECT_EQ(after.substr(144), before.substr(144));
    EXPECT_EQ(after.substr(72, 68), before.substr(72, 68));
    EXPECT_EQ(byteAt(after, 72 + 68), 5);
    EXPECT_EQ(fieldText(bob.name), "Bob");  // restored after the shifted write

    ProfileRecord again;
    ASSERT_EQ(load("Bob", "two", again), PROFILE_OK);
    EXPECT_EQ(again.level, 5);
}

TEST_F(ProfileStoreTest, SaveUnderAnUnknownNameAppends) {
    ASSERT_EQ(create("Ann", "one"), PROFILE_OK);
    ProfileRecord ann;
    ASSERT_EQ(load("Ann", "one", ann), PROFILE_OK);
    EXPECT_EQ(saveProfile(dir.path(), ann, "other", "Ann"), PROFILE_OK);
    EXPECT_EQ(readFile(file()).size(), 144u);
}

TEST_F(ProfileStoreTest, MissingFolderFailsCleanlyWithoutWriting) {
    const std::string base = dir / "nowhere";
    ProfileRecord record;
    testing::internal::CaptureStdout();
    EXPECT_EQ(createProfile(base, record, "pw", "Ann"), PROFILE_FILE_ERROR);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File will be created...\n");
    EXPECT_EQ(fieldText(record.name), "Ann");  // filled even though it was not written
    EXPECT_EQ(loadProfile(base, record, "pw", "Ann"), PROFILE_NOT_FOUND);
    EXPECT_EQ(saveProfile(base, record, "pw", "Ann"), PROFILE_FILE_ERROR);
    int notFound = 0;
    EXPECT_EQ(findProfile(base, "Ann", "pw", notFound), -1);
    EXPECT_EQ(notFound, 1);
    EXPECT_FALSE(fileExists(base));
}

TEST_F(ProfileStoreTest, ReadOnlyFileLoadsButNeverReportsAWriteAsDone) {
    ASSERT_EQ(create("Ann", "one"), PROFILE_OK);
    ::chmod(file().c_str(), 0444);
    const std::string before = readFile(file());
    const std::string base = dir.path();
    const int results = testing_support::runWithoutPrivileges([&] {
        ProfileRecord record;
        const int load = loadProfile(base, record, "one", "Ann");
        const int create = createProfile(base, record, "pw", "Bob");
        record.level = 9;
        const int save = saveProfile(base, record, "one", "Ann");
        return load * 100 + create * 10 + save;
    });
    EXPECT_EQ(results, PROFILE_OK * 100 + PROFILE_FILE_ERROR * 10 + PROFILE_FILE_ERROR);
    EXPECT_EQ(readFile(file()), before);
}

TEST_F(ProfileStoreTest, ReadOnlyFolderWithoutAFileReportsAnError) {
    ::chmod((dir / "ZUR/Tarmelo3D").c_str(), 0555);
    const std::string base = dir.path();
    const int results = testing_support::runWithoutPrivileges([&] {
        ProfileRecord record;
        return createProfile(base, record, "pw", "Ann") * 10 + loadProfile(base, record, "pw", "Ann");
    });
    EXPECT_EQ(results, PROFILE_FILE_ERROR * 10 + PROFILE_NOT_FOUND);
    EXPECT_FALSE(fileExists(file()));
}

TEST_F(ProfileStoreTest, TruncatedLastRecordIsNeverAProfile) {
    ASSERT_EQ(create("Ann", "one"), PROFILE_OK);
    ASSERT_EQ(create("Bob", "two"), PROFILE_OK);
    // Cut Bob's record after its password field: name and password are intact, the level is gone.
    const std::string whole = readFile(file());
    writeFile(file(), whole.substr(0, 72 + 66));

    ProfileRecord record;
    EXPECT_EQ(load("Ann", "one", record), PROFILE_OK);
    EXPECT_EQ(load("Bob", "two", record), PROFILE_NOT_FOUND);
    // A new profile goes to the first whole-record boundary after the last whole record.
    testing::internal::CaptureStdout();
    EXPECT_EQ(create("Bob", "two"), PROFILE_OK);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "fpos =2\n");
    const std::string after = readFile(file());
    ASSERT_EQ(after.size(), 144u);
    EXPECT_EQ(after.substr(0, 72), whole.substr(0, 72));
    EXPECT_EQ(load("Bob", "two", record), PROFILE_OK);
    EXPECT_EQ(record.level, 1);
}

TEST_F(ProfileStoreTest, JunkRecordsAreScannedPastAndKept) {
    std::string junk;
    for (int i = 0; i < 72 * 3 + 10; ++i) junk += static_cast<char>((i * 37 + 11) % 256);
    writeFile(file(), junk);
    ASSERT_EQ(create("Ann", "one"), PROFILE_OK);
    const std::string after = readFile(file());
    ASSERT_EQ(after.size(), 72u * 4);
    EXPECT_EQ(after.substr(0, 216), junk.substr(0, 216));
    ProfileRecord record;
    EXPECT_EQ(load("Ann", "one", record), PROFILE_OK);
}

TEST_F(ProfileStoreTest, AFolderInPlaceOfTheFileIsAnError) {
    std::filesystem::create_directories(file());
    ProfileRecord record;
    EXPECT_EQ(create("Ann", "one"), PROFILE_FILE_ERROR);
    EXPECT_EQ(load("Ann", "one", record), PROFILE_NOT_FOUND);
    EXPECT_EQ(saveProfile(dir.path(), record, "one", "Ann"), PROFILE_FILE_ERROR);
}

TEST(ProfileText, ScrambleAndShiftAreTheirOwnUndo) {
    std::string text = "lanternslanternslanternslanterns";
    scramblePassword(text, "key");
    EXPECT_NE(text, "lanternslanternslanternslanterns");
    EXPECT_EQ(static_cast<std::uint8_t>(text[0]), ('l' ^ (('k' + 128) % 256)));
    scramblePassword(text, "key");
    EXPECT_EQ(text, "lanternslanternslanternslanterns");

    std::string name = "z~\xf0";
    shiftName(name, 64);
    EXPECT_EQ(static_cast<std::uint8_t>(name[0]), ('z' + 64) % 256);
    EXPECT_EQ(static_cast<std::uint8_t>(name[2]), (0xf0 + 64) % 256);  // wraps
    shiftName(name, -64);
    EXPECT_EQ(name, "z~\xf0");
}

TEST(ProfileText, FieldsHoldAtMost32CharactersAndAZero) {
    ProfileRecord record;
    setFieldText(record.name, std::string(40, 'n'));
    EXPECT_EQ(fieldText(record.name), std::string(32, 'n'));
    EXPECT_EQ(record.name[32], '\0');
    setFieldText(record.name, "ab");
    EXPECT_EQ(record.name[2], '\0');
    EXPECT_EQ(record.name[31], '\0');
    EXPECT_EQ(trimTrailingSpaces("a b  "), "a b");
    EXPECT_EQ(trimTrailingSpaces("   "), "");
}

TEST(ProfileText, RecordEncodingIsLittleEndian) {
    ProfileRecord record;
    record.level = 0x01020304;
    ProfileBytes bytes;
    encodeProfileRecord(record, bytes);
    EXPECT_EQ(bytes[68], 4);
    EXPECT_EQ(bytes[71], 1);
    EXPECT_EQ(decodeProfileRecord(bytes).level, 0x01020304);
}

}  // namespace
