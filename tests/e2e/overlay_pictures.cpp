// The flat drawing on a real OpenGL context (textures, fonts, logo, fog, HUD), read back from the
// window and checked by what a player would see; every picture is saved as a PNG. Under xvfb-run:
//     overlay_pictures GAME_DIR PICTURE_DIR   exit status 1 on a failed check
// (A start-up without any image file is the no-data end-to-end test; the mini-map's marks are read off the
// real game by the undo and demo tests.) Rows of a read-back picture are bottom first, like window pixels.

#include <GL/gl.h>
#include <GL/glext.h>
#include <unistd.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "formats/tga_image.h"
#include "layout/hud_layout.h"
#include "platform/window.h"
#include "render/font.h"
#include "render/hud.h"
#include "render/pixel_space.h"
#include "render/startup_loading.h"
#include "render/textures.h"
#include "render/window_setup.h"

namespace {

WindowSettings g_window;
int g_failures = 0;

void onSize(int width, int height) {
    g_window.width = static_cast<std::uint32_t>(width < 0 ? 0 : width);
    g_window.height = static_cast<std::uint32_t>(height < 0 ? 0 : height);
    g_window.resized = true;
}

void check(bool passed, const char* format, ...) {
    if (passed) return;
    ++g_failures;
    std::va_list arguments;
    va_start(arguments, format);
    std::fputs("FAIL: ", stderr);
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
    va_end(arguments);
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;  // bottom row first

    const unsigned char* at(int x, int y) const {
        return rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
    }
    double brightness(int x, int y) const {
        const unsigned char* p = at(x, y);
        return (p[0] + p[1] + p[2]) / 3.0;
    }
    // Over the rectangle [x0, x1) x [y0, y1), clipped to the picture: the mean brightness, and the number
    // of pixels whose brightness lies in [low, high).
    double meanBrightness(int x0, int y0, int x1, int y1) const {
        double sum = 0.0;
        int pixels = 0;
        for (int y = std::max(0, y0); y < std::min(height, y1); ++y)
            for (int x = std::max(0, x0); x < std::min(width, x1); ++x) sum += brightness(x, y), ++pixels;
        return pixels > 0 ? sum / pixels : 0.0;
    }
    int countBetween(int x0, int y0, int x1, int y1, double low, double high) const {
        int count = 0;
        for (int y = std::max(0, y0); y < std::min(height, y1); ++y)
            for (int x = std::max(0, x0); x < std::min(width, x1); ++x)
                count += brightness(x, y) >= low && brightness(x, y) < high;
        return count;
    }
    int countBrighter(int x0, int y0, int x1, int y1, double low) const {
        return countBetween(x0, y0, x1, y1, low, 256.0);
    }
    int countDarker(int x0, int y0, int x1, int y1, double high) const {
        return countBetween(x0, y0, x1, y1, 0.0, high);
    }
};

Picture readBack() {
    Picture picture;
    picture.width = static_cast<int>(g_window.width);
    picture.height = static_cast<int>(g_window.height);
    picture.rgba.resize(static_cast<std::size_t>(picture.width) * picture.height * 4);
    glFinish();
    glReadPixels(0, 0, picture.width, picture.height, GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
    return picture;
}

std::string g_pictureDir;

// Read back and saved as a person sees it: top row first, opaque.
Picture shot(const char* name) {
    const Picture picture = readBack();
    std::vector<unsigned char> opaque = picture.rgba;
    for (std::size_t i = 3; i < opaque.size(); i += 4) opaque[i] = 255;
    stbi_flip_vertically_on_write(1);
    const std::string path = g_pictureDir + "/" + name;
    check(
        stbi_write_png(path.c_str(), picture.width, picture.height, 4, opaque.data(), picture.width * 4) != 0,
        "cannot write %s", path.c_str());
    return picture;
}

// The drawing calls must leave no GL error and every matrix stack as deep as they found it.
void checkGlState(const char* scene) {
    check(glGetError() == GL_NO_ERROR, "%s: GL error", scene);
    for (const auto& [stack, name] : {std::make_pair(GL_MODELVIEW_STACK_DEPTH, "modelview"),
                                      std::make_pair(GL_PROJECTION_STACK_DEPTH, "projection"),
                                      std::make_pair(GL_TEXTURE_STACK_DEPTH, "texture")}) {
        GLint depth = 0;
        glGetIntegerv(stack, &depth);
        check(depth == 1, "%s: %s stack depth %d", scene, name, depth);
    }
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    check(mode == GL_MODELVIEW, "%s: matrix mode left at 0x%x", scene, mode);
}

void clearTo(float grey) {
    glClearColor(grey, grey, grey, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// A stand-in for the 3D scene behind the HUD: the floor texture tiled over the window, lit as the floor
// looks in play, so that the text's legibility can be judged.
void drawFloorBackground(GLuint floorTexture) {
    clearTo(0.0f);
    pushIdentityMatrices();
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, floorTexture);
    glColor3f(0.9f, 0.9f, 0.9f);
    const float corners[4][2] = {{-1.0f, 1.0f}, {-1.0f, -1.0f}, {1.0f, -1.0f}, {1.0f, 1.0f}};
    glBegin(GL_QUADS);
    for (const auto& corner : corners) {
        glTexCoord2f(corner[0] + 1.0f, (corner[1] + 1.0f) * 0.75f);  // the texture twice across, 1.5 times up
        glVertex2f(corner[0], corner[1]);
    }
    glEnd();
    glEnable(GL_LIGHTING);
    popMatrices();
}

void checkTextures(const Graphics& graphics) {
    check(graphics.textures.names[TEX_CRATE] != graphics.textures.names[TEX_CRATE_ALT],
          "the two crate slots share a texture name");
    for (int slot = 1; slot <= kTextureSlotCount; ++slot)
        check(graphics.textures.names[slot] != 0, "texture slot %d has no name", slot);
    // The full chain: Swords.tga is 512 x 256, so level 9 is 1 x 1.
    glBindTexture(GL_TEXTURE_2D, graphics.textures.names[TEX_SWORDS]);
    const auto levelSize = [](int level, GLenum what) {
        GLint value = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, what, &value);
        return value;
    };
    check(levelSize(0, GL_TEXTURE_WIDTH) == 512, "Swords.tga level 0 is %d wide",
          levelSize(0, GL_TEXTURE_WIDTH));
    const GLint lastWidth = levelSize(9, GL_TEXTURE_WIDTH);
    const GLint lastHeight = levelSize(9, GL_TEXTURE_HEIGHT);
    check(lastWidth == 1 && lastHeight == 1, "Swords.tga level 9 is %d x %d", lastWidth, lastHeight);
    GLint minFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    check(minFilter == GL_LINEAR_MIPMAP_LINEAR, "minification is not trilinear");
    if (platformExtensionSupported("GL_EXT_texture_filter_anisotropic")) {
        // The board's materials get the driver's largest anisotropy, but none on a software rasterizer,
        // whose anisotropic filter stalls frames; the images drawn facing the screen (fonts, logo, fog, map
        // icons) never get any.
        const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
        const bool software =
            renderer == nullptr || std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe");
        GLfloat largest = 0.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &largest);
        const auto anisotropy = [](GLuint name) {
            GLfloat set = 0.0f;
            glBindTexture(GL_TEXTURE_2D, name);
            glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &set);
            return set;
        };
        GLfloat set = anisotropy(graphics.textures.names[TEX_SWORDS]);
        check(set == 1.0f, "the large font has anisotropy %g", set);
        set = anisotropy(graphics.textures.names[TEX_FLOOR]);
        check(set == (software ? 1.0f : largest), "floor anisotropy %g, the driver offers %g (%s)", set,
              largest, software ? "a software rasterizer" : "in hardware");
        set = anisotropy(graphics.icons.names[ICON_PLAYER]);
        check(set == 1.0f, "a map icon has anisotropy %g", set);
        std::printf("anisotropy of the materials: %g\n", largest);
    }
    checkGlState("textures");
}

