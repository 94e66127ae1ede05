// Writes the game's sound effects and songs into the game directory given as the only argument.

#include <cstdio>
#include <string>

#include "soundgen/sound_assets.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen GAME_DIRECTORY\n");
        return 2;
    }
    const std::vector<std::string> failed = writeSoundAssets(argv[1]);
    for (const std::string& path : failed) std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
    return failed.empty() ? 0 : 1;
}
