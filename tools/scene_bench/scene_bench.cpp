// Frame cost of the 3D picture on the largest legal level: the frame's own work (scene, shadows, HUD and
// glFinish, not the frame's sleep), as median and 95th percentile over a few hundred frames, for shadows off,
// shadows on with the lamp off, shadows on with the lamp on, and the lamp on with the keeper gliding across
// its cell (as in a walk, the light moving every frame). Then the same frames part by part (clear,
// floor, walls, boxes, keeper, volumes, darkening, HUD text, mini-map, fog, logo): each part finished before
// the next is sent, so the parts add up to more than a frame whose parts overlap, but they show where the
// time goes.
//
//     cd build/game && xvfb-run -a -s "-screen 0 1920x1200x24" ../tools/scene_bench/scene_bench [frames]
//     [anisotropy] [--size WIDTHxHEIGHT] [--picture full|fast]
//
// The window is 800 x 600, as the game opens it, or the size given (the X screen must hold it); the picture
// setting is Full unless Fast is asked for (in Fast the part "HUD text" holds the fog laid over the scene
// and the scene stretched over the window, and "fog" nothing). The optional anisotropy is set on the
// board's materials: a diagnostic that shows how much of a frame the anisotropic filtering takes (the game
// uses the driver's largest, or none on a software renderer).

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "bench_scene.h"
#include "platform/window.h"
#include "render/hud.h"
#include "render/scene_draw.h"

namespace {

struct Figures {
    double median;
    double p95;
    double cpuPerFrame;  // process CPU time (all renderer threads) per frame: steadier on a shared machine
};

constexpr int kPassCount = static_cast<int>(FramePass::Count);
constexpr const char* kPassNames[kPassCount] = {"clear",     "board",    "boxes",    "keeper", "volumes",
                                                "darkening", "HUD text", "mini-map", "fog",    "logo"};

// The part timings of the frame being drawn: the time from the previous part's end to this one's, finished.
struct PassClock {
    std::chrono::steady_clock::time_point last;
    double milliseconds[kPassCount] = {};
};

PassClock g_passClock;

void finishPass(FramePass pass) {
    glFinish();
    const auto now = std::chrono::steady_clock::now();
    g_passClock.milliseconds[static_cast<int>(pass)] =
        std::chrono::duration<double, std::milli>(now - g_passClock.last).count();
    g_passClock.last = now;
}

double processCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Mode {
    const char* name;
    bool shadows;
    bool lamp;
    bool gliding;  // the keeper glides across its cell, over and over, and the lamp with it
};

// The game's frame as the bench draws it: the scene with its shadows, then the HUD over it.
void drawFrame(BenchScene& bench, int frame, const Mode& mode) {
    // The keeper walks on the spot, so the keeper model changes from frame to frame as in play.
    bench.state.scene.walkFrame = static_cast<float>(1 + frame % 15);
    const float cell = static_cast<float>(bench.state.player.x);
    bench.state.scene.keeperPosition.x = mode.gliding ? cell - 0.1f * static_cast<float>(frame % 10) : cell;
    drawBenchFrame(bench);
}

void setMode(BenchScene& bench, const Mode& mode) {
    bench.state.scene.shadowsOn = mode.shadows;
    bench.state.scene.lightFollowsKeeper = mode.lamp;
    bench.state.levelEnd.fade = 0.0f;  // play, not the logo fade of a level change
}

// Median milliseconds of each part over the frames.
std::vector<double> measurePasses(BenchScene& bench, int frames, const Mode& mode) {
    setMode(bench, mode);
    bench.graphics.passSent = finishPass;
    std::vector<std::vector<double>> times(kPassCount);
    for (int frame = 0; frame < frames + 10; ++frame) {
        g_passClock = {};
        glFinish();
        g_passClock.last = std::chrono::steady_clock::now();
        drawFrame(bench, frame, mode);
        platformSwapBuffers();
        if (frame < 10) continue;
        for (int pass = 0; pass < kPassCount; ++pass) times[pass].push_back(g_passClock.milliseconds[pass]);
    }
    bench.graphics.passSent = nullptr;
    std::vector<double> medians;
    for (const std::vector<double>& pass : times) medians.push_back(median(pass));
    return medians;
}

Figures measure(BenchScene& bench, int frames, const Mode& mode) {
    setMode(bench, mode);
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(frames));
    double cpuStart = 0.0;
    for (int frame = 0; frame < frames + 10; ++frame) {
        if (frame == 10) cpuStart = processCpuMilliseconds();
        const auto start = std::chrono::steady_clock::now();
        drawFrame(bench, frame, mode);
        glFinish();
        const auto end = std::chrono::steady_clock::now();
        platformSwapBuffers();
        if (frame >= 10) times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    const double cpu = (processCpuMilliseconds() - cpuStart) / frames;
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times[std::min(times.size() - 1, times.size() * 95 / 100)], cpu};
}

