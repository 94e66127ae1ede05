// The board's materials: stone floor, brick wall sides, the wall's capstone and the crate.

#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "image_makers.h"
#include "relief.h"
#include "shapes.h"

namespace {

constexpr int kMaterialSize = 512;  // pixels; floor, wall sides, wall top and crate

// One of a few related colours, picked by a hash and shaded a little, so neighbouring stones, bricks and
// boards differ the way real ones do.
Colour pickShade(const Colour* palette, int count, std::uint32_t pick, float spread) {
    const Colour& base = palette[pick % static_cast<std::uint32_t>(count)];
    const float brightness = 1.0f + spread * (static_cast<float>((pick >> 8) & 0xFF) / 255.0f - 0.5f);
    return scaled(base, brightness);
}

// Thin dark lines where a noise field crosses its middle value: cracks in stone, grain lines in wood.
float ridgeLines(float noise, float width) {
    return 1.0f - smoothstep(0.0f, width, std::fabs(noise - 0.5f));
}

// Distance to a crack in a stone: a line of four segments between two points on opposite sides,
// crossing at random heights, with kinks in between. Coordinates are from the stone's centre.
float crackDistance(std::uint32_t stone, float px, float py, float reach) {
    const auto unit = [&](int k) {
        return static_cast<float>(hash2(static_cast<int>(stone), k, 97) >> 8) / (1 << 24);
    };
    float points[5][2];
    for (int i = 0; i < 5; ++i) {
        const float t = i / 4.0f;
        points[i][0] = -reach + 2.0f * reach * t;
        points[i][1] = (unit(i) - 0.5f) * reach * (i == 0 || i == 4 ? 1.6f : 0.9f);
    }
    // Half the cracks run up and down instead of across.
    const bool vertical = (stone >> 12) % 2 == 1;
    float best = 1e9f;
    for (int i = 0; i < 4; ++i) {
        const float* a = points[i];
        const float* b = points[i + 1];
        const float d = vertical ? segmentDistance(py, px, a[0], a[1], b[0], b[1], 0.6f)
                                 : segmentDistance(px, py, a[0], a[1], b[0], b[1], 0.6f);
        best = std::min(best, d);
    }
    return best;
}

}  // namespace

Image makeFloorTexture() {
    constexpr int kStone = kMaterialSize / 8;  // one flagstone per board cell
    const Colour palette[] = {rgb(0x7a7469), rgb(0x6f6f70), rgb(0x847a6c), rgb(0x76726b), rgb(0x6b665e)};
    const Colour mortar = rgb(0x2e2b27);
    Canvas canvas(kMaterialSize, kMaterialSize);
    HeightField heights(kMaterialSize, kMaterialSize);

    forEachPixel(kMaterialSize, kMaterialSize, [&](int x, int y, float u, float v) {
        const int stoneX = x / kStone;
        const int stoneY = y / kStone;
        const std::uint32_t stone = hash2(stoneX, stoneY, 11);
        // Worn, slightly irregular edges: the outline wanders by a pixel or two.
        const float wobbleX = (tiledFbm(u, v, 32, 3, 21) - 0.5f) * 5.0f;
        const float wobbleY = (tiledFbm(u, v, 32, 3, 22) - 0.5f) * 5.0f;
        const float localX = x % kStone + 0.5f - kStone / 2.0f + wobbleX;
        const float localY = y % kStone + 0.5f - kStone / 2.0f + wobbleY;
        const float edge =
            roundedBoxDistance(localX, localY, kStone / 2.0f - 2.5f, kStone / 2.0f - 2.5f, 7.0f);
        const float inside = insideCoverage(edge);

        const float grain = tiledFbm(u, v, 64, 4, 31 + stone % 7);
        const float blotch = tiledFbm(u, v, 8, 3, 41);
        Colour stoneColour = pickShade(palette, 5, stone, 0.18f);
        stoneColour = scaled(stoneColour, 0.82f + 0.34f * grain);
        // Grime gathers towards the joints and in broad patches across the floor.
        stoneColour = scaled(stoneColour, 1.0f - 0.22f * (1.0f - smoothstep(-7.0f, -1.0f, edge)));
        stoneColour = scaled(stoneColour, 0.9f + 0.2f * blotch);
        if (hashUnit(x, y, 51) > 0.992f) stoneColour = scaled(stoneColour, 0.65f);
        // A crack across some stones: a jagged line from one side towards another.
        if (stone % 5 == 0) {
            const float crack = insideCoverage(crackDistance(stone, localX, localY, kStone / 2.0f - 8.0f));
            stoneColour = scaled(stoneColour, 1.0f - 0.5f * crack);
            heights.at(x, y) -= 0.5f * crack;
        }

        const Colour joint = scaled(mortar, 0.8f + 0.4f * tiledFbm(u, v, 128, 2, 71));
        canvas.at(x, y) = mix(joint, stoneColour, inside);
        heights.at(x, y) += mix(-0.6f, smoothstep(0.0f, 5.0f, -edge) + 0.35f * grain, inside);
    });
    applyRelief(canvas, heights, 1.4f, true);
    return toImage(canvas);
}