// The logo at full opacity covers the window above its transparent foot; at half opacity it is half as
// bright over black.
void logoScene(const Graphics& graphics) {
    clearTo(0.0f);
    drawImageOverlay(g_window, graphics.textures.names[TEX_LOGO], 1.0f);
    const Picture full = shot("logo.png");
    checkGlState("logo");
    // The image's bottom fifth is see-through, so that the loading texts show there; above it the logo
    // covers the window.
    const int foot = full.height / 5;
    const int uncovered = full.countDarker(0, foot, full.width, full.height, 6.0);
    check(uncovered <= full.width * (full.height - foot) / 50, "%d pixels above the foot are uncovered",
          uncovered);
    const double fullMean = full.meanBrightness(0, full.height / 5, full.width, full.height);
    clearTo(0.0f);
    drawImageOverlay(g_window, graphics.textures.names[TEX_LOGO], 0.5f);
    const Picture half = shot("logo_half.png");
    const double halfMean = half.meanBrightness(0, half.height / 5, half.width, half.height);
    check(std::fabs(halfMean / fullMean - 0.5) < 0.06, "half opacity gives %.1f against %.1f", halfMean,
          fullMean);
    // The title sits in the image's upper half, so the brightest band is there, not at the bottom.
    const double upper = full.meanBrightness(0, full.height / 2, full.width, full.height);
    const double lower = full.meanBrightness(0, 0, full.width, full.height / 2);
    check(upper > lower, "the logo is upside down (upper %.1f, lower %.1f)", upper, lower);
}

