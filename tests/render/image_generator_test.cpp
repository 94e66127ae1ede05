// Guards the generated game images as the game reads them back: the font grids (right glyph in the right
// cell, common baseline, nothing spilling between cells), sizes, seamless tiling, the logo's clear strip
// and dark panel, the fog's alpha and the icons' shapes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

#include "glyph_grid.h"
#include "image_makers.h"
#include "render/tga_image.h"
#include "support/temp_dir.h"

namespace {

// The 16 files, generated once into a scratch game directory and read back with the game's reader.
class GeneratedImages : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        directory_ = new testing_support::TempDir();
        failures_ = writeGameImages(directory_->path(), defaultFontFiles());
        images_ = new std::map<std::string, Image>();
        for (const char* path : kGameImagePaths) (*images_)[path] = loadTgaImage(*directory_ / path);
    }
    static void TearDownTestSuite() {
        delete images_;
        delete directory_;
    }
    static const Image& image(const std::string& path) { return images_->at(path); }

    static testing_support::TempDir* directory_;
    static std::map<std::string, Image>* images_;
    static int failures_;
};

testing_support::TempDir* GeneratedImages::directory_ = nullptr;
std::map<std::string, Image>* GeneratedImages::images_ = nullptr;
int GeneratedImages::failures_ = 0;

float luminance(const std::uint8_t* p) {
    return (0.3f * p[0] + 0.59f * p[1] + 0.11f * p[2]) / 255.0f;
}

// Ink rows and columns of one glyph cell, in cell coordinates with row 0 at the cell's TOP.
struct Ink {
    int pixels = 0;
    int top = 1 << 20, bottom = -1, left = 1 << 20, right = -1;
    std::vector<int> widthOfRow;  // inked pixels per row, top first
};

Ink inkOfCell(const Image& grid, const GlyphGridLayout& layout, int code) {
    Ink ink;
    const int cell = layout.cellSize;
    ink.widthOfRow.assign(cell, 0);
    const int left = glyphCellLeft(layout, code);
    const int bottom = glyphCellBottom(layout, code);
    for (int row = 0; row < cell; ++row) {
        for (int column = 0; column < cell; ++column) {
            if (pixelAt(grid, left + column, bottom + cell - 1 - row)[3] < 128) continue;
            ++ink.pixels;
            ++ink.widthOfRow[row];
            ink.top = std::min(ink.top, row);
            ink.bottom = std::max(ink.bottom, row);
            ink.left = std::min(ink.left, column);
            ink.right = std::max(ink.right, column);
        }
    }
    return ink;
}

float averageWidth(const Ink& ink, int fromRow, int toRow) {
    float sum = 0;
    for (int row = fromRow; row <= toRow; ++row) sum += ink.widthOfRow[row];
    return sum / (toRow - fromRow + 1);
}

// Mean colour difference between neighbouring columns inside the image and across its wrap-around edge
// (and the same for rows); a seam makes the wrap-around difference stand out.
void expectSeamless(const Image& image, const char* name) {
    const auto difference = [&](int x0, int y0, int x1, int y1) {
        const std::uint8_t* a = pixelAt(image, x0, y0);
        const std::uint8_t* b = pixelAt(image, x1, y1);
        return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) + std::abs(a[3] - b[3]);
    };
    const int w = image.width;
    const int h = image.height;
    double inside = 0;
    double acrossColumns = 0;
    double acrossRows = 0;
    for (int i = 0; i < h; ++i) {
        for (int x = 0; x + 1 < w; ++x) inside += difference(x, i % h, x + 1, i % h);
        acrossColumns += difference(w - 1, i, 0, i);
    }
    for (int x = 0; x < w; ++x) acrossRows += difference(x, h - 1, x, 0);
    inside /= static_cast<double>(h) * (w - 1);
    acrossColumns /= h;
    acrossRows /= w;
    EXPECT_LT(acrossColumns, 1.6 * inside + 2.0) << name << ": seam between right and left edge";
    EXPECT_LT(acrossRows, 1.6 * inside + 2.0) << name << ": seam between top and bottom edge";
}

TEST_F(GeneratedImages, AllSixteenFilesAreWrittenAndReadBack) {
    EXPECT_EQ(failures_, 0);
    for (const char* path : kGameImagePaths) {
        EXPECT_TRUE(isImageValid(image(path))) << path;
        EXPECT_TRUE(testing_support::fileExists(*directory_ / path)) << path;
    }
}