Image makeBrickWallTexture() {
    constexpr int kCourse = kMaterialSize / 8;  // brick height with its joint
    constexpr int kBrick = kMaterialSize / 4;   // brick length with its joint
    const Colour palette[] = {rgb(0x8e4a32), rgb(0xa0583a), rgb(0x7a3e2c),
                              rgb(0x955a40), rgb(0x83452f), rgb(0x9c4f36)};
    const Colour mortar = rgb(0xa9a196);
    Canvas canvas(kMaterialSize, kMaterialSize);
    HeightField heights(kMaterialSize, kMaterialSize);

    forEachPixel(kMaterialSize, kMaterialSize, [&](int x, int y, float u, float v) {
        const int course = y / kCourse;
        const int shift = (course % 2) * (kBrick / 2);  // running bond
        const int along = (x + shift) % kMaterialSize;
        const int brickIndex = along / kBrick;
        const std::uint32_t brick = hash2(brickIndex, course, 7);
        const float wobble = (tiledFbm(u, v, 64, 2, 13) - 0.5f) * 2.5f;
        const float localX = along % kBrick + 0.5f - kBrick / 2.0f;
        const float localY = y % kCourse + 0.5f - kCourse / 2.0f;
        const float edge =
            roundedBoxDistance(localX, localY, kBrick / 2.0f - 3.5f, kCourse / 2.0f - 3.5f, 3.0f) + wobble;
        const float inside = insideCoverage(edge);

        const float mottle = tiledFbm(u, v, 16, 4, 17 + brick % 5);
        const float fine = tiledFbm(u, v, 128, 2, 19);
        Colour brickColour = pickShade(palette, 6, brick, 0.25f);
        brickColour = scaled(brickColour, 0.8f + 0.3f * mottle + 0.12f * (fine - 0.5f));
        // Darker, burnt ends on some bricks.
        if (brick % 5 == 0) {
            const float end = std::fabs(localX) / (kBrick / 2.0f);
            brickColour = scaled(brickColour, 1.0f - 0.3f * smoothstep(0.6f, 1.0f, end));
        }
        if (hashUnit(x, y, 23) > 0.99f) brickColour = scaled(brickColour, 0.7f);

        const Colour joint = scaled(mortar, 0.78f + 0.3f * tiledFbm(u, v, 128, 3, 29));
        canvas.at(x, y) = mix(joint, brickColour, inside);
        const float chips = tiledFbm(u, v, 32, 3, 37);
        heights.at(x, y) =
            mix(-0.5f + 0.2f * fine, smoothstep(0.0f, 4.0f, -edge) + 0.25f * mottle - 0.2f * chips, inside);
    });
    applyRelief(canvas, heights, 1.6f, true);
    return toImage(canvas);
}

