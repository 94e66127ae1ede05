#pragma once

#include <string>

#include "profiles/profile_record.h"

// The profile file: fixed 72-byte records, numbered from 1, only ever appended or overwritten in place.
// Every operation opens the file, does its work and closes it; writes reach the disk before it returns.
//
// Two running copies of the game may share the file. Each operation holds a lock on it from its scan to
// its last write: exclusive for create and save (whose scans choose where they write), shared for loads.
// Only a regular file is used: a link, folder, pipe or device in its place is a file that cannot be
// opened, so the store never writes through a link into another file.
//
// A file whose length is not a multiple of 72 ends in a partial record (a write cut short). That tail is
// never read as a profile: scans stop at the last whole record, and the append position is the record
// right after it, so a new record replaces the partial tail and never an existing whole record.

// What an operation came to. Each operation gives only some: create Ok, FileError or NameTaken; load Ok,
// FileError, WrongPassword or NotFound; save Ok or FileError.
enum class ProfileResult {
    Ok,
    FileError,      // the file cannot be opened, read or written
    NameTaken,      // createProfile: a profile with this name exists
    WrongPassword,  // loadProfile: the password does not verify
    NotFound,       // loadProfile: no profile with this name
};

// How long an operation waits for another running copy of the game to finish with the file, in seconds,
// before it gives up as on a failed write.
constexpr double kProfileLockWaitSeconds = 2.0;

// base + "/ZUR/Tarmelo3D/profiles.data".
std::string profileFilePath(const std::string& base);

// Scans for the record matching name and password (names compared without trailing spaces). Returns its
// number, or the append position when none matches, or -1 when the file cannot be opened or read. notFound
// is set to 1 on entry and cleared as soon as a record with this name is seen, whatever its password.
// Creates an empty file when there is none.
int findProfile(const std::string& base, const std::string& name, const std::string& password, int& notFound);

// Appends a new profile at level 1. On Ok or FileError the record holds the plain name, the scrambled
// password field and level 1.
ProfileResult createProfile(const std::string& base, ProfileRecord& record, const std::string& password,
                            const std::string& name);

// Logs in: on Ok the record holds the stored profile with its name in plain text. A file that is there but
// cannot be read is a FileError; only a readable file (or none at all) can say NotFound.
ProfileResult loadProfile(const std::string& base, ProfileRecord& record, const std::string& password,
                          const std::string& name);

// Writes the record back over its own entry (or appends it when no entry matches name and password). The
// record's name is shifted for the write and restored before returning.
ProfileResult saveProfile(const std::string& base, ProfileRecord& record, const std::string& password,
                          const std::string& name);

// The level-end reload's save: the level reached goes into the logged-in record, which is written back
// under its own name. The result is that of saveProfile; the game does not act on it.
ProfileResult saveLevelReached(const std::string& base, ProfileRecord& record, const std::string& password,
                               int level);
