#pragma once

#include "layout/shadow_geometry.h"
#include "math/mat4.h"

// Where the floor hides what lies below it. The floor is closed and covers the drawn area's rectangle, so
// inside that rectangle's outline on screen every point more than a hair below the floor plane lies behind
// a drawn floor pixel and fails the depth test. A shadow volume can then only change the stencil buffer
// inside the outline where the volume is above the floor, which is near its caster; outside the outline
// it may change it anywhere. These helpers find the screen rectangles that follow from that.

struct PixelRect {
    int x0 = 0;  // first column inside
    int y0 = 0;  // first row inside (from the bottom)
    int x1 = 0;  // one past the last column
    int y1 = 0;  // one past the last row
    bool empty() const { return x1 <= x0 || y1 <= y0; }
};

PixelRect intersect(const PixelRect& a, const PixelRect& b);

// The largest axis-aligned pixel rectangle (found among a few candidates) inside the on-screen outline of
// the floor rectangle [minX, maxX] x [minZ, maxZ] at y = 0, shrunk by a safety margin of whole pixels.
// Empty when the outline cannot be projected (a corner behind the eye) or covers no whole pixel.
PixelRect hiddenFloorRect(const Mat4& modelView, const Mat4& projection, int viewportWidth,
                          int viewportHeight, float minX, float maxX, float minZ, float maxZ);

// Up to four rectangles that tile the viewport outside `inside`, each pixel in exactly one of them.
int bandsAround(const PixelRect& inside, int viewportWidth, int viewportHeight, PixelRect bands[4]);

struct Box3 {
    Vec3 min;
    Vec3 max;
};

// How deep below the floor plane a point must lie to count as hidden: far beyond the depth buffer's error.
constexpr float kHiddenDepth = 0.05f;

enum class ScreenBound { Known, Unknown };

// The screen rectangle (with a safety margin) that holds every point of a shadow volume cast by a caster
// inside `box` (world space) from `light` that lies above y = -kHiddenDepth. Unknown when the light is not
// above the whole caster or a point cannot be projected; the rectangle is empty when no part of the caster
// reaches above that plane.
ScreenBound aboveFloorVolumeRect(const Mat4& modelViewProjection, int viewportWidth, int viewportHeight,
                                 const Box3& box, Vec4 light, PixelRect& rect);

// The screen rectangle (with a safety margin) that holds the whole of `box` (world space) on screen: every
// pixel a point inside it is drawn on. Unknown when a corner cannot be projected (at or behind the eye).
ScreenBound boxScreenRect(const Mat4& modelViewProjection, int viewportWidth, int viewportHeight,
                          const Box3& box, PixelRect& rect);

// Reorders one caster's volume sides, placed by `matrix`, so that those whose silhouette edge lies above
// the floor plane come first (each group keeping its order), and returns how many those are. The others
// hang from an edge on the floor or below it and lie wholly below the floor: inside the floor's outline
// they fail the depth test at every pixel (the polygon offset keeps even their top edge behind the floor
// it lies on), so they need to be sent only outside it. Within one counting pass the order of the sides
// changes no count.
int sidesAboveFloorFirst(ShadowQuad* first, ShadowQuad* last, const Mat4& matrix);

// The world-space box around a model's vertices placed by a matrix.
Box3 placedBounds(const Box3& modelBox, const Mat4& matrix);
Box3 modelBounds(const Vec3* positions, int count);
// The box around both.
Box3 unite(const Box3& a, const Box3& b);
