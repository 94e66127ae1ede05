#include <cstdio>

#include "core/board.h"
#include "core/level_file.h"
#include "profiles/data_directory.h"
#include "profiles/profile_store.h"

// Until the window layer exists the program only checks that its data is in place and says what it would
// start.
int main() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Board board;
    Player player;
    player.setName = "Classic";
    player.level = 1;
    loadLevel(board, player);
    std::printf("TARMELO 3D: level 1 of \"%s\" %s; profiles in %s\n", player.setName.c_str(),
                board.notFound ? "not found" : "loaded", profileFilePath(dataDirectory()).c_str());
    return 0;
}
