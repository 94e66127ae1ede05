// The fast way of sending the scene (floor tiles in runs between goals and walls; shadow volume sides kept
// per level and light and sent an object at a time through the rectangles where they can count) must leave
// exactly the picture the plain way leaves: fixed scenes (lamp off and on, several keeper positions, the
// level's edge in view, a turned camera) are drawn both ways, and the colour and stencil buffers read back
// must be identical, pixel for pixel. One scene follows another with the level or the light changed, so the
// kept volume sides must be built again whenever what they were built from changes. The floor must also be
// closed: no pixel inside its outline may show the cleared background. A picture kept and shown again (the
// board behind the open menu, the title) must be the picture drawn. And in a window wider than the 4 to 3
// the game opens with, the shadows must still reach its sides. The cell picked under the cursor must be the
// one the driver drew there.
// Runs in the game directory under an X server; exit status 0 when every scene matches. With an argument,
// PNGs of mismatching scenes are written into that folder.

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench_scene.h"
#include "game/cell_picking.h"
#include "layout/cursor_ray.h"
#include "layout/floor_footprint.h"
#include "platform/window.h"
#include "render/frame_cache.h"
#include "render/hud.h"
#include "render/scene_draw.h"

namespace {

// Pixels inside the floor's outline that still show the cleared background: cracks between floor tiles.
long floorHoles(const BenchScene& bench) {
    Mat4 modelView;
    Mat4 projection;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.m);
    glGetFloatv(GL_PROJECTION_MATRIX, projection.m);
    const int width = static_cast<int>(bench.window.width);
    const int height = static_cast<int>(bench.window.height);
    const PixelRect inside = hiddenFloorRect(modelView, projection, width, height, -0.5f,
                                             static_cast<float>(bench.state.scene.extentX) + 0.5f, -0.5f,
                                             static_cast<float>(bench.state.scene.extentY) + 0.5f);
    if (inside.empty()) return 0;
    std::vector<float> depth(static_cast<std::size_t>(width) * height);
    glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    long holes = 0;
    for (int y = inside.y0; y < inside.y1; ++y) {
        for (int x = inside.x0; x < inside.x1; ++x)
            holes += depth[static_cast<std::size_t>(y) * width + x] >= 1.0f;
    }
    return holes;
}

struct Mismatch {
    long colourPixels = 0;
    long stencilPixels = 0;
    long shadowedPixels = 0;  // pixels the shadows darken, so a scene without any would be noticed
    long floorHoles = 0;
};

Mismatch compareScene(BenchScene& bench, FrameReadback& fastFrame) {
    drawBenchScene(bench, ScenePath::Plain);
    glFinish();
    const FrameReadback plain = readFrame(bench.window);
    Mismatch result;
    drawBenchScene(bench, ScenePath::Fast);
    glFinish();
    const FrameReadback fast = readFrame(bench.window);
    result.floorHoles = floorHoles(bench);
    for (std::size_t i = 0; i < plain.stencil.size(); ++i) {
        if (plain.stencil[i] != fast.stencil[i]) ++result.stencilPixels;
        if (plain.stencil[i] != 0) ++result.shadowedPixels;
        for (int c = 0; c < 4; ++c) {
            if (plain.colour[i * 4 + c] != fast.colour[i * 4 + c]) {
                ++result.colourPixels;
                break;
            }
        }
    }
    platformSwapBuffers();
    fastFrame = fast;
    return result;
}

void placeKeeper(BenchScene& bench, int x, int y) {
    bench.state.player.x = x;
    bench.state.player.y = y;
    settleCamera(bench);
}