Image makeWallTopTexture() {
    const Colour stone = rgb(0x8f897f);
    const Colour joint = rgb(0x3a3632);
    const Colour lichen = rgb(0x9c9c68);
    Canvas canvas(kMaterialSize, kMaterialSize);
    HeightField heights(kMaterialSize, kMaterialSize);
    const float half = kMaterialSize / 2.0f;

    forEachPixel(kMaterialSize, kMaterialSize, [&](int x, int y, float u, float v) {
        const float wobble = (tiledFbm(u, v, 16, 3, 43) - 0.5f) * 6.0f;
        const float edge =
            roundedBoxDistance(x + 0.5f - half, y + 0.5f - half, half - 7.0f, half - 7.0f, 16.0f) + wobble;
        const float inside = insideCoverage(edge);
        // A chiselled margin of diagonal tool marks round a smoother dressed face.
        const float margin = smoothstep(-40.0f, -34.0f, edge);
        const float grain = tiledFbm(u, v, 64, 4, 47);
        const float toolMarks = 0.5f + 0.5f * std::sin((x - y) * 0.9f + 3.0f * tiledFbm(u, v, 16, 2, 53));
        const float speckle = hashUnit(x, y, 59);

        Colour face = scaled(stone, 0.84f + 0.24f * grain + 0.12f * tiledFbm(u, v, 4, 3, 61));
        if (speckle > 0.985f) face = scaled(face, 0.6f);
        if (speckle < 0.01f) face = scaled(face, 1.2f);
        face = scaled(face, 1.0f - 0.08f * margin * toolMarks);
        // Lichen in a few pale patches on the dressed face.
        const float patches = smoothstep(0.71f, 0.76f, tiledFbm(u, v, 12, 4, 67)) * (1.0f - margin);
        face = mix(face, scaled(lichen, 0.8f + 0.4f * grain), 0.45f * patches);
        canvas.at(x, y) = mix(scaled(joint, 0.8f + 0.4f * grain), face, inside);

        const float bevel = smoothstep(0.0f, 10.0f, -edge);
        const float surface = 3.0f * bevel + 0.4f * grain + 0.35f * margin * toolMarks + 0.3f * patches;
        heights.at(x, y) = mix(-1.0f, surface, inside);
    });
    applyRelief(canvas, heights, 1.3f, true);
    return toImage(canvas);
}

namespace {

// One board of the crate: where it lies and which way its grain runs.
struct Board {
    float ax, ay, bx, by;  // centre line, pixels from the top-left corner
    float halfWidth;
    float level;  // height in the relief: frame boards stand proud of the planks
    int tone;     // index into the wood colours
};

// Position along and across a board's centre line, for the grain.
void boardCoordinates(const Board& board, float px, float py, float& along, float& across) {
    const float dx = board.bx - board.ax;
    const float dy = board.by - board.ay;
    const float length = std::hypot(dx, dy);
    along = ((px - board.ax) * dx + (py - board.ay) * dy) / length;
    across = ((px - board.ax) * -dy + (py - board.ay) * dx) / length;
}

}  // namespace

