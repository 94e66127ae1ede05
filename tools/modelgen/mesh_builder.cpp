#include "mesh_builder.h"

#include <algorithm>

#include "formats/model_geometry.h"

int MeshBuilder::vertex(Vec3 position) {
    positions_.push_back(position);
    return static_cast<int>(positions_.size()) - 1;
}

void MeshBuilder::triangle(int a, int b, int c, TexCoord ta, TexCoord tb, TexCoord tc) {
    TaggedFace tagged;
    tagged.slot = slot_;
    ModelFace& face = tagged.face;
    face.vertexIndex[0] = a;
    face.vertexIndex[1] = b;
    face.vertexIndex[2] = c;
    const TexCoord corners[3] = {ta, tb, tc};
    for (int k = 0; k < 3; ++k) {
        face.texCoord[k][0] = corners[k].u;
        face.texCoord[k][1] = corners[k].v;
    }
    faces_.push_back(tagged);
}

void MeshBuilder::quad(int a, int b, int c, int d, TexCoord ta, TexCoord tb, TexCoord tc, TexCoord td) {
    triangle(a, b, c, ta, tb, tc);
    triangle(a, c, d, ta, tc, td);
}

void MeshBuilder::convexTriangle(int a, int b, int c, TexCoord ta, TexCoord tb, TexCoord tc, Vec3 inside) {
    const Vec3 pa = position(a);
    const Vec3 normal = cross(vecSub(position(b), pa), vecSub(position(c), pa));
    if (dot(normal, vecSub(pa, inside)) >= 0.0f) {
        triangle(a, b, c, ta, tb, tc);
    } else {
        triangle(a, c, b, ta, tc, tb);
    }
}

void MeshBuilder::convexQuad(int a, int b, int c, int d, TexCoord ta, TexCoord tb, TexCoord tc, TexCoord td,
                             Vec3 inside) {
    convexTriangle(a, b, c, ta, tb, tc, inside);
    convexTriangle(a, c, d, ta, tc, td, inside);
}

Model MeshBuilder::build() const {
    // Slots in order of first appearance, the uncovered faces last.
    std::vector<int> order;
    for (const TaggedFace& tagged : faces_) {
        if (tagged.slot != kUncovered && std::find(order.begin(), order.end(), tagged.slot) == order.end()) {
            order.push_back(tagged.slot);
        }
    }
    Model model;
    model.positions = positions_;
    for (const int slot : order) {
        ModelMaterial material;
        material.firstFace = static_cast<std::int32_t>(model.faces.size());
        material.textureSlot = slot;
        for (const TaggedFace& tagged : faces_) {
            if (tagged.slot == slot) model.faces.push_back(tagged.face);
        }
        material.lastFace = static_cast<std::int32_t>(model.faces.size()) - 1;
        model.materials.push_back(material);
    }
    for (const TaggedFace& tagged : faces_) {
        if (tagged.slot == kUncovered) model.faces.push_back(tagged.face);
    }
    computeModelGeometry(model);
    return model;
}