// A loading screen owes nothing to what the depth buffer held before it: a window's first depth values are
// whatever the driver left there, and the logo tests depth.
void loadingScene(const Graphics& graphics) {
    glClearDepth(0.0);  // the depth that hides everything behind it
    clearTo(0.0f);
    glClearDepth(1.0);
    drawInitialisingScreen(graphics, g_window);
    const Picture shown = shot("loading.png");
    checkGlState("loading");
    const int foot = shown.height / 5;
    const int uncovered = shown.countDarker(0, foot, shown.width, shown.height, 6.0);
    check(uncovered <= shown.width * (shown.height - foot) / 50,
          "the loading screen shows no logo (%d pixels dark)", uncovered);
}

// Each font on a plain grey: the glyphs are bright in the rows and columns the text occupies and nowhere
// else; bytes of 128 and above in largeFont draw nothing and leave the pen where it is.
void textScene(const Graphics& graphics) {
    clearTo(0.5f);
    const char* smallText = "Initializing, Please Wait.";
    const float smallX = centredTextX(smallText, g_window, graphics.smallFont.halfAdvance);
    printText(graphics.smallFont, smallText, smallX, 150.0f, 1.0f, 1.0f, 1.0f, g_window);
    printText(graphics.largeFont, "Steps taken 128", 0.0f, 400.0f, 1.0f, 1.0f, 1.0f, g_window);
    printTextShadowed(graphics.largeFont, "Level 12", 0.0f, 300.0f, 1.0f, 1.0f, 1.0f, g_window);
    printText(graphics.largeFont, "Level 12", 400.0f, 300.0f, 1.0f, 1.0f, 1.0f, g_window);
    printText(graphics.largeFont, "AB", 0.0f, 200.0f, 1.0f, 1.0f, 0.0f, g_window);
    printText(graphics.largeFont, "\200\377AB", 400.0f, 200.0f, 1.0f, 1.0f, 0.0f, g_window);
    printText(graphics.largeFont, "", 600.0f, 200.0f, 1.0f, 1.0f, 1.0f, g_window);
    const Picture picture = shot("text.png");
    checkGlState("text");

    const int smallLeft = static_cast<int>(smallX);
    const int smallRight = smallLeft + 26 * 8;
    check(smallLeft == 296, "small text starts at %d", smallLeft);
    check(picture.countBrighter(smallLeft, 150, smallRight, 158, 230.0) > 60, "small text is not drawn");
    check(picture.countBrighter(0, 140, smallLeft - 1, 170, 200.0) == 0, "small text spills left");
    check(picture.countBrighter(smallRight + 1, 140, 800, 170, 200.0) == 0, "small text spills right");
    check(picture.countBrighter(0, 159, 800, 170, 200.0) == 0, "small text spills upwards");

    const int largeRight = 15 * 32;
    check(picture.countBrighter(0, 400, largeRight, 432, 240.0) > 400, "large text is not drawn");
    check(picture.countBrighter(largeRight + 1, 395, 800, 440, 200.0) == 0, "large text spills right");
    // Glyph rows stand on the pen's line: nothing of the line reaches into the rows below it.
    check(picture.countBrighter(0, 380, 800, 398, 200.0) == 0, "large text spills downwards");

    // The shadowed line keeps the white of the plain one: only the glyphs' soft rims, which blend with
    // whatever lies below, come out a few levels darker over the shadow than over the floor.
    int white = 0;
    double largestDrop = 0.0;
    for (int y = 290; y < 340; ++y) {
        for (int x = 0; x < 300; ++x) {
            if (picture.brightness(x + 400, y) < 250.0) continue;
            ++white;
            largestDrop = std::max(largestDrop, picture.brightness(x + 400, y) - picture.brightness(x, y));
        }
    }
    check(white > 150 && largestDrop <= 8.0, "the shadow darkened the white by %.0f", largestDrop);
    check(picture.countDarker(0, 290, 8 * 32 + 4, 334, 40.0) > 100, "shadowed text has no shadow");
    check(picture.countDarker(400, 290, 800, 334, 100.0) == 0, "plain text has a shadow");

    int differing = 0;
    for (int y = 190; y < 240; ++y)
        for (int x = 0; x < 100; ++x)
            differing += std::fabs(picture.brightness(x, y) - picture.brightness(x + 400, y)) > 2.0;
    check(differing == 0, "high bytes moved or drew in largeFont (%d pixels differ)", differing);
    check(picture.countBrighter(600, 190, 800, 240, 200.0) == 0, "the empty text drew something");
}

