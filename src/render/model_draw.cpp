#include "render/model_draw.h"

#include "layout/model_shading.h"

namespace {

struct MaterialColours {
    float ambient;
    float diffuse;
    float specular;
};

constexpr MaterialColours kPlainColours{0.25f, 0.5f, 0.5f};
constexpr MaterialColours kShadedColours{0.25f, 0.5f, 0.15f};
constexpr MaterialColours kTileColours{0.75f, 0.5f, 0.15f};
constexpr float kShininess = 5.0f;

// A slot outside the table names no texture: the texture bound before stays, in every routine.
void bindMaterialTexture(const TextureSlots& textures, int slot) {
    glEnable(GL_TEXTURE_2D);
    if (isTextureSlot(slot)) glBindTexture(GL_TEXTURE_2D, textures.names[slot]);
}

void setMaterial(const MaterialColours& colours) {
    const float ambient[4] = {colours.ambient, colours.ambient, colours.ambient, 1.0f};
    const float diffuse[4] = {colours.diffuse, colours.diffuse, colours.diffuse, 1.0f};
    const float specular[4] = {colours.specular, colours.specular, colours.specular, 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, kShininess);
}

// The skeleton all four routines share: per material, its texture and colours, then its faces as one run
// of triangles, each corner issued by `corner`.
template <typename Corner>
void drawMaterials(const Model& model, const TextureSlots& textures, const MaterialColours& colours,
                   Corner corner) {
    for (const ModelMaterial& material : model.materials) {
        bindMaterialTexture(textures, material.textureSlot);
        setMaterial(colours);
        glBegin(GL_TRIANGLES);
        for (int f = material.firstFace; f <= material.lastFace; ++f) {
            const ModelFace& face = model.faces[static_cast<std::size_t>(f)];
            for (int k = 0; k < 3; ++k) corner(face, k, face.vertexIndex[k]);
        }
        glEnd();
    }
}

}  // namespace

void drawModel(const Model& model, const TextureSlots& textures) {
    drawMaterials(model, textures, kPlainColours, [&](const ModelFace& face, int k, int i) {
        glTexCoord2fv(face.texCoord[k]);
        glNormal3fv(&model.normals[static_cast<std::size_t>(i)].x);
        glVertex3fv(&model.positions[static_cast<std::size_t>(i)].x);
    });
}

void drawModelShaded(const Model& model, const TextureSlots& textures, Vec4 light, Vec3 offset) {
    drawMaterials(model, textures, kShadedColours, [&](const ModelFace& face, int k, int i) {
        const Vec3& position = model.positions[static_cast<std::size_t>(i)];
        const float grey = lampGreyLevel(light, position, offset);
        glTexCoord2fv(face.texCoord[k]);
        glNormal3fv(&model.normals[static_cast<std::size_t>(i)].x);
        glColor3f(grey, grey, grey);
        glVertex3fv(&position.x);
    });
}

namespace {

void tilePlanarCorner(const Model& model, int column, int row, int i) {
    const Vec3& position = model.positions[static_cast<std::size_t>(i)];
    const PlanarCoord uv = planarTexCoord(column, row, position);
    const Vec3 world = cellPosition(column, row, position);
    glTexCoord2f(uv.u, uv.v);
    glNormal3fv(&model.normals[static_cast<std::size_t>(i)].x);
    glVertex3fv(&world.x);
}

void tilePlanarShadedCorner(const Model& model, int column, int row, Vec4 light, Vec3 offset, int i) {
    const Vec3& position = model.positions[static_cast<std::size_t>(i)];
    const PlanarCoord uv = planarTexCoord(column, row, position);
    const float grey = lampGreyLevel(light, position, offset);
    const Vec3 world = cellPosition(column, row, position);
    glTexCoord2f(uv.u, uv.v);
    glColor3f(grey, grey, grey);
    glNormal3fv(&model.normals[static_cast<std::size_t>(i)].x);
    glVertex3fv(&world.x);
}

// The faces of a model's only material, corner by corner.
template <typename Corner>
void sendOnlyMaterial(const Model& model, Corner corner) {
    const ModelMaterial& material = model.materials.front();
    for (int f = material.firstFace; f <= material.lastFace; ++f) {
        const ModelFace& face = model.faces[static_cast<std::size_t>(f)];
        for (int k = 0; k < 3; ++k) corner(face.vertexIndex[k]);
    }
}

}  // namespace

void drawTilePlanar(const Model& model, const TextureSlots& textures, int column, int row) {
    drawMaterials(model, textures, kTileColours,
                  [&](const ModelFace&, int, int i) { tilePlanarCorner(model, column, row, i); });
}

void drawTilePlanarShaded(const Model& model, const TextureSlots& textures, int column, int row, Vec4 light,
                          Vec3 offset) {
    drawMaterials(model, textures, kTileColours, [&](const ModelFace&, int, int i) {
        tilePlanarShadedCorner(model, column, row, light, offset, i);
    });
}

bool tilesRunTogether(const Model& model) {
    return model.materials.size() == 1;
}

void beginTileRun(const Model& model, const TextureSlots& textures) {
    bindMaterialTexture(textures, model.materials.front().textureSlot);
    setMaterial(kTileColours);
    glBegin(GL_TRIANGLES);
}

void addTilePlanar(const Model& model, int column, int row) {
    sendOnlyMaterial(model, [&](int i) { tilePlanarCorner(model, column, row, i); });
}

void addTilePlanarShaded(const Model& model, int column, int row, Vec4 light, Vec3 offset) {
    sendOnlyMaterial(model, [&](int i) { tilePlanarShadedCorner(model, column, row, light, offset, i); });
}

void endTileRun() {
    glEnd();
}

void buildSceneryLists(Graphics& graphics) {
    graphics.sceneryLists = glGenLists(kSceneryModelCount);
    for (int i = 0; i < kSceneryModelCount; ++i) {
        glNewList(graphics.sceneryLists + static_cast<GLuint>(i), GL_COMPILE);
        drawModel(graphics.models.scenery[i], graphics.textures);
        glEndList();
    }
}
