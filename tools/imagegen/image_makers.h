#pragma once

#include <array>
#include <string>

#include "formats/tga_image.h"

// Every image the game opens, made from code: the scene textures, the keeper's clothes and face, the
// logo, the fog, the mini-map icons and the two font images. All sizes are powers of two; the same
// program run gives the same pixels.
//
// Texture layouts the models rely on (texture coordinate (0, 0) is the image's lower-left corner):
//  - Floor.tga: 8 x 8 flagstones, one per 64-pixel cell, so a floor mapped at 1/8 of the image per cell
//    shows one stone per board cell; tiles seamlessly.
//  - Wall.tga: 8 courses of 4 bricks in running bond; tiles seamlessly in both directions.
//  - Wall2.tga: one capstone with a chiselled rim, for the top face of a wall block.
//  - crate2.tga: one crate face: a frame of boards round the edge, planks and a diagonal brace.
//  - Legs.tga: trouser cloth, belt along the top edge, hems along the bottom edge.
//  - Body.tga: checked shirt; the left half (s 0 to 0.5) is the front with the button band at s = 0.25,
//    the right half the back; collar along the top edge.
//  - Head.tga: the left half is the face (centred on s = 0.25, chin at the bottom, hair line at the
//    top), the right half the back of the head covered in hair.

struct FontFiles {
    std::string small;  // pixel font for the 8-pixel glyph grid
    std::string large;  // font of the 32-pixel glyph grid
    std::string logo;   // heavy face for the logo lettering
};

// The fonts found when the build was configured.
FontFiles defaultFontFiles();

Image makeSmallFontImage(const FontFiles& fonts);  // 128 x 128
Image makeLargeFontImage(const FontFiles& fonts);  // 512 x 256
Image makeLogoImage(const FontFiles& fonts);       // 1024 x 512, stretched over the whole window

Image makeFloorTexture();      // 512 x 512
Image makeBrickWallTexture();  // 512 x 512
Image makeWallTopTexture();    // 512 x 512
Image makeCrateTexture();      // 512 x 512
Image makeLegsTexture();       // 256 x 256
Image makeBodyTexture();       // 256 x 256
Image makeHeadTexture();       // 256 x 256
Image makeFogTexture();        // 512 x 512, tiles seamlessly

enum class MapIcon { empty, wall, target, object, player };
Image makeMapIcon(MapIcon icon);  // 32 x 32

// The desktop's icon of the game: a crate in the scene's crate texture, seen from above a corner, on a
// transparent square of size x size pixels. Empty unless size divides 1024.
Image makeAppIcon(int size);

// The 16 files at the paths the game opens them, relative to the game directory.
constexpr int kGameImageCount = 16;
extern const std::array<const char*, kGameImageCount> kGameImagePaths;

// Makes the image stored at one of kGameImagePaths; empty for any other path or a missing font.
Image makeGameImage(const std::string& path, const FontFiles& fonts);

// The window's icon: the desktop icon at the size a task bar scales from.
constexpr int kWindowIconSize = 64;

// Writes all 16 files and the window's icon below gameDirectory (creating the folders). Returns the number of
// files that could not be made or written, each reported on standard error.
int writeGameImages(const std::string& gameDirectory, const FontFiles& fonts);