struct BenchOptions {
    int frames = 200;
    float anisotropy = 0.0f;
    int width = 800;
    int height = 600;
    PictureDetail picture = PictureDetail::Full;
};

// [frames] [anisotropy] in that order, --size WIDTHxHEIGHT and --picture full|fast anywhere; false on
// anything else.
bool readOptions(int argc, char** argv, BenchOptions& options) {
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--size" && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%dx%d", &options.width, &options.height) != 2 || options.width <= 0 ||
                options.height <= 0)
                return false;
        } else if (argument == "--picture" && i + 1 < argc) {
            const std::string name = argv[++i];
            if (name != "full" && name != "fast") return false;
            options.picture = name == "full" ? PictureDetail::Full : PictureDetail::Fast;
        } else if (positional == 0) {
            options.frames = std::max(20, std::atoi(argv[i]));
            ++positional;
        } else if (positional == 1) {
            options.anisotropy = static_cast<float>(std::atof(argv[i]));
            ++positional;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    BenchOptions options;
    if (!readOptions(argc, argv, options)) {
        std::fprintf(
            stderr, "usage: scene_bench [frames] [anisotropy] [--size WIDTHxHEIGHT] [--picture full|fast]\n");
        return 2;
    }
    const int frames = options.frames;
    const float anisotropy = options.anisotropy;
    BenchScene bench;
    if (!openBenchWindow(bench)) {
        std::fprintf(stderr, "no window (run under an X server, in the game directory)\n");
        return 1;
    }
    if (!resizeBenchWindow(bench, options.width, options.height)) {
        std::fprintf(stderr, "the window could not be made %dx%d (is the X screen large enough?)\n",
                     options.width, options.height);
        platformTerminate();
        return 1;
    }
    bench.graphics.picture = options.picture;
    if (anisotropy >= 1.0f) {
        for (int slot = 1; slot <= kTextureSlotCount; ++slot) {
            glBindTexture(GL_TEXTURE_2D, bench.graphics.textures.names[slot]);
            glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, anisotropy);
        }
        std::printf("diagnostic: anisotropy %g on the board's materials\n", anisotropy);
    }
    buildLargestLevel(bench);
    settleCamera(bench);
    const Mode modes[] = {{"shadows off", false, false, false},
                          {"shadows on, lamp off", true, false, false},
                          {"shadows on, lamp on", true, true, false},
                          {"lamp on, gliding", true, true, true}};
    const SceneSize scene = sceneDrawSize(options.picture, static_cast<int>(bench.window.width),
                                          static_cast<int>(bench.window.height));
    std::printf("frame work at %ux%u, picture %s (the scene at %dx%d), %d frames each (ms)\n",
                bench.window.width, bench.window.height,
                options.picture == PictureDetail::Full ? "Full" : "Fast", scene.width, scene.height, frames);
    for (const Mode& mode : modes) {
        const Figures figures = measure(bench, frames, mode);
        std::printf("  %-22s median %6.2f   p95 %6.2f   cpu/frame %6.2f\n", mode.name, figures.median,
                    figures.p95, figures.cpuPerFrame);
    }
    std::printf("median by part, each part finished before the next (ms)\n  %-22s", "");
    for (const char* name : kPassNames) std::printf(" %9s", name);
    std::printf("\n");
    for (const Mode& mode : modes) {
        const std::vector<double> passes = measurePasses(bench, frames, mode);
        std::printf("  %-22s", mode.name);
        for (const double milliseconds : passes) std::printf(" %9.2f", milliseconds);
        std::printf("\n");
    }
    platformTerminate();
    return 0;
}
