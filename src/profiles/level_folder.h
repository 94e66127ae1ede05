#pragma once

#include <string>
#include <vector>

// The player's own level collections: any file in the folder "levels" beside the profile file, and a file
// named on the command line. Files are only read, never written. Listing reads no file: a collection is
// read when it is chosen, so a folder of large collections costs nothing at start-up.

// A collection file larger than this is refused: the largest collections players share are a few
// megabytes, and reading one is a single allocation of its size.
constexpr long long kMaxCollectionFileBytes = 64LL * 1024 * 1024;

// base + "/ZUR/Tarmelo3D/levels".
std::string levelFolderPath(const std::string& base);

// Creates the folder when it is missing, silently: a folder that cannot be made lists as empty.
void makeLevelFolder(const std::string& base);

// The names of the regular files in a folder (links to regular files included), sorted byte by byte;
// hidden files (a leading ".") are left out. A missing or unreadable folder gives none.
std::vector<std::string> listLevelFiles(const std::string& folder);

enum class CollectionFileResult {
    Ok,
    Unreadable,  // missing, not a regular file, or a read failed
    TooLarge,    // over kMaxCollectionFileBytes
};

// Reads a whole file into bytes.
CollectionFileResult readCollectionFile(const std::string& path, std::string& bytes);
