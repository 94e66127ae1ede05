#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/level_collection.h"
#include "levels/cli/commands.h"

namespace {

// The set's name: the file's name without its folder and extension ("Classic" for levels/Classic.lvt).
std::string setName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

}  // namespace

// The levels of a file in the genre's notation, for players to take to other games: the set's name on a
// "Collection:" line, its description, then every level with its "; N" line and a title ("Classic 12" where
// the level has none of its own). The game's own set files read in that notation too, so one reader serves.
int runExport(const Arguments& args) {
    if (args.size() != 1) return usage();
    std::ifstream in(args[0], std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        std::fprintf(stderr, "cannot read %s\n", args[0].c_str());
        return kExitUsage;
    }
    LevelCollection collection = parseLevelCollection(text);
    if (collection.levels.empty()) {
        std::fprintf(stderr, "no levels in %s\n", args[0].c_str());
        return kExitFailed;
    }
    const std::string name = collection.title.empty() ? setName(args[0]) : collection.title;
    std::string out = "Collection: " + name + "\n";
    if (!collection.description.empty()) out += collection.description + "\n";
    for (std::size_t i = 0; i < collection.levels.size(); ++i) {
        CollectionLevel& level = collection.levels[i];
        if (level.title.empty()) level.title = name + " " + std::to_string(i + 1);
        out += "\n" + formatCollectionLevel(level);
    }
    std::fputs(out.c_str(), stdout);
    return 0;
}
