#include "render/textures.h"

// Stand-in until the texture loader lands: no texture is loaded.
void loadTextures(TextureSlots&) {}
void loadMapIcons(IconSlots&) {}
void deleteTextures(TextureSlots&) {}
