#include "render/textures.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <utility>

#include "formats/tga_image.h"
#include "layout/mipmap_chain.h"
#include "layout/picture_choice.h"
#include "platform/diagnostics.h"
#include "platform/window.h"

static_assert(sizeof(TextureSlots::names) / sizeof(GLuint) == kTextureSlotCount + 1);
static_assert(sizeof(IconSlots::names) / sizeof(GLuint) == kIconSlotCount + 1);
static_assert(sizeof(kTextureFiles) / sizeof(kTextureFiles[0]) == kTextureSlotCount + 1);
static_assert(sizeof(kIconFiles) / sizeof(kIconFiles[0]) == kIconSlotCount + 1);

namespace {

constexpr const char* kAnisotropyExtension = "GL_EXT_texture_filter_anisotropic";

// Uploads the image into the bound texture as level 0 and every smaller level down to 1 x 1. The rows are
// already bottom first, so texture coordinate (0, 0) is the image's lower-left corner. An image larger
// than the driver accepts is halved until it fits rather than left without a picture.
void uploadWithMipmaps(Image image) {
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    while (maxSide > 0 && (image.width > maxSide || image.height > maxSide)) image = halvedImage(image);
    const int levels = mipLevelCount(image.width, image.height);
    for (int level = 0; level < levels; ++level) {
        if (level > 0) image = halvedImage(image);
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     image.pixels.data());
    }
}

void setSamplingParameters(bool anisotropic) {
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    // The 2D drawing tints and fades textures through the current colour.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (anisotropic) {
        GLfloat largest = 0.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &largest);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, largest);
    }
}

// Anisotropic filtering sharpens a texture seen at a slant: the materials of the board and the keeper.
// The text, logo, fog and map images are only ever drawn facing the screen, where it can add nothing, and
// where a software renderer's anisotropic filter blurs them past their edges (the 8-pixel glyphs pick up
// their neighbours in the font image) and makes every full-window overlay slower. They keep plain trilinear
// filtering.
bool seenAtASlant(const char* const* files, int slot) {
    if (files != kTextureFiles) return false;
    return slot != TEX_TEXT && slot != TEX_LOGO && slot != TEX_FOG && slot != TEX_SWORDS;
}

// A software rasterizer's anisotropic filter now and then spins one of its threads for many seconds on a
// single frame (seen on llvmpipe while walking about level 1: the picture froze, the game waited in the
// buffer swap), and it takes most of every frame besides. There the materials keep trilinear filtering.
bool anisotropyIsSafe() {
    if (!platformExtensionSupported(kAnisotropyExtension)) return false;
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return renderer != nullptr && !isSoftwareRenderer(renderer);
}

// One table, slot 1 upwards. A file that cannot be read leaves its slot with a texture name and no
// picture: drawing with it shows the surface untextured, and start-up goes on.
void loadSlots(GLuint* names, const char* const* files, int slotCount) {
    const bool anisotropyAvailable = anisotropyIsSafe();
    for (int slot = 1; slot <= slotCount; ++slot) {
        const char* file = files[slot];
        if (file == nullptr) continue;
        glGenTextures(1, &names[slot]);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, names[slot]);
        Image image = loadTgaImage(file);
        if (isImageValid(image)) {
            uploadWithMipmaps(std::move(image));
        } else {
            diagnosticLine("Failed to load image, %s!!!", file);
            // The bell, not a sound: start-up never waits on a sound device.
            diagnosticBell();
        }
        setSamplingParameters(anisotropyAvailable && seenAtASlant(files, slot));
    }
}

}  // namespace

void loadTextures(TextureSlots& slots) {
    loadSlots(slots.names, kTextureFiles, kTextureSlotCount);
}

void loadMapIcons(IconSlots& slots) {
    loadSlots(slots.names, kIconFiles, kIconSlotCount);
}

void filterSceneMaterials(const TextureSlots& slots, PictureDetail mode) {
    const GLint filter = mode == PictureDetail::Fast ? GL_LINEAR_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_LINEAR;
    for (int slot = 1; slot <= kTextureSlotCount; ++slot) {
        if (slots.names[slot] == 0 || !seenAtASlant(kTextureFiles, slot)) continue;
        glBindTexture(GL_TEXTURE_2D, slots.names[slot]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    }
}

void deleteTextures(TextureSlots& slots) {
    glDeleteTextures(kTextureSlotCount, &slots.names[1]);
    for (GLuint& name : slots.names) name = 0;
}
