// Writes the game's 16 images and the window's icon into a game directory. With --png DIR it also writes each
// image as a PNG and a few previews of how the game shows them, for a person to look at. With --icons it
// writes the desktop icon instead, as PNG files in an icon theme's layout: THEME_DIR/NxN/apps/NAME.png.
//
//     tarmelo_imagegen GAME_DIR [--png DIR]
//     tarmelo_imagegen --icons THEME_DIR NAME

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "image_makers.h"
#include "png_preview.h"

namespace {

// The sizes a desktop picks from for menus, launchers and software centres.
constexpr int kIconSizes[] = {64, 128, 256};

int writeIcons(const std::string& themeDirectory, const std::string& name) {
    int failures = 0;
    for (const int size : kIconSizes) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size) + "/apps";
        const std::filesystem::path target = std::filesystem::path(themeDirectory) / folder / (name + ".png");
        std::error_code error;
        std::filesystem::create_directories(target.parent_path(), error);
        if (!savePng(target.string(), makeAppIcon(size))) {
            std::fprintf(stderr, "imagegen: could not write %s\n", target.string().c_str());
            ++failures;
        }
    }
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--icons") == 0) return writeIcons(argv[2], argv[3]) == 0 ? 0 : 1;
    if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--png") == 0)) {
        std::fprintf(stderr, "usage: %s GAME_DIR [--png PREVIEW_DIR]\n       %s --icons THEME_DIR NAME\n",
                     argv[0], argv[0]);
        return 2;
    }
    const FontFiles fonts = defaultFontFiles();
    int failures = writeGameImages(argv[1], fonts);
    if (argc == 4) failures += writePreviews(argv[1], argv[3]);
    return failures == 0 ? 0 : 1;
}
