#include <cstdio>
#include <filesystem>
#include <system_error>

#include "formats/asset_files.h"
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

// Every image file the game opens, once each: two texture slots share the crate's file.
const std::array<const char*, kGameImageCount> kGameImagePaths = [] {
    std::array<const char*, kGameImageCount> paths{};
    std::size_t count = 0;
    for (int slot = 1; slot <= kTextureSlotCount; ++slot) {
        if (slot != TEX_CRATE_ALT) paths[count++] = kTextureFiles[slot];
    }
    for (int slot = 1; slot <= kIconSlotCount; ++slot) paths[count++] = kIconFiles[slot];
    return paths;
}();
static_assert(kGameImageCount == kTextureSlotCount - 1 + kIconSlotCount,
              "every texture file once, every icon");

Image makeGameImage(const std::string& path, const FontFiles& fonts) {
    if (path == kTextureFiles[TEX_TEXT]) return makeSmallFontImage(fonts);
    if (path == kTextureFiles[TEX_FLOOR]) return makeFloorTexture();
    if (path == kTextureFiles[TEX_WALL2]) return makeWallTopTexture();
    if (path == kTextureFiles[TEX_WALL]) return makeBrickWallTexture();
    if (path == kTextureFiles[TEX_LOGO]) return makeLogoImage(fonts);
    if (path == kTextureFiles[TEX_CRATE]) return makeCrateTexture();
    if (path == kTextureFiles[TEX_LEGS]) return makeLegsTexture();
    if (path == kTextureFiles[TEX_BODY]) return makeBodyTexture();
    if (path == kTextureFiles[TEX_HEAD]) return makeHeadTexture();
    if (path == kTextureFiles[TEX_FOG]) return makeFogTexture();
    if (path == kTextureFiles[TEX_SWORDS]) return makeLargeFontImage(fonts);
    if (path == kIconFiles[ICON_EMPTY]) return makeMapIcon(MapIcon::empty);
    if (path == kIconFiles[ICON_WALL]) return makeMapIcon(MapIcon::wall);
    if (path == kIconFiles[ICON_TARGET]) return makeMapIcon(MapIcon::target);
    if (path == kIconFiles[ICON_OBJECT]) return makeMapIcon(MapIcon::object);
    if (path == kIconFiles[ICON_PLAYER]) return makeMapIcon(MapIcon::player);
    return Image{};
}

namespace {

// One image below the game directory (creating its folder); false, with a line on standard error, when it
// could not be made or written.
bool writeImage(const std::string& gameDirectory, const char* path, const Image& image) {
    const std::filesystem::path target = std::filesystem::path(gameDirectory) / path;
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    if (!isImageValid(image)) {
        std::fprintf(stderr, "imagegen: could not make %s (is its font installed?)\n", path);
        return false;
    }
    if (!saveTgaImage(target.string(), image)) {
        std::fprintf(stderr, "imagegen: could not write %s\n", target.string().c_str());
        return false;
    }
    return true;
}

}  // namespace

int writeGameImages(const std::string& gameDirectory, const FontFiles& fonts) {
    int failures = 0;
    for (const char* path : kGameImagePaths) {
        if (!writeImage(gameDirectory, path, makeGameImage(path, fonts))) ++failures;
    }
    if (!writeImage(gameDirectory, kWindowIconFile, makeAppIcon(kWindowIconSize))) ++failures;
    return failures;
}
