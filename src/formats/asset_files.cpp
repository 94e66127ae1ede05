#include "formats/asset_files.h"

const char* const kTextureFiles[kTextureSlotCount + 1] = {
    nullptr,
    "Textures/Text.tga",
    "Textures/Floor.tga",
    "Textures/Wall2.tga",
    "Textures/Wall.tga",
    "Textures/logo.tga",
    "Textures/crate2.tga",
    "Textures/crate2.tga",
    "Textures/Legs.tga",
    "Textures/Body.tga",
    "Textures/Head.tga",
    "Textures/fog.tga",
    "Textures/Swords.tga",
};

const char* const kIconFiles[kIconSlotCount + 1] = {
    nullptr, "gfx/empty.tga", "gfx/wall.tga", "gfx/target.tga", "gfx/object.tga", "gfx/player.tga",
};

const char* const kSceneryModelFiles[kSceneryModelCount] = {
    "Models/Bin/Ground_Plane1.s3d",
    "Models/Bin/Cube.s3d",
    "Models/Bin/Crate.s3d",
    "Models/Bin/Ground_Plane2.s3d",
};

const char* const kSampleFiles[kSampleSlotCount + 1] = {
    nullptr, "Audio/SFX/slide.wav", "Audio/SFX/footsteps.wav", "Audio/SFX/Grunt.wav", "Audio/SFX/Grunt2.wav",
};
static_assert(SAMPLE_SLIDE == 1 && SAMPLE_GRUNT2 == kSampleSlotCount, "sample slots run from 1 to 4");

namespace {

// The frame number in decimal behind a prefix that supplies the leading zeros: "00" below 10, "0" above.
std::string framePath(const char* folder, int number) {
    return std::string(folder) + (number < 10 ? "00" : "0") + std::to_string(number) + ".s3d";
}

}  // namespace

std::string walkFramePath(int number) {
    return framePath("Models/Bin/Character/", number);
}

std::string pushFramePath(int number) {
    return framePath("Models/Bin/Character/push/", number);
}
