#pragma once

#include "render/graphics.h"

// Loads slots 1 to 12 from their TGA files into new texture objects with mipmaps, trilinear filtering and,
// for the board's materials on a hardware renderer, the driver's largest anisotropy. A file that cannot be
// read writes "Failed to load image, <file>!!!" and beeps; its slot keeps a texture without an image, and
// loading goes on.
void loadTextures(TextureSlots& slots);
void loadMapIcons(IconSlots& slots);
void deleteTextures(TextureSlots& slots);

// The minifying filter of the scene's materials for the picture setting: trilinear in Full; in Fast the
// nearest mipmap level, filtered bilinearly, which samples half as much where the floor recedes.
void filterSceneMaterials(const TextureSlots& slots, PictureDetail mode);
