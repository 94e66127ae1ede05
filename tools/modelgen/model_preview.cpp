// Draws the generated models into a PNG contact sheet for a person to look at: a small software
// rasteriser (orthographic, z-buffer, back faces culled as the game culls them, vertex normals
// interpolated) with stand-in textures that make the texture coordinates visible. Rows from the top:
// walk frames 0..15 from the keeper's right; the same from the front and above; push frames 1..15 from
// the right with the crate ahead; the same from the front and above; the scenery models and a small
// scene seen roughly as the game's camera sees it.
//
// usage: modelpreview OUT.png [closeup]
// closeup: a few walk and push frames, large, from the right and from the front.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "keeper_model.h"
#include "model_set.h"
#include "scenery_models.h"
#include "shape_math.h"

namespace {

struct Colour {
    float r, g, b;
};

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    std::vector<float> depth;

    Canvas(int w, int h)
        : width(w),
          height(h),
          rgb(static_cast<std::size_t>(w * h * 3), 0),
          depth(static_cast<std::size_t>(w * h), -1e30f) {}

    void fill(int x0, int y0, int x1, int y1, Colour c) {
        for (int y = std::max(0, y0); y < std::min(height, y1); ++y) {
            for (int x = std::max(0, x0); x < std::min(width, x1); ++x) put(x, y, c);
        }
    }
    void put(int x, int y, Colour c) {
        const std::size_t i = static_cast<std::size_t>(y * width + x) * 3;
        rgb[i] = static_cast<std::uint8_t>(std::clamp(c.r, 0.0f, 1.0f) * 255.0f);
        rgb[i + 1] = static_cast<std::uint8_t>(std::clamp(c.g, 0.0f, 1.0f) * 255.0f);
        rgb[i + 2] = static_cast<std::uint8_t>(std::clamp(c.b, 0.0f, 1.0f) * 255.0f);
    }
};

// A viewing direction: right, up and towards-the-viewer axes.
struct View {
    Vec3 right, up, back;
};

View viewFrom(Vec3 towardsViewer) {
    View view;
    view.back = normalised(towardsViewer);
    view.right = normalised(cross({0, 1, 0}, view.back));
    view.up = cross(view.back, view.right);
    return view;
}

// Where a model is drawn: a rectangle of the canvas, the model-space point at its centre, pixels per cell.
struct Placement {
    int x0, y0, x1, y1;
    Vec3 centre;
    float scale;
};

float fraction(float x) {
    return x - std::floor(x);
}

// Stand-in textures: enough pattern to show where the coordinates put things.
Colour textureColour(int slot, float u, float v) {
    const bool lineU = fraction(u * 4.0f) < 0.08f;
    switch (slot) {
        case kSlotFloor: {
            const bool stone =
                (static_cast<int>(std::floor(u * 16)) + static_cast<int>(std::floor(v * 16))) % 2 == 0;
            return stone ? Colour{0.55f, 0.55f, 0.5f} : Colour{0.45f, 0.45f, 0.42f};
        }
        case kSlotWallTop:
            return fraction(u * 2) < 0.05f || fraction(v * 2) < 0.05f ? Colour{0.5f, 0.5f, 0.5f}
                                                                      : Colour{0.75f, 0.73f, 0.68f};
        case kSlotWallSide: {
            const float row = std::floor(v * 6);
            const float shifted = u * 3 + (static_cast<int>(row) % 2) * 0.5f;
            const bool mortar = fraction(v * 6) < 0.12f || fraction(shifted) < 0.06f;
            return mortar ? Colour{0.7f, 0.7f, 0.65f} : Colour{0.65f, 0.28f, 0.2f};
        }
        case kSlotCrateSide:
        case kSlotCrateTop: {
            const bool border = u < 0.1f || u > 0.9f || v < 0.1f || v > 0.9f;
            const bool gap = fraction(v * 5) < 0.06f;
            if (border) return {0.5f, 0.32f, 0.15f};
            return gap ? Colour{0.35f, 0.22f, 0.1f} : Colour{0.75f, 0.55f, 0.3f};
        }
        case kSlotLegs:
            return lineU ? Colour{0.15f, 0.2f, 0.4f} : Colour{0.25f, 0.32f, 0.6f};
        case kSlotBody:
            return fraction(v * 5) < 0.15f ? Colour{0.9f, 0.85f, 0.3f} : Colour{0.75f, 0.2f, 0.15f};
        case kSlotHead: {
            auto near = [&](float cu, float cv, float r) {
                return (u - cu) * (u - cu) * 4 + (v - cv) * (v - cv) < r * r;
            };
            if (near(0.215f, 0.55f, 0.05f) || near(0.285f, 0.55f, 0.05f)) return {0.1f, 0.1f, 0.1f};
            if (std::fabs(u - 0.25f) < 0.04f && std::fabs(v - 0.4f) < 0.02f) return {0.6f, 0.15f, 0.15f};
            if (v > 0.72f || (u > 0.5f && v > 0.35f)) return {0.35f, 0.22f, 0.1f};
            return {0.95f, 0.75f, 0.6f};
        }
        default:
            return {1.0f, 0.0f, 1.0f};
    }
}