// The fog at 0.3 over black, and shifted diagonally by its offset: with a quarter of the image across the
// window, an offset of 0.125 moves it half a window right and half a window up.
void fogScene(const Graphics& graphics) {
    const GLuint fog = graphics.textures.names[TEX_FOG];
    clearTo(0.0f);
    drawFogOverlay(g_window, fog, 0.0f);
    const Picture still = shot("fog.png");
    checkGlState("fog");
    clearTo(0.0f);
    drawFogOverlay(g_window, fog, 0.125f);
    const Picture shifted = shot("fog_shifted.png");
    const double mean = still.meanBrightness(0, 0, still.width, still.height);
    check(mean > 10.0 && mean < 80.0, "fog brightness %.1f is not a light veil", mean);
    check(still.countBrighter(0, 0, still.width, still.height, 90.0) == 0, "fog is more than 0.3 opaque");
    const int halfWidth = still.width / 2;
    const int halfHeight = still.height / 2;
    double moved = 0.0;
    double unmoved = 0.0;
    for (int y = 0; y < halfHeight; y += 2) {
        for (int x = 0; x < halfWidth; x += 2) {
            moved += std::fabs(shifted.brightness(x, y) - still.brightness(x + halfWidth, y + halfHeight));
            unmoved += std::fabs(shifted.brightness(x, y) - still.brightness(x, y));
        }
    }
    const double samples = (halfWidth / 2.0) * (halfHeight / 2.0);
    check(moved / samples < 1.5, "the shifted fog is not the fog moved diagonally (%.2f)", moved / samples);
    check(unmoved / samples > 3.0, "the fog did not move (%.2f)", unmoved / samples);
}

// A small level laid out as text, row 0 first, with the keeper's and boxes' matrices as the scene sets them.
struct SmallLevel {
    Board board;
    std::unique_ptr<SceneState> scene = std::make_unique<SceneState>();
};

SmallLevel makeSmallLevel() {
    // One box glides from column 2 to 3: drawn at 2.5, it shows in column 2 (halves to even).
    static const char* const kRows[] = {"######", "#@ $.#", "#  * #", "######"};
    SmallLevel level;
    int boxes = 0;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const char code = kRows[y][x];
            level.board.cells[x][y] = code == '#'                    ? Cell::Wall
                                      : (code == '.' || code == '*') ? Cell::Goal
                                                                     : Cell::Floor;
            if (code == '$' || code == '*') {
                Box& box = level.board.boxes[boxes];
                box.active = kBoxActive;
                box.x = x;
                box.y = y;
                const float glide = code == '$' ? 0.5f : 0.0f;
                level.scene->boxMatrices[boxes] =
                    translationMatrix(static_cast<float>(x) - glide, 0.0f, static_cast<float>(y));
                ++boxes;
            }
            if (code == '@')
                level.scene->keeperMatrix =
                    translationMatrix(static_cast<float>(x), 1.027f, static_cast<float>(y));
        }
    }
    level.scene->extentX = 5;
    level.scene->extentY = 3;
    return level;
}

HudText hudText(const std::string& name) {
    static const std::string best = "Best 42 moves, 12 pushes";
    HudText text;
    text.profileName = &name;
    text.steps = 128;
    text.level = 12;
    text.pushes = 37;
    text.best = &best;
    return text;
}

