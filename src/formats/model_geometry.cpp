#include "formats/model_geometry.h"

#include <algorithm>
#include <cstdint>
#include <vector>

Vec4 facePlane(Vec3 p1, Vec3 p2, Vec3 p3) {
    Vec4 plane;
    plane.x = p1.y * (p2.z - p3.z) + p2.y * (p3.z - p1.z) + p3.y * (p1.z - p2.z);
    plane.y = p1.z * (p2.x - p3.x) + p2.z * (p3.x - p1.x) + p3.z * (p1.x - p2.x);
    plane.z = p1.x * (p2.y - p3.y) + p2.x * (p3.y - p1.y) + p3.x * (p1.y - p2.y);
    plane.w = -(p1.x * (p2.y * p3.z - p3.y * p2.z) + p2.x * (p3.y * p1.z - p1.y * p3.z) +
                p3.x * (p1.y * p2.z - p2.y * p1.z));
    return plane;
}

Vec3 faceNormal(Vec3 p1, Vec3 p2, Vec3 p3) {
    const Vec3 u = vecSub(p2, p1);
    const Vec3 v = vecSub(p3, p1);
    Vec3 normal{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
    vecNormalize(normal);
    return normal;
}

namespace {

// One face's side of an edge, keyed by its two vertex indices in ascending order.
struct HalfEdge {
    std::int32_t low = 0;
    std::int32_t high = 0;
    std::int32_t face = 0;
    int edge = 0;
    bool ascending = false;  // the face runs the edge from low to high
    bool paired = false;

    bool operator<(const HalfEdge& other) const {
        if (low != other.low) return low < other.low;
        if (high != other.high) return high < other.high;
        if (face != other.face) return face < other.face;
        return edge < other.edge;
    }
};

// Pairs the half-edges [first, last) of one vertex pair. requireOpposite limits the pairing to faces that
// wind the edge in opposite directions, the pairing of a consistently wound surface.
void pairGroup(Model& model, HalfEdge* first, HalfEdge* last, bool requireOpposite) {
    for (HalfEdge* a = first; a != last; ++a) {
        if (a->paired) continue;
        for (HalfEdge* b = a + 1; b != last; ++b) {
            if (b->paired || b->face == a->face) continue;
            if (requireOpposite && b->ascending == a->ascending) continue;
            model.faces[static_cast<std::size_t>(a->face)].neighbour[a->edge] = b->face + 1;
            model.faces[static_cast<std::size_t>(b->face)].neighbour[b->edge] = a->face + 1;
            a->paired = b->paired = true;
            break;
        }
    }
}

}  // namespace

void computeNeighbours(Model& model) {
    std::vector<HalfEdge> halfEdges;
    halfEdges.reserve(model.faces.size() * 3);
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        ModelFace& face = model.faces[f];
        for (int edge = 0; edge < 3; ++edge) {
            face.neighbour[edge] = 0;
            const std::int32_t from = face.vertexIndex[edge];
            const std::int32_t to = face.vertexIndex[(edge + 1) % 3];
            if (from == to) continue;  // a collapsed edge borders nothing
            HalfEdge half;
            half.low = std::min(from, to);
            half.high = std::max(from, to);
            half.face = static_cast<std::int32_t>(f);
            half.edge = edge;
            half.ascending = from < to;
            halfEdges.push_back(half);
        }
    }
    std::sort(halfEdges.begin(), halfEdges.end());

    HalfEdge* const begin = halfEdges.data();
    HalfEdge* const end = begin + halfEdges.size();
    for (HalfEdge* first = begin; first != end;) {
        HalfEdge* last = first + 1;
        while (last != end && last->low == first->low && last->high == first->high) ++last;
        if (last - first > 1) {
            pairGroup(model, first, last, true);
            pairGroup(model, first, last, false);
        }
        first = last;
    }
}

void computeModelGeometry(Model& model) {
    model.vertexCount = static_cast<std::int32_t>(model.positions.size());
    model.faceCount = static_cast<std::int32_t>(model.faces.size());
    model.materialCount = static_cast<std::int32_t>(model.materials.size());

    std::vector<Vec3> sums(model.positions.size());
    for (ModelFace& face : model.faces) {
        const Vec3 p1 = model.positions[static_cast<std::size_t>(face.vertexIndex[0])];
        const Vec3 p2 = model.positions[static_cast<std::size_t>(face.vertexIndex[1])];
        const Vec3 p3 = model.positions[static_cast<std::size_t>(face.vertexIndex[2])];
        face.plane = facePlane(p1, p2, p3);
        face.faceNormal = faceNormal(p1, p2, p3);
        for (const std::int32_t vertex : face.vertexIndex) {
            Vec3& sum = sums[static_cast<std::size_t>(vertex)];
            sum = vecAdd(sum, face.faceNormal);
        }
    }
    for (Vec3& sum : sums) vecNormalize(sum);
    model.normals = sums;
    computeNeighbours(model);
}
