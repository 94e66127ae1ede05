#include <cstdio>
#include <filesystem>
#include <system_error>

#include "formats/tga_image.h"
#include "glyph_grid.h"
#include "image_makers.h"

#ifndef TARMELO_SMALL_FONT_FILE
#error "the build passes the font files found at configure time"
#endif

FontFiles defaultFontFiles() {
    return FontFiles{TARMELO_SMALL_FONT_FILE, TARMELO_LARGE_FONT_FILE, TARMELO_LOGO_FONT_FILE};
}

Image makeSmallFontImage(const FontFiles& fonts) {
    // An 8-pixel pixel font keeps every stroke on whole pixels: legible where a scaled outline font blurs.
    const GlyphGridStyle style{GlyphRendering::monochrome, true, 0, 0, 0, 1.0f};
    return makeGlyphGrid(fonts.small, kSmallFontGrid, style);
}

Image makeLargeFontImage(const FontFiles& fonts) {
    // The glyphs keep to the lower 24 rows of their 32-pixel cells: the HUD stacks its lines 24 pixels
    // apart with the first cell's top 8 rows above the window, and the menu 30 apart. Widened a little
    // to fill more of the fixed 32-pixel advance.
    const GlyphGridStyle style{GlyphRendering::light, false, 1, 8, 1, 1.3f};
    return makeGlyphGrid(fonts.large, kLargeFontGrid, style);
}

const std::array<const char*, kGameImageCount> kGameImagePaths = {
    "Textures/Text.tga", "Textures/Floor.tga",  "Textures/Wall2.tga",  "Textures/Wall.tga",
    "Textures/logo.tga", "Textures/crate2.tga", "Textures/Legs.tga",   "Textures/Body.tga",
    "Textures/Head.tga", "Textures/fog.tga",    "Textures/Swords.tga", "gfx/empty.tga",
    "gfx/wall.tga",      "gfx/target.tga",      "gfx/object.tga",      "gfx/player.tga",
};

Image makeGameImage(const std::string& path, const FontFiles& fonts) {
    if (path == "Textures/Text.tga") return makeSmallFontImage(fonts);
    if (path == "Textures/Floor.tga") return makeFloorTexture();
    if (path == "Textures/Wall2.tga") return makeWallTopTexture();
    if (path == "Textures/Wall.tga") return makeBrickWallTexture();
    if (path == "Textures/logo.tga") return makeLogoImage(fonts);
    if (path == "Textures/crate2.tga") return makeCrateTexture();
    if (path == "Textures/Legs.tga") return makeLegsTexture();
    if (path == "Textures/Body.tga") return makeBodyTexture();
    if (path == "Textures/Head.tga") return makeHeadTexture();
    if (path == "Textures/fog.tga") return makeFogTexture();
    if (path == "Textures/Swords.tga") return makeLargeFontImage(fonts);
    if (path == "gfx/empty.tga") return makeMapIcon(MapIcon::empty);
    if (path == "gfx/wall.tga") return makeMapIcon(MapIcon::wall);
    if (path == "gfx/target.tga") return makeMapIcon(MapIcon::target);
    if (path == "gfx/object.tga") return makeMapIcon(MapIcon::object);
    if (path == "gfx/player.tga") return makeMapIcon(MapIcon::player);
    return Image{};
}

int writeGameImages(const std::string& gameDirectory, const FontFiles& fonts) {
    int failures = 0;
    for (const char* path : kGameImagePaths) {
        const std::filesystem::path target = std::filesystem::path(gameDirectory) / path;
        std::error_code error;
        std::filesystem::create_directories(target.parent_path(), error);
        const Image image = makeGameImage(path, fonts);
        if (!isImageValid(image)) {
            std::fprintf(stderr, "imagegen: could not make %s (is its font installed?)\n", path);
            ++failures;
        } else if (!saveTgaImage(target.string(), image)) {
            std::fprintf(stderr, "imagegen: could not write %s\n", target.string().c_str());
            ++failures;
        }
    }
    return failures;
}
