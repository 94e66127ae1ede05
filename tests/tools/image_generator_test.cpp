// The generated game images as the game reads them back: the font grids (right glyph in the right cell,
// common baseline, nothing spilling between cells), seamless tiling, the logo's clear strip and panel.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

#include "formats/tga_image.h"
#include "glyph_grid.h"
#include "image_makers.h"
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

const std::pair<const char*, GlyphGridLayout> kGrids[] = {{"Textures/Text.tga", kSmallFontGrid},
                                                          {"Textures/Swords.tga", kLargeFontGrid}};

float luminance(const std::uint8_t* p) {
    return (0.3f * p[0] + 0.59f * p[1] + 0.11f * p[2]) / 255.0f;
}

// Ink rows and columns of one glyph cell, in cell coordinates with row 0 at the cell's TOP; a pixel is
// ink from the alpha threshold on (half coverage unless told).
struct Ink {
    int pixels = 0;
    int top = 1 << 20, bottom = -1, left = 1 << 20, right = -1;
    std::vector<int> spanOfRow;  // pixels from a row's first ink to its last, top first; 0 without ink
};

Ink inkOfCell(const Image& grid, const GlyphGridLayout& layout, int code, int threshold = 128) {
    Ink ink;
    const int cell = layout.cellSize;
    ink.spanOfRow.assign(cell, 0);
    const int left = glyphCellLeft(layout, code);
    const int bottom = glyphCellBottom(layout, code);
    for (int row = 0; row < cell; ++row) {
        int rowLeft = cell;
        for (int column = 0; column < cell; ++column) {
            if (pixelAt(grid, left + column, bottom + cell - 1 - row)[3] < threshold) continue;
            ++ink.pixels;
            rowLeft = std::min(rowLeft, column);
            ink.spanOfRow[row] = column - rowLeft + 1;
            ink.top = std::min(ink.top, row);
            ink.bottom = std::max(ink.bottom, row);
            ink.left = std::min(ink.left, column);
            ink.right = std::max(ink.right, column);
        }
    }
    return ink;
}

