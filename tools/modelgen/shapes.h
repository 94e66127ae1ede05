#pragma once

#include <vector>

#include "mesh_builder.h"

// Closed primitives the models are assembled from. Each adds its faces with the builder's current texture
// slot (the box switches slots per side) and shares its own vertices, so every part is a closed surface.

// Planar texture coordinates per side: a side's texture spans textureSize model units, u running to the
// right and v upwards as seen from outside with the side's up direction (y for the walls, -z for the top,
// +z for the bottom).
struct BoxTexturing {
    int sideSlot = kUncovered;
    int topSlot = kUncovered;
    int bottomSlot = kUncovered;
    float textureSize = 1.0f;
    TexCoord offset;  // added to every coordinate
};

// A box of the given half extents around frame.origin, along the frame's axes: 8 vertices, 12 faces.
void addBox(MeshBuilder& builder, const Frame& frame, Vec3 halfSize, const BoxTexturing& texturing);

// One cross-section of a tube: an ellipse in the frame's x-z plane. The frame's y axis points along the
// tube, from this ring towards the next.
struct TubeRing {
    Frame frame;
    float radiusX = 0.0f;
    float radiusZ = 0.0f;
    float v = 0.0f;  // texture v of the ring
};

struct TubeStyle {
    int segments = 8;
    float seamAngle = 0.0f;  // where u starts and ends: radians from local -z, turning towards local -x
    float uStart = 0.0f;     // u at the seam
    float uPerTurn = 1.0f;   // a whole number, so that a tiling texture meets itself at the seam
    float startCap = 0.0f;   // how far the end point of each cap lies beyond its ring, along y
    float endCap = 0.0f;
    float startCapV = 0.0f;  // texture v at the end points
    float endCapV = 0.0f;
};

// A tube through the rings, closed at both ends by a fan to one end point: segments per ring,
// 2 * segments * (rings - 1) + 2 * segments faces. With end points on the axis it is a rounded limb,
// with rings on latitudes an ellipsoid.
void addTube(MeshBuilder& builder, const std::vector<TubeRing>& rings, const TubeStyle& style);

// An ellipsoid of the given radii about frame.origin with its poles on the frame's y axis: a tube through
// bands - 1 latitudes closed at the poles, v running from 0 at the lower pole to 1 at the upper one. The
// style's caps are set here.
void addEllipsoid(MeshBuilder& builder, const Frame& frame, Vec3 radii, int bands, TubeStyle style);