// The whole HUD over a floor: three lines top-left, "DEMO" in the middle, the map bottom-left. The fog lies
// over everything, so the text is bright rather than pure white.
void hudScene(const Graphics& graphics) {
    const SmallLevel level = makeSmallLevel();
    const std::string name = "Jane";
    HudText text = hudText(name);
    text.demoMode = true;
    LevelEnd levelEnd;
    levelEnd.fade = 0.0f;
    lowerLogoFade(levelEnd);
    drawFloorBackground(graphics.textures.names[TEX_FLOOR]);
    drawHud(g_window, graphics, level.board, *level.scene, text, 0.3f, levelEnd);
    const Picture picture = shot("hud_demo.png");
    checkGlState("HUD");
    // "Jane", "Steps taken 128", "Level 12", "Pushes 37" in white, then the best solutions in gold (a
    // brightness of 190 or so), each in its own slot; nothing in the note's slot.
    const int lineLengths[kHudLineCount] = {4, 15, 8, 9, 24, 0, 0};
    for (int line = 0; line < kHudLineCount; ++line) {
        const int y = hudLineY(g_window.height, line);
        const int right = lineLengths[line] * 32;
        const double lit = line == HUD_BEST ? 170.0 : 235.0;
        if (right > 0)
            check(picture.countBrighter(0, y + 4, right, y + 24, lit) > 40, "HUD line %d is not bright",
                  line);
        check(picture.countBrighter(right + 4, y + 4, 800, y + 24, lit) == 0, "HUD line %d runs on", line);
    }
    const PixelPoint demo = demoMarkPosition(g_window.width, g_window.height);
    check(picture.countBrighter(demo.x, demo.y + 4, demo.x + 128, demo.y + 28, 235.0) > 40, "no DEMO mark");
    check(picture.countBrighter(0, 280, demo.x - 4, 340, 235.0) == 0, "something bright left of DEMO");
    check(picture.countBrighter(0, 100, 800, 250, 235.0) == 0, "bright pixels where no text stands");

    text.demoMode = false;
    text.allLevelsSolved = true;
    drawFloorBackground(graphics.textures.names[TEX_FLOOR]);
    drawHud(g_window, graphics, level.board, *level.scene, text, 0.3f, levelEnd);
    const Picture solved = shot("hud_all_solved.png");
    checkGlState("HUD, all solved");
    const int solvedX = static_cast<int>(centredTextX(kAllLevelsSolvedText, g_window, 16));
    const int solvedY = allLevelsSolvedY(g_window.height);
    check(solved.countBrighter(solvedX, solvedY + 4, solvedX + 576, solvedY + 28, 235.0) > 200,
          "no ALL LEVELS SOLVED line");
    check(solved.countBrighter(0, solvedY, solvedX - 4, solvedY + 32, 235.0) == 0 &&
              solved.countBrighter(solvedX + 580, solvedY, 800, solvedY + 32, 235.0) == 0,
          "ALL LEVELS SOLVED is not centred");

    // The logo fade's first step from full opacity: the logo all but covers the HUD.
    levelEnd.fade = 1.0f;
    lowerLogoFade(levelEnd);
    drawFloorBackground(graphics.textures.names[TEX_FLOOR]);
    drawHud(g_window, graphics, level.board, *level.scene, hudText(name), 0.3f, levelEnd);
    const Picture fading = shot("hud_fading.png");
    check(fading.countBrighter(0, 528, 480, 600, 235.0) == 0, "the HUD shows through the logo");
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s GAME_DIR PICTURE_DIR\n", argv[0]);
        return 2;
    }
    g_pictureDir = std::filesystem::absolute(argv[2]).string();
    std::error_code error;
    std::filesystem::create_directories(g_pictureDir, error);
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "cannot enter %s\n", argv[1]);
        return 2;
    }
    if (!openWindow(
            g_window, [] { return 0; }, onSize)) {
        std::fprintf(stderr, "FAIL: no window\n");
        return 1;
    }
    platformPollEvents();
    check(g_window.width == 800 && g_window.height == 600, "window is %u x %u", g_window.width,
          g_window.height);
    auto graphics = std::make_unique<Graphics>();
    loadTextures(graphics->textures);
    loadMapIcons(graphics->icons);
    buildFonts(*graphics);
    checkTextures(*graphics);
    logoScene(*graphics);
    loadingScene(*graphics);
    textScene(*graphics);
    fogScene(*graphics);
    hudScene(*graphics);
    deleteTextures(graphics->textures);
    platformTerminate();
    std::printf("%s: %d failed checks; pictures in %s\n", argv[0], g_failures, g_pictureDir.c_str());
    return g_failures == 0 ? 0 : 1;
}
