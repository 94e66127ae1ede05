// Writes every model file of the game into the game directory given as the only argument.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "model_set.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s GAME_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    for (const GeneratedModel& generated : buildModelSet()) {
        const std::filesystem::path path = root / generated.path;
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        if (error || !writeModel(path.string(), generated.model)) {
            std::fprintf(stderr, "modelgen: cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}