// A window wider than about 2.4 to 1: every pixel a shadow volume marks is darkened, out to the sides.
bool shadowsReachTheSidesOfAWideWindow(BenchScene& bench) {
    constexpr int kWidth = 1200;
    constexpr int kHeight = 400;
    if (!resizeBenchWindow(bench, kWidth, kHeight)) {
        std::printf("%-38s the window could not be widened\n", "wide window");
        return false;
    }
    buildLargestLevel(bench);
    bench.state.scene.zoom = 10.0f;
    bench.state.scene.lightFollowsKeeper = false;
    placeKeeper(bench, 16, 11);
    bench.state.scene.shadowsOn = false;
    drawBenchScene(bench);
    glFinish();
    const FrameReadback plain = readFrame(bench.window);
    bench.state.scene.shadowsOn = true;
    drawBenchScene(bench);
    glFinish();
    const FrameReadback shadowed = readFrame(bench.window);
    long marked = 0;
    long darkened = 0;
    const int band = kWidth / 6;  // the outer sixth of each side lies beyond a 2.4 to 1 view
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (x >= band && x < kWidth - band) continue;
            const std::size_t i = static_cast<std::size_t>(y) * kWidth + x;
            if (shadowed.stencil[i] == 0) continue;
            ++marked;
            const int before = plain.colour[i * 4] + plain.colour[i * 4 + 1] + plain.colour[i * 4 + 2];
            const int after =
                shadowed.colour[i * 4] + shadowed.colour[i * 4 + 1] + shadowed.colour[i * 4 + 2];
            darkened += after < before || before == 0;
        }
    }
    const bool ok = marked > 0 && darkened == marked;
    std::printf("%-38s shadowed at the sides %ld  darkened %ld  %s\n", "wide window", marked, darkened,
                ok ? "same" : "DIFFERENT");
    resizeBenchWindow(bench, 800, 600);
    return ok;
}

// --- Picking against the driver ----------------------------------------------------------------------

struct PickTarget {
    Vec3 point;
    int x;
    int y;
    PickedObject object;
};

// Points the camera may show unhidden: floor middles, the middles of wall and crate tops and their far parts
// (which lie over the row behind on screen), and the near sides of walls and crates.
std::vector<PickTarget> pickTargets(const GameState& state) {
    std::vector<PickTarget> targets;
    for (int x = 0; x <= state.scene.extentX; ++x) {
        for (int y = 0; y <= state.scene.extentY; ++y) {
            const float cx = static_cast<float>(x);
            const float cz = static_cast<float>(y);
            if (state.board.cells[x][y] != Cell::Wall) {
                targets.push_back({{cx, 0.0f, cz}, x, y, PickedObject::Floor});
                continue;
            }
            targets.push_back({{cx, 1.0f, cz}, x, y, PickedObject::Wall});
            targets.push_back({{cx, 1.0f, cz - 0.4f}, x, y, PickedObject::Wall});
            targets.push_back({{cx, 0.5f, cz + 0.5f}, x, y, PickedObject::Wall});
        }
    }
    const float top = 2.0f * kCrateHalfSize;
    for (int i = 0; i < kMaxBoxes; ++i) {
        const Box& box = state.board.boxes[i];
        if (box.active == 0) continue;
        const Vec3 c = drawnPosition(box, state.levelEnd.boxHeight[i]);
        targets.push_back({{c.x, c.y + top, c.z}, box.x, box.y, PickedObject::Crate});
        targets.push_back({{c.x, c.y + top, c.z - 0.36f}, box.x, box.y, PickedObject::Crate});
        targets.push_back(
            {{c.x, c.y + kCrateHalfSize, c.z + kCrateHalfSize}, box.x, box.y, PickedObject::Crate});
    }
    return targets;
}

double worldDistance(Vec3 a, const double (&b)[3]) {
    return std::sqrt((a.x - b[0]) * (a.x - b[0]) + (a.y - b[1]) * (a.y - b[1]) + (a.z - b[2]) * (a.z - b[2]));
}

struct PickCounts {
    int checked[3] = {};  // by PickedObject
    int background = 0;
    int wrong = 0;
};

