#pragma once

#include <vector>

#include "formats/model.h"
#include "shape_math.h"

// Collects a model part by part. Faces share vertices by index (so that the shadow code finds their
// neighbours) and carry their own texture coordinates per corner (so that a texture seam needs no
// duplicated vertex). Each face is tagged with the texture slot current when it was added; build() groups
// the faces into one material run per slot, in the order the slots first appeared, and puts the faces of
// slot kUncovered last, outside every material: they are never drawn but still cast shadows.

struct TexCoord {
    float u = 0.0f;
    float v = 0.0f;
};

constexpr int kUncovered = 0;

class MeshBuilder {
public:
    void setTextureSlot(int slot) { slot_ = slot; }
    int vertex(Vec3 position);
    Vec3 position(int vertex) const { return positions_[static_cast<std::size_t>(vertex)]; }

    // Corners in counter-clockwise order seen from outside.
    void triangle(int a, int b, int c, TexCoord ta, TexCoord tb, TexCoord tc);
    // a, b, c, d counter-clockwise seen from outside; split along a-c.
    void quad(int a, int b, int c, int d, TexCoord ta, TexCoord tb, TexCoord tc, TexCoord td);
    // The same for a face of a convex part: the winding is chosen so that the face looks away from
    // inside, a point within the part.
    void convexTriangle(int a, int b, int c, TexCoord ta, TexCoord tb, TexCoord tc, Vec3 inside);
    void convexQuad(int a, int b, int c, int d, TexCoord ta, TexCoord tb, TexCoord tc, TexCoord td,
                    Vec3 inside);

    // The finished model with planes, normals and neighbours filled in.
    Model build() const;

private:
    struct TaggedFace {
        ModelFace face;
        int slot = kUncovered;
    };
    std::vector<Vec3> positions_;
    std::vector<TaggedFace> faces_;
    int slot_ = kUncovered;
};
