#include "levels/generator/room_outline.h"

#include <algorithm>
#include <cmath>
#include <utility>

// Sections: the grid the families draw on; the families; the draw.

namespace {

// ---- the grid: every family draws upright, the draw turns it afterwards ----

RoomOutline closedBox(int width, int height) {
    RoomOutline outline;
    outline.width = width;
    outline.height = height;
    outline.open.assign(static_cast<std::size_t>(width * height), 0);
    return outline;
}

void setBox(RoomOutline& outline, int left, int top, int width, int height, bool open) {
    for (int y = std::max(0, top); y < std::min(outline.height, top + height); ++y) {
        for (int x = std::max(0, left); x < std::min(outline.width, left + width); ++x)
            outline.open[y * outline.width + x] = open ? 1 : 0;
    }
}

// Width and height of a box of about area cells, up to twice as long as wide, each side from least to most.
std::pair<int, int> boxSides(Random& random, double area, int least, int most) {
    const double aspect = 1.0 + random.below(101) / 100.0;
    const int width = std::clamp(static_cast<int>(std::lround(std::sqrt(area * aspect))), least, most);
    const int height = std::clamp(static_cast<int>(std::lround(area / width)), least, most);
    return {width, height};
}

// ---- the families; area is the floor wanted, each sizes its box by the share of it that stays open ----

// A rectangle with some of its corners cut off.
RoomOutline cutRectangle(Random& random, double area, int most) {
    const auto [width, height] = boxSides(random, area * 1.12, 3, most);
    RoomOutline outline = closedBox(width, height);
    setBox(outline, 0, 0, width, height, true);
    for (int corner = 0; corner < 4; ++corner) {
        if (!random.chance(50)) continue;
        const int cutWidth = random.between(1, std::max(1, width / 3));
        const int cutHeight = random.between(1, std::max(1, height / 3));
        setBox(outline, (corner & 1) != 0 ? width - cutWidth : 0, (corner & 2) != 0 ? height - cutHeight : 0,
               cutWidth, cutHeight, false);
    }
    return outline;
}

// Two rectangles from opposite corners of the box, overlapping in a block: an L, a T, a step.
RoomOutline overlappingRectangles(Random& random, double area, int most) {
    const auto [width, height] = boxSides(random, area * 1.12, 3, most);
    RoomOutline outline = closedBox(width, height);
    const int firstWidth = random.between((width + 1) / 2, width);
    const int firstHeight = random.between((height + 1) / 2, height);
    setBox(outline, 0, 0, firstWidth, firstHeight, true);
    const int secondWidth = random.between((width + 1) / 2, width);
    const int secondHeight = random.between((height + 1) / 2, height);
    setBox(outline, width - secondWidth, height - secondHeight, secondWidth, secondHeight, true);
    return outline;
}

// A rectangle with a bay cut into one side, leaving two arms at least two cells wide.
RoomOutline uShape(Random& random, double area, int most) {
    const auto [width, height] = boxSides(random, area / 0.78, 4, most);
    RoomOutline outline = closedBox(std::max(width, 6), height);
    setBox(outline, 0, 0, outline.width, height, true);
    const int bayWidth = random.between(2, outline.width - 4);
    const int bayLeft = random.between(2, outline.width - bayWidth - 2);
    setBox(outline, bayLeft, 0, bayWidth, random.between(2, height - 2), false);
    return outline;
}

// A walk round a solid block, two cells wide or more on every side.
RoomOutline ring(Random& random, double area, int most) {
    const auto [width, height] = boxSides(random, area / 0.75, 6, most);
    RoomOutline outline = closedBox(width, height);
    setBox(outline, 0, 0, width, height, true);
    const int blockWidth = random.between(2, width - 4);
    const int mostBlockHeight = std::max(1, std::min(height - 4, width * height * 3 / 10 / blockWidth));
    const int blockHeight = random.between(1, mostBlockHeight);
    setBox(outline, random.between(2, width - blockWidth - 2), random.between(2, height - blockHeight - 2),
           blockWidth, blockHeight, false);
    return outline;
}

// A bar across and a bar down the box crossing each other: a plus, or a T where a bar lies at the edge.
RoomOutline cross(Random& random, double area, int most) {
    const auto [width, height] = boxSides(random, area / 0.62, 6, most);
    RoomOutline outline = closedBox(width, height);
    const int barWidth = random.between(2, std::max(2, width / 2));
    const int barHeight = random.between(2, std::max(2, height / 2));
    const int leftArm = std::min(2, (width - barWidth) / 2);
    const int topArm = std::min(2, (height - barHeight) / 2);
    setBox(outline, random.between(leftArm, width - barWidth - leftArm), 0, barWidth, height, true);
    setBox(outline, 0, random.between(topArm, height - barHeight - topArm), width, barHeight, true);
    return outline;
}

// Two rooms side by side, the wall between them open for two cells.
RoomOutline twoRooms(Random& random, double area, int most) {
    const double share = random.between(40, 60) / 100.0;
    const int roomMost = std::max(3, (most - 1) / 2);
    const auto [leftWidth, leftHeight] = boxSides(random, area * share * 1.05, 3, roomMost);
    const auto [rightWidth, rightHeight] = boxSides(random, area * (1.0 - share) * 1.05, 3, roomMost);
    // The rooms share at least two rows, where the door is.
    const int rightTop = random.between(-(rightHeight - 2), leftHeight - 2);
    const int shift = std::max(0, -rightTop);
    const int height = std::max(leftHeight + shift, rightTop + shift + rightHeight);
    RoomOutline outline = closedBox(leftWidth + 1 + rightWidth, height);
    setBox(outline, 0, shift, leftWidth, leftHeight, true);
    setBox(outline, leftWidth + 1, rightTop + shift, rightWidth, rightHeight, true);
    const int sharedTop = std::max(shift, rightTop + shift);
    const int sharedBottom = std::min(shift + leftHeight, rightTop + shift + rightHeight);  // past the end
    setBox(outline, leftWidth, random.between(sharedTop, sharedBottom - 2), 1, 2, true);
    return outline;
}

// A rectangle with one or two corners cut along a staircase, of steps one or two cells long.
RoomOutline staircase(Random& random, double area, int most) {
    const auto [width, height] = boxSides(random, area / 0.8, 5, most);
    RoomOutline outline = closedBox(width, height);
    setBox(outline, 0, 0, width, height, true);
    const int steps = random.between(2, std::max(2, std::min(width, height) / 2 + 1));
    const int tread = random.between(1, 2);
    const bool both = random.chance(50);
    const bool opposite = random.chance(50);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool first = x < (steps - y) * tread;
            const int otherX = opposite ? width - 1 - x : x;
            const bool second = both && otherX < (steps - (height - 1 - y)) * tread;
            if (first || second) outline.open[y * width + x] = 0;
        }
    }
    return outline;
}