float averageSpan(const Ink& ink, int fromRow, int toRow) {
    float sum = 0;
    for (int row = fromRow; row <= toRow; ++row) sum += ink.spanOfRow[row];
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

// "A" has a narrow top and wide feet, "V" the other way round: in the wrong cell, or with the rows of
// cells counted from the bottom, the shapes would not match. Letters share one baseline.
TEST_F(GeneratedImages, LettersSitInTheCellOfTheirCodeOnOneBaseline) {
    EXPECT_EQ(failures_, 0);
    for (const auto& [path, layout] : kGrids) {
        const Image& grid = image(path);
        const Ink a = inkOfCell(grid, layout, 'A');
        const Ink v = inkOfCell(grid, layout, 'V');
        ASSERT_GT(a.pixels, 0) << path;
        ASSERT_GT(v.pixels, 0) << path;
        EXPECT_LT(averageSpan(a, a.top, a.top + 1), averageSpan(a, a.bottom - 1, a.bottom)) << path;
        EXPECT_GT(averageSpan(v, v.top, v.top + 1), averageSpan(v, v.bottom - 1, v.bottom)) << path;
        // Punctuation: "." at the foot of the letters, "'" at their top, "-" between.
        EXPECT_GE(inkOfCell(grid, layout, '.').bottom, a.bottom - 1) << path;
        EXPECT_LE(inkOfCell(grid, layout, '\'').top, a.top + 1) << path;
        const Ink dash = inkOfCell(grid, layout, '-');
        EXPECT_TRUE(dash.top > a.top && dash.bottom < a.bottom) << path;
        const int baseline = inkOfCell(grid, layout, 'H').bottom;
        for (const char c : std::string("AEIMTxzn05"))
            EXPECT_NEAR(inkOfCell(grid, layout, c).bottom, baseline, 1) << path << " '" << c << "'";
        for (const char c : std::string("gjpqy"))
            EXPECT_GT(inkOfCell(grid, layout, c).bottom, baseline) << path << " '" << c << "'";
    }
}

// Cells with no glyph (control codes, DEL, 128 to 159, and the space) must stay clear: ink spilling over
// from a neighbouring glyph would show up there first.
TEST_F(GeneratedImages, CellsWithoutAGlyphStayEmpty) {
    for (const auto& [path, layout] : kGrids) {
        for (int code = 0; code < layout.columns * layout.rows; ++code) {
            const bool hasGlyph = codePointOfByte(code) != 0 && code != ' ';
            const Ink ink = inkOfCell(image(path), layout, code);
            if (!hasGlyph) EXPECT_EQ(ink.pixels, 0) << path << " code " << code;
            if (hasGlyph && code < 127) EXPECT_GT(ink.pixels, 0) << path << " code " << code;
        }
    }
    // Latin-1 letters where the small font has them.
    EXPECT_GT(inkOfCell(image("Textures/Text.tga"), kSmallFontGrid, 0xE9).pixels, 0);  // e acute
}

// The HUD stacks its lines 24 pixels apart, the first with its cell's top 8 rows above the window, and
// the menu 30 apart: the large glyphs must keep to the cell's lower 24 rows and leave room at the sides.
// Small letters leave a column free so that neighbours never touch.
TEST_F(GeneratedImages, GlyphsKeepToTheirPartOfTheCell) {
    for (int code = 33; code < 127; ++code) {
        const Ink ink = inkOfCell(image("Textures/Swords.tga"), kLargeFontGrid, code);
        EXPECT_GE(ink.top, 8) << "code " << code;
        EXPECT_GE(ink.left, 1) << "code " << code;
        EXPECT_LE(ink.right, 30) << "code " << code;
    }
    // Capitals tall enough to read at a glance.
    const Ink h = inkOfCell(image("Textures/Swords.tga"), kLargeFontGrid, 'H');
    EXPECT_GE(h.bottom - h.top + 1, 14);
    for (const char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789")) {
        const Ink ink = inkOfCell(image("Textures/Text.tga"), kSmallFontGrid, c);
        EXPECT_TRUE(ink.left > 0 || ink.right < 7) << "'" << c << "'";
    }
}

// The HUD and the menu set the large glyphs a fixed 32 pixels apart: a face whose letters are narrow
// spreads "Steps" into "S t e p s", one whose letters reach the cell's edges runs them together. Ink
// widths of letters and digits, from the image as the game reads it; any trace of ink counts as touching.
TEST_F(GeneratedImages, LargeLettersFillTheirCellsWithoutTouchingTheirNeighbours) {
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const Image& grid = image("Textures/Swords.tga");
    const int cell = kLargeFontGrid.cellSize;
    float widthSum = 0;
    int leftmostInk = cell;
    int rightmostInk = 0;
    for (const char c : letters) {
        const Ink ink = inkOfCell(grid, kLargeFontGrid, c);
        const int width = ink.right - ink.left + 1;
        widthSum += width;
        EXPECT_LE(width, 30) << "'" << c << "'";
        const Ink trace = inkOfCell(grid, kLargeFontGrid, c, 1);
        leftmostInk = std::min(leftmostInk, trace.left);
        rightmostInk = std::max(rightmostInk, trace.right);
    }
    EXPECT_GE(widthSum / letters.size(), 22.0f);
    // Clear columns between the rightmost ink of one cell and the leftmost of the next.
    EXPECT_GE(cell - 1 - rightmostInk + leftmostInk, 2);
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
    // One flagstone per board cell: the joints (dark) fall on the 64-pixel grid lines, stone in between.
    const Image& floor = image("Textures/Floor.tga");
    const auto columnBrightness = [&](int x) {
        float sum = 0;
        for (int y = 0; y < floor.height; ++y) sum += luminance(pixelAt(floor, x, y));
        return sum / floor.height;
    };
    for (int cell = 0; cell < 8; ++cell)
        EXPECT_LT(columnBrightness(cell * 64), 0.8f * columnBrightness(cell * 64 + 32)) << "cell " << cell;
}

// The title screen's credit lines use the bottom 50 of 600 window rows and are drawn before the logo; the
// loading texts stand at a quarter of the height, on a dark opaque panel.
TEST_F(GeneratedImages, LogoLeavesTheCreditStripClearAndDarkensTheLoadingPanel) {
    const Image& logo = image("Textures/logo.tga");
    for (int y = 0; y <= 50 * logo.height / 600; ++y) {
        for (int x = 0; x < logo.width; ++x) ASSERT_EQ(pixelAt(logo, x, y)[3], 0) << "row " << y;
    }
    for (int x = logo.width / 3; x < 2 * logo.width / 3; ++x) {
        const std::uint8_t* p = pixelAt(logo, x, logo.height / 4);
        EXPECT_EQ(p[3], 255);
        EXPECT_LT(luminance(p), 0.25f);
    }
}

// A desktop draws the icon over any panel: the crate fills the middle and the corners are see-through; a
// size the painting cannot be divided into makes nothing.
TEST(ImageGenerator, AppIconIsACrateOnATransparentSquare) {
    const Image icon = makeAppIcon(64);
    ASSERT_TRUE(isImageValid(icon));
    EXPECT_EQ(icon.width, 64);
    EXPECT_EQ(icon.height, 64);
    for (const auto& [x, y] : {std::pair{0, 0}, {63, 0}, {0, 63}, {63, 63}})
        EXPECT_EQ(pixelAt(icon, x, y)[3], 0) << "corner " << x << "," << y;
    EXPECT_EQ(pixelAt(icon, 32, 32)[3], 255);
    EXPECT_FALSE(isImageValid(makeAppIcon(100)));
}

TEST(ImageGenerator, UnknownPathsAndMissingFontsMakeNothing) {
    EXPECT_FALSE(isImageValid(makeGameImage("Textures/none.tga", defaultFontFiles())));
    FontFiles missing{"/no/such/font.ttf", "/no/such/font.ttf", "/no/such/font.ttf"};
    EXPECT_FALSE(isImageValid(makeSmallFontImage(missing)));
    EXPECT_FALSE(isImageValid(makeLogoImage(missing)));
}

}  // namespace