struct Instance {
    const Model* model;
    Vec3 offset;
};

// Draws the instances into the placement's rectangle. Only faces inside a material are drawn, and only
// front faces (counter-clockwise on screen), as in the game.
void draw(Canvas& canvas, const std::vector<Instance>& instances, const View& view, const Placement& at) {
    const Vec3 light = normalised({0.4f, 1.0f, 0.7f});
    const float cx = 0.5f * static_cast<float>(at.x0 + at.x1);
    const float cy = 0.5f * static_cast<float>(at.y0 + at.y1);
    for (const Instance& instance : instances) {
        const Model& model = *instance.model;
        for (const ModelMaterial& material : model.materials) {
            for (int f = material.firstFace; f <= material.lastFace; ++f) {
                const ModelFace& face = model.faces[static_cast<std::size_t>(f)];
                float sx[3], sy[3], sz[3];
                Vec3 normals[3];
                for (int k = 0; k < 3; ++k) {
                    const std::size_t i = static_cast<std::size_t>(face.vertexIndex[k]);
                    const Vec3 p = vecSub(vecAdd(model.positions[i], instance.offset), at.centre);
                    sx[k] = cx + at.scale * dot(p, view.right);
                    sy[k] = cy - at.scale * dot(p, view.up);
                    sz[k] = dot(p, view.back);
                    normals[k] = model.normals[i];
                }
                const float area = (sx[1] - sx[0]) * (sy[2] - sy[0]) - (sx[2] - sx[0]) * (sy[1] - sy[0]);
                if (area >= 0.0f) continue;  // clockwise on screen (y down): a back face
                const int minX =
                    std::max(at.x0, static_cast<int>(std::floor(std::min({sx[0], sx[1], sx[2]}))));
                const int maxX =
                    std::min(at.x1 - 1, static_cast<int>(std::ceil(std::max({sx[0], sx[1], sx[2]}))));
                const int minY =
                    std::max(at.y0, static_cast<int>(std::floor(std::min({sy[0], sy[1], sy[2]}))));
                const int maxY =
                    std::min(at.y1 - 1, static_cast<int>(std::ceil(std::max({sy[0], sy[1], sy[2]}))));
                for (int y = minY; y <= maxY; ++y) {
                    for (int x = minX; x <= maxX; ++x) {
                        const float px = static_cast<float>(x) + 0.5f;
                        const float py = static_cast<float>(y) + 0.5f;
                        const float w0 = ((sx[1] - px) * (sy[2] - py) - (sx[2] - px) * (sy[1] - py)) / area;
                        const float w1 = ((sx[2] - px) * (sy[0] - py) - (sx[0] - px) * (sy[2] - py)) / area;
                        const float w2 = 1.0f - w0 - w1;
                        if (w0 < 0 || w1 < 0 || w2 < 0) continue;
                        const float z = w0 * sz[0] + w1 * sz[1] + w2 * sz[2];
                        float& stored = canvas.depth[static_cast<std::size_t>(y * canvas.width + x)];
                        if (z <= stored) continue;
                        stored = z;
                        const float u =
                            w0 * face.texCoord[0][0] + w1 * face.texCoord[1][0] + w2 * face.texCoord[2][0];
                        const float v =
                            w0 * face.texCoord[0][1] + w1 * face.texCoord[1][1] + w2 * face.texCoord[2][1];
                        const Vec3 n =
                            normalised(vecAdd(vecAdd(vecScale(normals[0], w0), vecScale(normals[1], w1)),
                                              vecScale(normals[2], w2)));
                        const float shade = 0.35f + 0.65f * std::max(0.0f, dot(n, light));
                        const Colour c = textureColour(material.textureSlot, u, v);
                        canvas.put(x, y, {c.r * shade, c.g * shade, c.b * shade});
                    }
                }
            }
        }
    }
}