TEST_F(GeneratedImages, SizesArePowersOfTwoAsTheGameExpects) {
    const std::map<std::string, std::pair<int, int>> sizes = {
        {"Textures/Text.tga", {128, 128}},  {"Textures/Swords.tga", {512, 256}},
        {"Textures/Floor.tga", {512, 512}}, {"Textures/Wall.tga", {512, 512}},
        {"Textures/Wall2.tga", {512, 512}}, {"Textures/crate2.tga", {512, 512}},
        {"Textures/Legs.tga", {256, 256}},  {"Textures/Body.tga", {256, 256}},
        {"Textures/Head.tga", {256, 256}},  {"Textures/logo.tga", {1024, 512}},
        {"Textures/fog.tga", {512, 512}},   {"gfx/empty.tga", {32, 32}},
        {"gfx/wall.tga", {32, 32}},         {"gfx/target.tga", {32, 32}},
        {"gfx/object.tga", {32, 32}},       {"gfx/player.tga", {32, 32}},
    };
    ASSERT_EQ(sizes.size(), static_cast<std::size_t>(kGameImageCount));
    for (const auto& [path, size] : sizes) {
        EXPECT_EQ(image(path).width, size.first) << path;
        EXPECT_EQ(image(path).height, size.second) << path;
    }
}

TEST_F(GeneratedImages, FontGlyphsAreWhiteAndCutOutByAlpha) {
    for (const char* path : {"Textures/Text.tga", "Textures/Swords.tga"}) {
        const Image& grid = image(path);
        int inked = 0;
        int notWhite = 0;
        for (std::size_t i = 0; i < grid.pixels.size(); i += 4) {
            if (grid.pixels[i] + grid.pixels[i + 1] + grid.pixels[i + 2] != 3 * 255) ++notWhite;
            if (grid.pixels[i + 3] > 0) ++inked;
        }
        EXPECT_EQ(notWhite, 0) << path;
        EXPECT_GT(inked, 0) << path;
        EXPECT_LT(inked, static_cast<int>(grid.pixels.size() / 4 / 3)) << path << ": mostly transparent";
    }
}

// "A" has a narrow top and wide feet, "V" the other way round: in the wrong cell, or with the rows of
// cells counted from the bottom, the shapes would not match.
TEST_F(GeneratedImages, LettersSitInTheCellOfTheirCodeCountingRowsFromTheTop) {
    const std::pair<const char*, GlyphGridLayout> grids[] = {{"Textures/Text.tga", kSmallFontGrid},
                                                             {"Textures/Swords.tga", kLargeFontGrid}};
    for (const auto& [path, layout] : grids) {
        const Image& grid = image(path);
        const Ink a = inkOfCell(grid, layout, 'A');
        const Ink v = inkOfCell(grid, layout, 'V');
        ASSERT_GT(a.pixels, 0) << path;
        ASSERT_GT(v.pixels, 0) << path;
        EXPECT_LT(averageWidth(a, a.top, a.top + 1), averageWidth(a, a.bottom - 1, a.bottom)) << path;
        EXPECT_GT(averageWidth(v, v.top, v.top + 1), averageWidth(v, v.bottom - 1, v.bottom)) << path;
        // Punctuation: "." at the foot of the letters, "'" at their top, "-" between.
        const Ink dot = inkOfCell(grid, layout, '.');
        const Ink quote = inkOfCell(grid, layout, '\'');
        const Ink dash = inkOfCell(grid, layout, '-');
        EXPECT_GE(dot.bottom, a.bottom - 1) << path;
        EXPECT_LE(quote.top, a.top + 1) << path;
        EXPECT_GT(dash.top, a.top) << path;
        EXPECT_LT(dash.bottom, a.bottom) << path;
    }
}

TEST_F(GeneratedImages, LettersShareOneBaselineAndDescendersGoBelowIt) {
    const std::pair<const char*, GlyphGridLayout> grids[] = {{"Textures/Text.tga", kSmallFontGrid},
                                                             {"Textures/Swords.tga", kLargeFontGrid}};
    for (const auto& [path, layout] : grids) {
        const Image& grid = image(path);
        const int baseline = inkOfCell(grid, layout, 'H').bottom;
        for (const char c : std::string("AEIMTxzn05")) {
            EXPECT_NEAR(inkOfCell(grid, layout, c).bottom, baseline, 1) << path << " '" << c << "'";
        }
        for (const char c : std::string("gjpqy")) {
            EXPECT_GT(inkOfCell(grid, layout, c).bottom, baseline) << path << " '" << c << "'";
        }
    }
}