// One drawn scene, the driver's matrices and depth buffer read back. Every target the driver shows at its
// pixel (the point it drew there, unprojected from the depth buffer, is the target) is picked through that
// pixel's middle: the target's cell and kind must come back, met where the driver drew, and the ray must run
// through the driver's own near and far points of the pixel. Where a coarse grid of pixels shows only the
// cleared background, nothing may be picked.
PickCounts pickAgainstDriver(const BenchScene& bench) {
    const GameState& state = bench.state;
    double modelView[16];
    double projection[16];
    int viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = static_cast<int>(bench.window.width);
    const int height = static_cast<int>(bench.window.height);
    std::vector<float> depth(static_cast<std::size_t>(width) * height);
    glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    const auto depthAt = [&](int x, int y) { return depth[static_cast<std::size_t>(y) * width + x]; };
    // The pixel's middle in window coordinates (y up) as a cursor (y down from the top).
    const auto rayAt = [&](int px, int py) {
        return cursorRay(bench.window, state.scene.eye, state.scene.lookAt, px + 0.5, height - (py + 0.5));
    };

    PickCounts counts;
    for (const PickTarget& target : pickTargets(state)) {
        double wx, wy, wz;
        gluProject(target.point.x, target.point.y, target.point.z, modelView, projection, viewport, &wx, &wy,
                   &wz);
        if (!(wx >= 0.0 && wx < width && wy >= 0.0 && wy < height && wz > 0.0 && wz < 1.0)) continue;
        const int px = static_cast<int>(wx);
        const int py = static_cast<int>(wy);
        double drawn[3];
        gluUnProject(px + 0.5, py + 0.5, depthAt(px, py), modelView, projection, viewport, &drawn[0],
                     &drawn[1], &drawn[2]);
        // A pixel's width on the floor at the far zoom is some 0.03 cells; anything further is another
        // surface in front of the target.
        if (depthAt(px, py) >= 1.0f || worldDistance(target.point, drawn) > 0.06) continue;
        const std::optional<Ray> ray = rayAt(px, py);
        double nearPoint[3];
        double farPoint[3];
        gluUnProject(px + 0.5, py + 0.5, 0.0, modelView, projection, viewport, &nearPoint[0], &nearPoint[1],
                     &nearPoint[2]);
        gluUnProject(px + 0.5, py + 0.5, 1.0, modelView, projection, viewport, &farPoint[0], &farPoint[1],
                     &farPoint[2]);
        const std::optional<PickedCell> picked =
            ray ? pickCell(*ray, state.scene, state.board) : std::nullopt;
        const bool rayAgrees =
            ray &&
            worldDistance(vecAdd(ray->origin, vecScale(ray->direction, ray->nearDepth)), nearPoint) < 1e-3 &&
            worldDistance(vecAdd(ray->origin, vecScale(ray->direction, ray->farDepth)), farPoint) < 1e-2;
        const bool ok = rayAgrees && picked && picked->x == target.x && picked->y == target.y &&
                        picked->object == target.object && worldDistance(picked->point, drawn) < 0.03;
        ++counts.checked[static_cast<int>(target.object)];
        if (ok) continue;
        ++counts.wrong;
        std::printf(
            "  target (%.2f, %.2f, %.2f) of cell (%d, %d) at pixel (%d, %d): ray %s, picked %s (%d, %d)\n",
            target.point.x, target.point.y, target.point.z, target.x, target.y, px, py,
            rayAgrees ? "agrees" : "DIFFERS", picked ? "cell" : "nothing", picked ? picked->x : -1,
            picked ? picked->y : -1);
    }
    constexpr int kGridStep = 16;
    for (int py = 1; py + 1 < height; py += kGridStep) {
        for (int px = 1; px + 1 < width; px += kGridStep) {
            bool background = true;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) background = background && depthAt(px + dx, py + dy) >= 1.0f;
            if (!background) continue;
            ++counts.background;
            const std::optional<Ray> ray = rayAt(px, py);
            if (!ray || !pickCell(*ray, state.scene, state.board)) continue;
            ++counts.wrong;
            std::printf("  background pixel (%d, %d) picked a cell\n", px, py);
        }
    }
    return counts;
}

// Near and far, and with the level's far edge and the background beyond it in view.
bool pickingAgreesWithTheDriver(BenchScene& bench) {
    struct Case {
        const char* name;
        int keeperX;
        int keeperY;
        float zoom;
        int leastBackground;
    };
    const Case cases[] = {
        {"picking, zoomed in", 20, 11, kZoomMin, 0},
        {"picking, zoomed out", 20, 11, kZoomMax, 0},
        {"picking, far edge, zoomed out", 10, 1, kZoomMax, 1},
    };
    buildLargestLevel(bench);
    bench.state.scene.lightFollowsKeeper = false;
    bench.state.scene.shadowsOn = false;  // the depth buffer alone is read
    bool allOk = true;
    for (const Case& c : cases) {
        bench.state.scene.zoom = c.zoom;
        placeKeeper(bench, c.keeperX, c.keeperY);
        drawBenchScene(bench);
        glFinish();
        const PickCounts counts = pickAgainstDriver(bench);
        const bool ok = counts.wrong == 0 && counts.checked[0] > 0 && counts.checked[1] > 0 &&
                        counts.checked[2] > 0 && counts.background >= c.leastBackground;
        std::printf("%-38s floor %3d  wall %3d  crate %3d  background %4d  wrong %d  %s\n", c.name,
                    counts.checked[0], counts.checked[1], counts.checked[2], counts.background, counts.wrong,
                    ok ? "same" : "DIFFERENT");
        platformSwapBuffers();
        allOk = allOk && ok;
    }
    return allOk;
}

}  // namespace

