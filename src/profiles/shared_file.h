#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

// The files that running copies of the game share (the profile file, the progress file), opened with the
// same care: a regular file only, never through a link (dangling or not) and never a blocking open (a pipe
// in its place), held under an advisory lock with a bounded wait, and written through to the disk.

struct SharedFile {
    int fd = -1;
    bool writable = false;
    bool folderSynced = true;  // the folder of a file this open made was synced
};

enum class FileAccess {
    Read,       // an existing file, for reading only; a missing one is not made
    ReadWrite,  // created empty when missing; read-only when it exists but cannot be written
};

enum class OpenOutcome {
    Open,      // open and locked
    NoFile,    // nothing there, and it was not or could not be created
    Unusable,  // something there that cannot be used, or a lock held too long elsewhere
};

// Opens the file and takes its lock (LOCK_SH or LOCK_EX), waiting at most lockSeconds for another copy of
// the game to let go of it. On anything but Open the file is closed.
OpenOutcome openSharedFile(const std::string& path, FileAccess access, int lockOperation, double lockSeconds,
                           SharedFile& file);

// Closes the file, which releases its lock. Closing a closed file does nothing.
void closeSharedFile(SharedFile& file);

// Nothing at the path: no file and no link (a missing folder counts).
bool fileIsMissing(const std::string& path);

// Syncs the folder that holds path: a new file's name, or a renamed one's, lives in its folder, which has to
// reach the disk too or a power cut can take the name with it.
bool syncFolderOf(const std::string& path);

// Exactly size bytes at offset; false on an error or when the file ends first.
bool readBytesAt(const SharedFile& file, off_t offset, std::uint8_t* bytes, std::size_t size);

// Writes the bytes at offset, waits for the disk and closes the file. False, the file closed all the same,
// when the file is read-only, when a file this open made may lose its name to a power cut (its folder did
// not sync), or when the write or the sync fails.
bool writeSyncAndClose(SharedFile& file, off_t offset, const std::uint8_t* bytes, std::size_t size);