// Cells with no glyph (control codes, DEL, 128 to 159, and the space) must stay clear: ink spilling over
// from a neighbouring glyph would show up there first.
TEST_F(GeneratedImages, CellsWithoutAGlyphStayEmpty) {
    const std::pair<const char*, GlyphGridLayout> grids[] = {{"Textures/Text.tga", kSmallFontGrid},
                                                             {"Textures/Swords.tga", kLargeFontGrid}};
    for (const auto& [path, layout] : grids) {
        const int codes = layout.columns * layout.rows;
        for (int code = 0; code < codes; ++code) {
            const bool hasGlyph = codePointOfByte(code) != 0 && code != ' ';
            const Ink ink = inkOfCell(image(path), layout, code);
            if (!hasGlyph) {
                EXPECT_EQ(ink.pixels, 0) << path << " code " << code;
            } else if (code < 127) {
                EXPECT_GT(ink.pixels, 0) << path << " code " << code;
            }
        }
    }
    // Latin-1 letters where the small font has them.
    EXPECT_GT(inkOfCell(image("Textures/Text.tga"), kSmallFontGrid, 0xE9).pixels, 0);  // e acute
}

// The HUD stacks its lines 24 pixels apart, the first with its cell's top 8 rows above the window, and
// the menu 30 apart: the large glyphs must keep to the cell's lower 24 rows and leave room at the sides.
TEST_F(GeneratedImages, LargeGlyphsKeepToTheLowerRowsOfTheirCells) {
    for (int code = 33; code < 127; ++code) {
        const Ink ink = inkOfCell(image("Textures/Swords.tga"), kLargeFontGrid, code);
        EXPECT_GE(ink.top, 8) << "code " << code;
        EXPECT_GE(ink.left, 1) << "code " << code;
        EXPECT_LE(ink.right, 30) << "code " << code;
    }
    // Capitals tall enough to read at a glance.
    const Ink h = inkOfCell(image("Textures/Swords.tga"), kLargeFontGrid, 'H');
    EXPECT_GE(h.bottom - h.top + 1, 14);
}

TEST_F(GeneratedImages, SmallLettersLeaveAColumnFreeSoNeighboursNeverTouch) {
    for (const char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789")) {
        const Ink ink = inkOfCell(image("Textures/Text.tga"), kSmallFontGrid, c);
        EXPECT_TRUE(ink.left > 0 || ink.right < 7) << "'" << c << "'";
    }
}

TEST_F(GeneratedImages, MaterialsAreOpaqueAndTheRepeatingOnesTileWithoutSeams) {
    for (const char* path :
         {"Textures/Floor.tga", "Textures/Wall.tga", "Textures/Wall2.tga", "Textures/crate2.tga",
          "Textures/Legs.tga", "Textures/Body.tga", "Textures/Head.tga"}) {
        const Image& texture = image(path);
        int translucent = 0;
        for (std::size_t i = 3; i < texture.pixels.size(); i += 4) translucent += texture.pixels[i] != 255;
        EXPECT_EQ(translucent, 0) << path;
    }
    expectSeamless(image("Textures/Floor.tga"), "Floor");
    expectSeamless(image("Textures/Wall.tga"), "Wall");
    expectSeamless(image("Textures/fog.tga"), "fog");
}

// One flagstone per board cell: the joints (dark) fall on the 64-pixel grid lines, stone in between.
TEST_F(GeneratedImages, FloorJointsFollowTheCellGrid) {
    const Image& floor = image("Textures/Floor.tga");
    const auto columnBrightness = [&](int x) {
        float sum = 0;
        for (int y = 0; y < floor.height; ++y) sum += luminance(pixelAt(floor, x, y));
        return sum / floor.height;
    };
    for (int cell = 0; cell < 8; ++cell) {
        EXPECT_LT(columnBrightness(cell * 64), 0.8f * columnBrightness(cell * 64 + 32)) << "cell " << cell;
    }
}