void resetDepth(Canvas& canvas) {
    std::fill(canvas.depth.begin(), canvas.depth.end(), -1e30f);
}

}  // namespace

namespace {

bool writePng(const char* path, const Canvas& canvas) {
    if (stbi_write_png(path, canvas.width, canvas.height, 3, canvas.rgb.data(), canvas.width * 3) != 0)
        return true;
    std::fprintf(stderr, "modelpreview: cannot write %s\n", path);
    return false;
}

// Walk frames 0, 2, 5, 9, 12 and push frames 1, 5, 12, each 300 x 400 pixels: from the keeper's right
// above, from the front (from the left front when pushing) below.
int closeup(const char* path, const std::vector<GeneratedModel>& set) {
    constexpr int kWidth = 300;
    constexpr int kHeight = 400;
    const int picks[8] = {4 + 0, 4 + 2, 4 + 5, 4 + 9, 4 + 12, 4 + 16, 4 + 20, 4 + 27};
    Canvas canvas(8 * kWidth, 2 * kHeight);
    canvas.fill(0, 0, canvas.width, canvas.height, {0.16f, 0.18f, 0.22f});
    const View side = viewFrom({-1.0f, 0.15f, 0.0f});
    const View front = viewFrom({0.35f, 0.3f, 1.0f});
    const View pushView = viewFrom({1.0f, 0.5f, 0.6f});
    const Vec3 crateAhead{0.0f, -kKeeperHeight, 1.0f};
    for (int i = 0; i < 8; ++i) {
        const Model& keeper = set[static_cast<std::size_t>(picks[i])].model;
        const bool pushing = picks[i] >= 4 + kWalkFrameCount;
        std::vector<Instance> scene = {{&keeper, {}}, {&set[0].model, {0.0f, -kKeeperHeight, 0.0f}}};
        if (pushing) scene.push_back({&set[2].model, crateAhead});
        const float middle = 0.65f - kKeeperHeight;
        const float scale = pushing ? 165.0f : 260.0f;
        resetDepth(canvas);
        draw(canvas, scene, side,
             {i * kWidth, 0, (i + 1) * kWidth, kHeight, {0.0f, middle, pushing ? 0.42f : 0.0f}, scale});
        resetDepth(canvas);
        // The crate would hide a pushing keeper seen from the front: look from his left instead.
        draw(canvas, scene, pushing ? pushView : front,
             {i * kWidth,
              kHeight,
              (i + 1) * kWidth,
              2 * kHeight,
              {0.0f, middle, pushing ? 0.4f : 0.0f},
              scale});
    }
    return writePng(path, canvas) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 3 && std::string(argv[2]) == "closeup")) {
        std::fprintf(stderr, "usage: %s OUT.png [closeup]\n", argv[0]);
        return 2;
    }
    const std::vector<GeneratedModel> set = buildModelSet();
    if (argc == 3) return closeup(argv[1], set);
    const Model& floor = set[0].model;
    const Model& wall = set[1].model;
    const Model& crate = set[2].model;
    const Model& goal = set[3].model;

    constexpr int kCell = 112;
    constexpr int kRowHeight = 150;
    constexpr int kSceneryHeight = 300;
    Canvas canvas(16 * kCell, 4 * kRowHeight + kSceneryHeight);
    canvas.fill(0, 0, canvas.width, canvas.height, {0.16f, 0.18f, 0.22f});
    for (int row = 0; row < 4; ++row) {
        canvas.fill(0, row * kRowHeight, canvas.width, row * kRowHeight + 1, {0.4f, 0.4f, 0.45f});
    }
    for (int column = 1; column < 16; ++column) {
        canvas.fill(column * kCell, 0, column * kCell + 1, 4 * kRowHeight, {0.3f, 0.3f, 0.35f});
    }

    const View side = viewFrom({-1.0f, 0.15f, 0.0f});
    const View front = viewFrom({0.45f, 0.7f, 1.0f});
    const float keeperMiddle = 0.65f - kKeeperHeight;
    const Vec3 floorUnderKeeper{0.0f, -kKeeperHeight, 0.0f};
    const Vec3 crateAhead{0.0f, -kKeeperHeight, 1.0f};
    for (int frame = 0; frame < kWalkFrameCount; ++frame) {
        const Model& keeper = set[static_cast<std::size_t>(4 + frame)].model;
        const int x0 = frame * kCell;
        resetDepth(canvas);
        draw(canvas, {{&keeper, {}}, {&floor, floorUnderKeeper}}, side,
             {x0, 0, x0 + kCell, kRowHeight, {0.0f, keeperMiddle, 0.1f}, 95.0f});
        resetDepth(canvas);
        draw(canvas, {{&keeper, {}}, {&floor, floorUnderKeeper}}, front,
             {x0, kRowHeight, x0 + kCell, 2 * kRowHeight, {0.0f, keeperMiddle, 0.0f}, 85.0f});
    }
    for (int frame = 1; frame <= kPushFrameCount; ++frame) {
        const Model& keeper = set[static_cast<std::size_t>(4 + kWalkFrameCount + frame - 1)].model;
        const int x0 = (frame - 1) * kCell;
        resetDepth(canvas);
        draw(canvas, {{&keeper, {}}, {&crate, crateAhead}, {&floor, floorUnderKeeper}}, side,
             {x0, 2 * kRowHeight, x0 + kCell, 3 * kRowHeight, {0.0f, keeperMiddle, 0.45f}, 62.0f});
        resetDepth(canvas);
        draw(canvas, {{&keeper, {}}, {&crate, crateAhead}}, front,
             {x0, 3 * kRowHeight, x0 + kCell, 4 * kRowHeight, {0.0f, keeperMiddle, 0.4f}, 58.0f});
    }

    // Scenery, each model alone, then a small room as the game's camera sees it from above and behind.
    const int top = 4 * kRowHeight;
    const View scenery = viewFrom({0.6f, 0.9f, 1.0f});
    const Model* singles[4] = {&floor, &wall, &crate, &goal};
    for (int i = 0; i < 4; ++i) {
        resetDepth(canvas);
        draw(canvas, {{singles[i], {}}}, scenery,
             {i * 2 * kCell, top, (i + 1) * 2 * kCell, top + kSceneryHeight, {0.0f, 0.4f, 0.0f}, 150.0f});
    }
    // Room: columns 0..5, rows 0..4, walls around; a crate on the goal at (2, 2), the keeper at (3, 3)
    // facing a crate at (3, 2)... the keeper faces +z, so he stands at (3, 1) pushing the crate at (3, 2).
    std::vector<Instance> room;
    const int columns = 6;
    const int rows = 5;
    for (int x = 0; x < columns; ++x) {
        for (int y = 0; y < rows; ++y) {
            const Vec3 cell{static_cast<float>(x), 0.0f, static_cast<float>(y)};
            const bool isWall = x == 0 || y == 0 || x == columns - 1 || y == rows - 1;
            room.push_back({&floor, cell});
            if (isWall) room.push_back({&wall, cell});
            if ((x == 2 && y == 2) || (x == 4 && y == 3)) room.push_back({&goal, cell});
        }
    }
    room.push_back({&crate, {2.0f, 0.0f, 2.0f}});
    room.push_back({&crate, {3.0f, 0.0f, 2.0f}});
    const Model& pusher = set[static_cast<std::size_t>(4 + kWalkFrameCount + 5)].model;
    room.push_back({&pusher, {3.0f, kKeeperHeight, 1.0f}});
    resetDepth(canvas);
    const View camera = viewFrom({0.0f, 8.97f, 5.0f});
    draw(canvas, room, camera, {8 * kCell, top, 16 * kCell, top + kSceneryHeight, {2.5f, 0.0f, 2.0f}, 70.0f});

    return writePng(argv[1], canvas) ? 0 : 1;
}