int main(int argc, char** argv) {
    BenchScene bench;
    if (!openBenchWindow(bench)) {
        std::fprintf(stderr, "no window (run under an X server, in the game directory)\n");
        return 1;
    }
    struct Case {
        const char* name;
        bool largest;
        int keeperX;
        int keeperY;
        bool lamp;
        float zoom;
        bool circling;  // the camera turned round the keeper, as after a solved level
    };
    const Case cases[] = {
        {"largest, middle, lamp off", true, 20, 11, false, 10.0f, false},
        {"largest, middle, lamp on", true, 20, 11, true, 10.0f, false},
        {"largest, west, lamp on", true, 4, 11, true, 10.0f, false},
        {"largest, near corner, lamp on", true, 29, 22, true, 14.0f, false},
        {"largest, far side, lamp on, zoomed out", true, 15, 2, true, 20.0f, false},
        {"largest, near corner, lamp off", true, 2, 21, false, 10.0f, false},
        {"largest, far corner, zoomed out", true, 29, 1, false, 20.0f, false},
        {"largest, turned camera", true, 10, 15, false, 10.0f, true},
        {"edge level, lamp off", false, 3, 3, false, 10.0f, false},
        {"edge level, lamp on", false, 3, 3, true, 10.0f, false},
        {"edge level, zoomed in", false, 3, 3, false, 5.0f, false},
        {"edge level, turned camera", false, 3, 3, false, 10.0f, true},
    };
    int failures = 0;
    for (const Case& c : cases) {
        if (c.largest)
            buildLargestLevel(bench);
        else
            buildEdgeLevel(bench);
        bench.state.scene.zoom = c.zoom;
        bench.state.scene.lightFollowsKeeper = c.lamp;
        bench.state.scene.shadowsOn = true;
        placeKeeper(bench, c.keeperX, c.keeperY);
        if (c.circling) {
            SceneTickInput input;
            input.solved = true;
            input.lastTime = 1.3f;
            for (int tick = 0; tick < 600; ++tick)
                updateSceneTick(bench.state.scene, bench.state.player, bench.state.board, input);
        }
        FrameReadback fast;
        const Mismatch m = compareScene(bench, fast);
        const bool ok =
            m.colourPixels == 0 && m.stencilPixels == 0 && m.shadowedPixels > 0 && m.floorHoles == 0;
        std::printf("%-38s colour %6ld  stencil %6ld  shadowed %7ld  floor holes %ld  %s\n", c.name,
                    m.colourPixels, m.stencilPixels, m.shadowedPixels, m.floorHoles,
                    ok ? "same" : "DIFFERENT");
        if (!ok && argc > 1) {
            writePng((std::string(argv[1]) + "/" + c.name + ".png").c_str(), bench.window, fast.colour);
        }
        failures += ok ? 0 : 1;
    }
    // A picture kept and shown again is the very picture drawn: the board behind the menu is replayed so.
    {
        buildEdgeLevel(bench);
        placeKeeper(bench, 3, 3);
        const std::string name = "replay";
        HudText text;
        text.profileName = &name;
        text.level = 1;
        bench.state.levelEnd.fade = 0.0f;
        drawBenchScene(bench);
        drawHud(bench.window, bench.graphics, bench.state.board, bench.state.scene, text, 0.3f,
                bench.state.levelEnd);
        glFinish();
        const FrameReadback drawn = readFrame(bench.window);
        FrameCache cache;
        storeFrame(cache, bench.window);
        glClearColor(0.3f, 0.6f, 0.9f, 0.5f);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        replayFrame(cache, bench.window);
        glFinish();
        const FrameReadback replayed = readFrame(bench.window);
        long differing = 0;
        for (std::size_t i = 0; i < drawn.colour.size(); ++i)
            differing += drawn.colour[i] != replayed.colour[i];
        std::printf("%-38s colour bytes differing %ld  %s\n", "replayed board picture", differing,
                    differing == 0 ? "same" : "DIFFERENT");
        failures += differing == 0 ? 0 : 1;
    }
    failures += pickingAgreesWithTheDriver(bench) ? 0 : 1;
    failures += shadowsReachTheSidesOfAWideWindow(bench) ? 0 : 1;
    platformTerminate();
    return failures == 0 ? 0 : 1;
}