TEST_F(GeneratedImages, LogoLeavesTheCreditStripClearAndDarkensTheRest) {
    const Image& logo = image("Textures/logo.tga");
    // The title screen's credit lines use the bottom 50 of 600 window rows and are drawn before the logo.
    const int clearRows = 50 * logo.height / 600 + 1;
    for (int y = 0; y < clearRows; ++y) {
        for (int x = 0; x < logo.width; ++x) ASSERT_EQ(pixelAt(logo, x, y)[3], 0) << "row " << y;
    }
    // The loading texts stand at a quarter of the height, on a dark opaque panel.
    const int loadingRow = logo.height / 4;
    for (int x = logo.width / 3; x < 2 * logo.width / 3; ++x) {
        const std::uint8_t* p = pixelAt(logo, x, loadingRow);
        EXPECT_EQ(p[3], 255);
        EXPECT_LT(luminance(p), 0.25f);
    }
    // Bright lettering in the upper middle, nowhere near the bottom.
    int brightUpper = 0;
    int brightLower = 0;
    for (int y = 0; y < logo.height; ++y) {
        for (int x = 0; x < logo.width; ++x) {
            const std::uint8_t* p = pixelAt(logo, x, y);
            if (p[3] == 255 && luminance(p) > 0.6f) (y > logo.height / 2 ? brightUpper : brightLower)++;
        }
    }
    EXPECT_GT(brightUpper, logo.width * logo.height / 40);
    EXPECT_EQ(brightLower, 0);
}

TEST_F(GeneratedImages, FogIsPaleWithAlphaThatVaries) {
    const Image& fog = image("Textures/fog.tga");
    int low = 0;
    int high = 0;
    for (std::size_t i = 0; i < fog.pixels.size(); i += 4) {
        EXPECT_GT(std::min({fog.pixels[i], fog.pixels[i + 1], fog.pixels[i + 2]}), 180);
        if (fog.pixels[i + 3] < 80) ++low;
        if (fog.pixels[i + 3] > 200) ++high;
    }
    const int count = static_cast<int>(fog.pixels.size() / 4);
    EXPECT_GT(low, count / 20) << "clear gaps between the cloud banks";
    EXPECT_GT(high, count / 20) << "dense banks";
}

TEST_F(GeneratedImages, MapIconsCanBeToldApart) {
    const auto centre = [&](const char* path) { return pixelAt(image(path), 16, 16); };
    const auto corner = [&](const char* path) { return pixelAt(image(path), 0, 0); };
    // Floor and wall fill their cell; the wall is clearly the lighter.
    EXPECT_EQ(corner("gfx/empty.tga")[3], 255);
    EXPECT_EQ(corner("gfx/wall.tga")[3], 255);
    const auto body = [&](const char* path) { return luminance(pixelAt(image(path), 16, 22)); };
    EXPECT_LT(body("gfx/empty.tga"), 0.25f);
    EXPECT_GT(body("gfx/wall.tga"), body("gfx/empty.tga") + 0.3f);
    // The goal marks its cell with a yellow ring.
    const std::uint8_t* ring = pixelAt(image("gfx/target.tga"), 16 + 12, 16);
    EXPECT_GT(ring[0], 200);
    EXPECT_GT(ring[1], 160);
    EXPECT_LT(ring[2], 120);
    // Crate and keeper are drawn over a cell, so they leave its corners transparent.
    for (const char* path : {"gfx/object.tga", "gfx/player.tga"}) {
        EXPECT_EQ(corner(path)[3], 0) << path;
        EXPECT_EQ(centre(path)[3], 255) << path;
    }
    // Crate brown, keeper bright.
    EXPECT_GT(centre("gfx/object.tga")[0], centre("gfx/object.tga")[2] + 60);
    EXPECT_GT(luminance(pixelAt(image("gfx/player.tga"), 13, 18)), 0.6f);
}

TEST(ImageGenerator, UnknownPathsAndMissingFontsMakeNothing) {
    EXPECT_FALSE(isImageValid(makeGameImage("Textures/none.tga", defaultFontFiles())));
    FontFiles missing{"/no/such/font.ttf", "/no/such/font.ttf", "/no/such/font.ttf"};
    EXPECT_FALSE(isImageValid(makeSmallFontImage(missing)));
    EXPECT_FALSE(isImageValid(makeLogoImage(missing)));
}

}  // namespace