Image makeCrateTexture() {
    constexpr float size = kMaterialSize;
    constexpr float frame = 64.0f;  // width of the frame boards
    constexpr float inner = size - 2 * frame;
    constexpr int kPlanks = 4;
    const Colour woods[] = {rgb(0xc48f55), rgb(0xb98249), rgb(0xcd9a5f), rgb(0xa8733f), rgb(0x9b6a3a)};

    // Listed from the bottom layer up: the topmost board under a pixel paints it.
    std::vector<Board> boards;
    const float plankWidth = inner / kPlanks;
    for (int i = 0; i < kPlanks; ++i) {
        const float cx = frame + plankWidth * (i + 0.5f);
        boards.push_back(Board{cx, frame - 8, cx, size - frame + 8, plankWidth / 2 - 1.5f, 0.3f, i % 3});
    }
    boards.push_back(Board{frame - 10, size - frame + 10, size - frame + 10, frame - 10, 34.0f, 0.75f, 3});
    boards.push_back(Board{frame / 2, frame, frame / 2, size - frame, frame / 2 - 1.5f, 1.0f, 4});
    boards.push_back(
        Board{size - frame / 2, frame, size - frame / 2, size - frame, frame / 2 - 1.5f, 1.0f, 4});
    boards.push_back(Board{0, frame / 2, size, frame / 2, frame / 2 - 1.5f, 1.1f, 3});
    boards.push_back(Board{0, size - frame / 2, size, size - frame / 2, frame / 2 - 1.5f, 1.1f, 3});

    Canvas canvas(kMaterialSize, kMaterialSize, rgb(0x2a1b10));
    HeightField heights(kMaterialSize, kMaterialSize);
    forEachPixel(kMaterialSize, kMaterialSize, [&](int x, int y, float, float) {
        const float px = x + 0.5f;
        const float py = y + 0.5f;
        Colour colour = rgb(0x2a1b10);  // the dark gaps between boards
        float height = 0.0f;
        for (std::size_t b = 0; b < boards.size(); ++b) {
            const Board& board = boards[b];
            // Clip the frame boards and brace to the face; the planks are cut square.
            const float distance =
                segmentDistance(px, py, board.ax, board.ay, board.bx, board.by, board.halfWidth);
            const float boxEdge =
                roundedBoxDistance(px - size / 2, py - size / 2, size / 2 - 1.5f, size / 2 - 1.5f, 4.0f);
            const float edge = std::max(distance, boxEdge);
            const float cover = insideCoverage(edge);
            if (cover <= 0.0f) continue;
            float along = 0;
            float across = 0;
            boardCoordinates(board, px, py, along, across);
            // Grain: long streaks along the board and a few growth rings.
            const float streak =
                tiledFbm(along / size * 0.25f + b * 0.37f, across / size * 6.0f, 8, 4, 71 + b);
            const float rings = ridgeLines(
                tiledFbm(along / size * 0.5f + b * 0.11f, across / size * 2.0f, 4, 3, 83 + b), 0.05f);
            Colour wood = woods[board.tone];
            wood = scaled(wood, 0.78f + 0.4f * streak - 0.18f * rings);
            if (hashUnit(x, y, 89) > 0.995f) wood = scaled(wood, 0.8f);
            const float bevel = smoothstep(0.0f, 5.0f, -edge);
            colour = mix(colour, scaled(wood, 0.75f + 0.25f * bevel), cover);
            height = mix(height, board.level + 0.5f * bevel + 0.08f * streak, cover);
        }
        canvas.at(x, y) = colour;
        heights.at(x, y) = height * 4.0f;
    });

    // Nail heads where the frame boards cross and at the ends of the brace.
    const float nails[][2] = {{frame / 2, frame / 2},          {size - frame / 2, frame / 2},
                              {frame / 2, size - frame / 2},   {size - frame / 2, size - frame / 2},
                              {frame + 18, size - frame - 18}, {size - frame - 18, frame + 18}};
    for (const auto& nail : nails) {
        for (int dy = -8; dy <= 8; ++dy) {
            for (int dx = -8; dx <= 8; ++dx) {
                for (int k = -1; k <= 1; k += 2) {
                    const float nx = nail[0] + k * 10.0f;
                    const float ny = nail[1] + k * 10.0f;
                    const int x = static_cast<int>(nx) + dx;
                    const int y = static_cast<int>(ny) + dy;
                    if (x < 0 || y < 0 || x >= kMaterialSize || y >= kMaterialSize) continue;
                    const float d = circleDistance(x + 0.5f - nx, y + 0.5f - ny, 4.5f);
                    const float cover = insideCoverage(d);
                    if (cover <= 0.0f) continue;
                    canvas.at(x, y) = mix(canvas.at(x, y), rgb(0x4a4a4e), cover);
                    heights.at(x, y) += cover * 2.0f * smoothstep(0.0f, 4.5f, -d);
                }
            }
        }
    }
    applyRelief(canvas, heights, 0.6f, false);
    return toImage(canvas);
}