// Two or three blocks stacked, each shifted sideways against the one above, sharing two columns or more.
RoomOutline staggered(Random& random, double area, int most) {
    const int blocks = random.between(2, 3);
    std::vector<std::pair<int, int>> sides;  // width, height of each block
    int height = 0;
    for (int block = 0; block < blocks; ++block) {
        const int blockHeight = random.between(2, 4);
        const int blockWidth =
            std::clamp(static_cast<int>(std::lround(area / blocks / blockHeight)), 3, most - 2);
        sides.push_back({blockWidth, blockHeight});
        height += blockHeight;
    }
    std::vector<int> lefts{0};
    for (int block = 1; block < blocks; ++block) {
        lefts.push_back(lefts.back() + random.between(-(sides[block].first - 2), sides[block - 1].first - 2));
    }
    const int leftmost = *std::min_element(lefts.begin(), lefts.end());
    int width = 0;
    for (int block = 0; block < blocks; ++block)
        width = std::max(width, lefts[block] - leftmost + sides[block].first);
    if (width > most || height > most) return cutRectangle(random, area, most);
    RoomOutline outline = closedBox(width, height);
    int top = 0;
    for (int block = 0; block < blocks; ++block) {
        setBox(outline, lefts[block] - leftmost, top, sides[block].first, sides[block].second, true);
        top += sides[block].second;
    }
    return outline;
}

// A rectangle whose walls jut in here and there, away from the corners.
RoomOutline notched(Random& random, double area, int most) {
    const auto [width, height] = boxSides(random, area / 0.9, 6, most);
    RoomOutline outline = closedBox(width, height);
    setBox(outline, 0, 0, width, height, true);
    const int notches = random.between(2, 4);
    for (int notch = 0; notch < notches; ++notch) {
        const int side = random.below(4);
        const bool across = side < 2;  // on the top or bottom wall
        const int length = across ? width : height;
        const int span = random.between(1, 2);
        const int along = random.between(1, length - span - 1);
        const int depth = random.between(1, 2);
        if (across) {
            setBox(outline, along, side == 0 ? 0 : height - depth, span, depth, false);
        } else {
            setBox(outline, side == 2 ? 0 : width - depth, along, depth, span, false);
        }
    }
    return outline;
}

struct Family {
    RoomOutline (*draw)(Random&, double, int);
    int weight;       // in how many draws of the sum of weights it comes
    int wallPercent;  // of the room's wall pieces
};
constexpr Family kFamilies[] = {
    {cutRectangle, 2, 100}, {overlappingRectangles, 2, 100},
    {uShape, 2, 70},        {ring, 2, 50},
    {cross, 1, 60},         {twoRooms, 2, 70},
    {staircase, 1, 90},     {staggered, 2, 80},
    {notched, 1, 60},
};

// The outline turned by symmetry (bit 0: mirror across, bit 1: mirror down, bit 2: rows and columns
// swapped).
RoomOutline turned(const RoomOutline& outline, int symmetry) {
    const bool swap = (symmetry & 4) != 0;
    RoomOutline result =
        closedBox(swap ? outline.height : outline.width, swap ? outline.width : outline.height);
    result.wallPercent = outline.wallPercent;
    for (int y = 0; y < outline.height; ++y) {
        for (int x = 0; x < outline.width; ++x) {
            const int mirroredX = (symmetry & 1) != 0 ? outline.width - 1 - x : x;
            const int mirroredY = (symmetry & 2) != 0 ? outline.height - 1 - y : y;
            const int toX = swap ? mirroredY : mirroredX;
            const int toY = swap ? mirroredX : mirroredY;
            result.open[toY * result.width + toX] = outline.open[y * outline.width + x];
        }
    }
    return result;
}

}  // namespace

// ---- the draw ----

int RoomOutline::openCount() const {
    return static_cast<int>(std::count(open.begin(), open.end(), 1));
}

RoomOutline drawOutline(Random& random, double floorWanted, int wallPercent, int mostSide) {
    int weights = 0;
    for (const Family& family : kFamilies) weights += family.weight;
    int pick = random.below(weights);
    const Family* family = kFamilies;
    while (pick >= family->weight) pick -= (family++)->weight;
    const int walls = wallPercent * family->wallPercent / 100;
    RoomOutline outline = family->draw(random, floorWanted * 100.0 / (100 - walls), mostSide);
    outline.wallPercent = walls;
    return turned(outline, random.below(8));
}
