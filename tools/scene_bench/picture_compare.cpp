// The Fast picture setting against Full, in the game's 800 x 600 window (which Fast draws at its own size,
// with its cheaper filter) and in one of 1280 x 960 (which Fast draws smaller and stretches): the scene
// must be the same scene in the same place (every 16 x 16 block outside the HUD as bright as Full's within
// a bound, so a black, missing, shifted or wrongly scaled scene fails), its shadows must still darken what
// Full's darken, and the HUD (text lines and mini-map), drawn at the window's own size in both, must be the
// very same pixels. The HUD is compared over the cleared background, with a clear fog:
// Fast lays the fog under the HUD, Full over it. The logo of a level change must show over either.
// Runs in the game directory under an X server; exit status 0 when every check holds. With an argument,
// PNGs of both pictures of each scene are written into that folder.

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_scene.h"
#include "layout/hud_layout.h"
#include "platform/window.h"

namespace {

constexpr int kBlock = 16;
// The largest difference of a block's mean brightness, in steps of 255: the stretched picture blurs edges
// and the cheaper filter picks other mipmap levels, but a misplaced edge or a missing object moves a block
// by far more.
constexpr double kBlockBound = 12.0;
// The mean difference of a pixel's channels over the scene's blocks, in steps of 255.
constexpr double kMeanBound = 3.0;

double brightness(const std::vector<unsigned char>& rgba, std::size_t pixel) {
    return (rgba[pixel * 4] + rgba[pixel * 4 + 1] + rgba[pixel * 4 + 2]) / 3.0;
}

struct Rect {
    int x0, y0, x1, y1;  // window pixels, origin at the lower left, x1 and y1 outside
    bool meets(const Rect& other) const {
        return x0 < other.x1 && other.x0 < x1 && y0 < other.y1 && other.y0 < y1;
    }
};

// Where the HUD draws: the band of its text lines at the top (the empty name, the steps, the level and the
// pushes, 16 characters at the most) and the mini-map in the lower-left corner.
struct HudAreas {
    Rect text;
    Rect map;
};

HudAreas hudAreas(const BenchScene& bench) {
    const PixelPoint map = miniMapSize(bench.state.scene.extentX, bench.state.scene.extentY);
    const int height = static_cast<int>(bench.window.height);
    return {{0, hudLineY(bench.window.height, HUD_PUSHES) - 4, 16 * 32 + 4, height}, {0, 0, map.x, map.y}};
}

struct Likeness {
    double worstBlock = 0.0;
    double meanDifference = 0.0;
};

// Block by block, leaving out the blocks the HUD draws on: Full lays the fog over the HUD, Fast under it.
Likeness compareBlocks(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b, int width,
                       int height, const HudAreas& hud) {
    Likeness likeness;
    double total = 0.0;
    long compared = 0;
    for (int by = 0; by + kBlock <= height; by += kBlock) {
        for (int bx = 0; bx + kBlock <= width; bx += kBlock) {
            const Rect block{bx, by, bx + kBlock, by + kBlock};
            if (block.meets(hud.text) || block.meets(hud.map)) continue;
            double sumA = 0.0;
            double sumB = 0.0;
            for (int y = by; y < by + kBlock; ++y) {
                for (int x = bx; x < bx + kBlock; ++x) {
                    const std::size_t i = static_cast<std::size_t>(y) * width + x;
                    sumA += brightness(a, i);
                    sumB += brightness(b, i);
                    for (int c = 0; c < 3; ++c) total += std::abs(a[i * 4 + c] - b[i * 4 + c]);
                }
            }
            compared += kBlock * kBlock;
            likeness.worstBlock = std::max(likeness.worstBlock, std::fabs(sumA - sumB) / (kBlock * kBlock));
        }
    }
    likeness.meanDifference = compared > 0 ? total / (3.0 * compared) : 0.0;
    return likeness;
}

// Pixels darker with the shadows on than off, by a quarter of their brightness or more.
long darkenedPixels(const std::vector<unsigned char>& off, const std::vector<unsigned char>& on) {
    long count = 0;
    for (std::size_t i = 0; i < off.size() / 4; ++i) count += brightness(on, i) < 0.75 * brightness(off, i);
    return count;
}

// A whole frame, the HUD and the fog included: Full lays the fog over the HUD, Fast under it.
std::vector<unsigned char> drawnFrame(BenchScene& bench, PictureDetail mode) {
    bench.graphics.picture = mode;
    // Magenta, so that a stretched picture that leaves part of the window unwritten shows there.
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    drawBenchFrame(bench);
    glFinish();
    std::vector<unsigned char> colour = readFrame(bench.window).colour;
    platformSwapBuffers();
    return colour;
}

void keepPictures(const char* folder, const BenchScene& bench, const std::string& name,
                  const std::vector<unsigned char>& full, const std::vector<unsigned char>& fast) {
    if (folder == nullptr) return;
    writePng((std::string(folder) + "/" + name + " full.png").c_str(), bench.window, full);
    writePng((std::string(folder) + "/" + name + " fast.png").c_str(), bench.window, fast);
}

struct Scene {
    const char* name;
    bool largest;
    int keeperX;
    int keeperY;
    bool lamp;
};

bool sameScene(BenchScene& bench, const Scene& scene, const char* folder) {
    if (scene.largest)
        buildLargestLevel(bench);
    else
        buildEdgeLevel(bench);
    bench.state.player.x = scene.keeperX;
    bench.state.player.y = scene.keeperY;
    bench.state.scene.lightFollowsKeeper = scene.lamp;
    settleCamera(bench);
    bench.state.scene.shadowsOn = false;
    const std::vector<unsigned char> fullPlain = drawnFrame(bench, PictureDetail::Full);
    const std::vector<unsigned char> fastPlain = drawnFrame(bench, PictureDetail::Fast);
    bench.state.scene.shadowsOn = true;
    const std::vector<unsigned char> full = drawnFrame(bench, PictureDetail::Full);
    const std::vector<unsigned char> fast = drawnFrame(bench, PictureDetail::Fast);
    const int width = static_cast<int>(bench.window.width);
    const int height = static_cast<int>(bench.window.height);
    const Likeness likeness = compareBlocks(full, fast, width, height, hudAreas(bench));
    const long fullShadows = darkenedPixels(fullPlain, full);
    const long fastShadows = darkenedPixels(fastPlain, fast);
    // The same shadows, give or take their blurred edges.
    const bool shadowsAlike = fullShadows > 0 && std::labs(fastShadows - fullShadows) <= fullShadows / 5;
    const bool ok =
        likeness.worstBlock <= kBlockBound && likeness.meanDifference <= kMeanBound && shadowsAlike;
    std::printf("%-34s worst block %5.1f  mean %4.2f  shadowed full %6ld fast %6ld  %s\n", scene.name,
                likeness.worstBlock, likeness.meanDifference, fullShadows, fastShadows,
                ok ? "alike" : "DIFFERENT");
    keepPictures(folder, bench, std::to_string(width) + " " + scene.name, full, fast);
    return ok;
}

// A transparent fog image, so that the HUD lies over the cleared background alone in both settings.
GLuint clearFog() {
    GLuint texture = 0;
    const unsigned char pixel[4] = {0, 0, 0, 0};
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

// The HUD's pixels in both settings: the text lines' band at the top (over the background at the edge
// level's camera) and the mini-map in the lower-left corner must be identical, and not empty.
bool sameHud(BenchScene& bench, const char* folder) {
    buildEdgeLevel(bench);
    bench.state.player.x = 3;
    bench.state.player.y = 3;
    bench.state.player.steps = 1234;
    bench.state.scene.lightFollowsKeeper = false;
    bench.state.scene.shadowsOn = true;
    settleCamera(bench);
    GLuint& fog = bench.graphics.textures.names[TEX_FOG];
    const GLuint ownFog = fog;
    fog = clearFog();
    const std::vector<unsigned char> full = drawnFrame(bench, PictureDetail::Full);
    const std::vector<unsigned char> fast = drawnFrame(bench, PictureDetail::Fast);
    glDeleteTextures(1, &fog);
    fog = ownFog;
    const int width = static_cast<int>(bench.window.width);
    const HudAreas hud = hudAreas(bench);
    const Rect areas[] = {hud.text, hud.map};
    long differing = 0;
    long lit = 0;
    for (const Rect& area : areas) {
        for (int y = area.y0; y < area.y1; ++y) {
            for (int x = area.x0; x < area.x1; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * width + x;
                bool same = true;
                for (int c = 0; c < 3; ++c) same = same && full[i * 4 + c] == fast[i * 4 + c];
                differing += same ? 0 : 1;
                lit += brightness(full, i) > 100.0;
            }
        }
    }
    const bool ok = differing == 0 && lit > 2000;
    std::printf("%-34s differing %ld of the HUD's pixels (%ld bright)  %s\n", "HUD over the background",
                differing, lit, ok ? "same" : "DIFFERENT");
    keepPictures(folder, bench, std::to_string(width) + " hud", full, fast);
    return ok;
}

// The logo of a level change over the scene (it is drawn with the depth test on, at the middle of the depth
// range): as much of its gold in Fast as in Full, though no scene drew into the window's depth buffer since
// it was made at this size (Fast is drawn first).
bool logoShown(BenchScene& bench, const char* folder) {
    buildEdgeLevel(bench);
    settleCamera(bench);
    bench.state.levelEnd.logoShown = true;
    bench.state.levelEnd.fade = 1.0f;
    const std::vector<unsigned char> fast = drawnFrame(bench, PictureDetail::Fast);
    const std::vector<unsigned char> full = drawnFrame(bench, PictureDetail::Full);
    bench.state.levelEnd.logoShown = false;
    const auto gold = [](const std::vector<unsigned char>& rgba) {
        long count = 0;
        for (std::size_t i = 0; i < rgba.size(); i += 4)
            count += rgba[i] > 150 && rgba[i + 1] > 100 && rgba[i + 2] < 90;
        return count;
    };
    const long fullGold = gold(full);
    const long fastGold = gold(fast);
    const bool ok = fullGold > 1000 && std::labs(fastGold - fullGold) <= fullGold / 20;
    std::printf("%-34s gold pixels full %ld fast %ld  %s\n", "logo over the scene", fullGold, fastGold,
                ok ? "alike" : "DIFFERENT");
    keepPictures(folder, bench, std::to_string(bench.window.width) + " logo", full, fast);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const char* folder = argc > 1 ? argv[1] : nullptr;
    BenchScene bench;
    if (!openBenchWindow(bench)) {
        std::fprintf(stderr, "no window (run under an X server, in the game directory)\n");
        return 1;
    }
    const Scene scenes[] = {
        {"largest level, lamp off", true, 20, 11, false},
        {"largest level, lamp on", true, 4, 11, true},
        {"edge level, lamp off", false, 3, 3, false},
    };
    // The window the game opens, which Fast draws at its own size, and a larger one, which it draws smaller
    // and stretches (by a factor that is no whole number).
    const SceneSize windows[] = {{800, 600}, {1280, 960}};
    int failures = 0;
    for (const SceneSize& size : windows) {
        if (!resizeBenchWindow(bench, size.width, size.height)) {
            std::printf("the window could not be made %dx%d\n", size.width, size.height);
            return 1;
        }
        const SceneSize drawn = sceneDrawSize(PictureDetail::Fast, size.width, size.height);
        std::printf("window %dx%d, Fast draws the scene at %dx%d\n", size.width, size.height, drawn.width,
                    drawn.height);
        failures += logoShown(bench, folder) ? 0 : 1;
        for (const Scene& scene : scenes) failures += sameScene(bench, scene, folder) ? 0 : 1;
        failures += sameHud(bench, folder) ? 0 : 1;
    }
    platformTerminate();
    return failures == 0 ? 0 : 1;
}
