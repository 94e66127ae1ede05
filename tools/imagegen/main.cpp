// Writes the game's 16 images into a game directory. With --png DIR it also writes each image as a PNG
// and a few previews of how the game shows them, for a person to look at.
//
//     tarmelo_imagegen GAME_DIR [--png DIR]

#include <cstdio>
#include <cstring>
#include <string>

#include "image_makers.h"
#include "png_preview.h"

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--png") == 0)) {
        std::fprintf(stderr, "usage: %s GAME_DIR [--png PREVIEW_DIR]\n", argv[0]);
        return 2;
    }
    const FontFiles fonts = defaultFontFiles();
    int failures = writeGameImages(argv[1], fonts);
    if (argc == 4) failures += writePreviews(argv[1], argv[3]);
    return failures == 0 ? 0 : 1;
}
