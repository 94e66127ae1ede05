#include "app/level_choice.h"

#include <utility>

#include "profiles/level_folder.h"

namespace {

constexpr const char* kFileError = "File I/O ERROR!";
constexpr const char* kFileTooLarge = "FILE TOO LARGE!";
constexpr const char* kNoPlayableLevel = "NO PLAYABLE LEVEL!";

std::string fileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void listCollections(LevelChoice& choice, const std::string& levelFolder,
                     const std::string& commandLinePath) {
    choice.entries.clear();
    choice.entries.push_back({"Classic", kClassicSetPath, true});
    for (const std::string& name : listLevelFiles(levelFolder))
        choice.entries.push_back({name, levelFolder + "/" + name, false});
    choice.chosen = 0;
    if (!commandLinePath.empty()) {
        choice.entries.push_back({fileName(commandLinePath), commandLinePath, false});
        choice.chosen = static_cast<int>(choice.entries.size()) - 1;
    }
}

const char* readCollectionEntry(const CollectionEntry& entry, CollectionInPlay& out) {
    std::string bytes;
    const CollectionFileResult read = readCollectionFile(entry.path, bytes);
    if (read == CollectionFileResult::TooLarge) return kFileTooLarge;
    if (read != CollectionFileResult::Ok) return kFileError;
    CollectionInPlay play = openCollection(parseLevelCollection(bytes));
    if (nextUnsolvedLevel(play, 1) == 0) return kNoPlayableLevel;
    out = std::move(play);
    return nullptr;
}

void markSolvedLevels(CollectionInPlay& play, const ProfileProgress& progress, int classicReached) {
    for (std::size_t i = 0; i < play.solved.size(); ++i) {
        const auto record = progress.find(play.hashes[i]);
        const bool reachedPast = static_cast<int>(i) + 1 < classicReached;
        play.solved[i] = reachedPast || (record != progress.end() && record->second.solved);
    }
}
