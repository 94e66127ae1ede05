#pragma once

#include "profiles/settings_file.h"

// How much of the picture the renderer draws: all of it, or the cheaper picture that keeps a software
// renderer's frames short.
enum class PictureDetail {
    Full,
    Fast,
};

// The player's picture setting on the renderer OpenGL names (its GL_RENDERER string; null when unknown):
// Full and Fast as chosen; Automatic is Fast on a software renderer (llvmpipe, softpipe, swrast), whose
// every pixel costs processor time, and Full on anything else, an unknown renderer included.
PictureDetail resolvePicture(PictureSetting setting, const char* renderer);
