#include "soundgen/sound_assets.h"

#include "soundgen/byte_writer.h"
#include "soundgen/effects.h"
#include "soundgen/it_writer.h"
#include "soundgen/songs.h"
#include "soundgen/wav_writer.h"

const char* const kSoundAssetPaths[6] = {
    "Audio/SFX/slide.wav",  "Audio/SFX/footsteps.wav", "Audio/SFX/Grunt.wav",
    "Audio/SFX/Grunt2.wav", "audio/music/in1.it",      "audio/music/s1.it",
};

std::vector<std::string> writeSoundAssets(const std::string& gameDirectory) {
    std::vector<std::string> failed;
    auto check = [&](bool written, const char* relative) {
        if (!written) failed.push_back(gameDirectory + "/" + relative);
    };
    auto effect = [&](const char* relative, const std::vector<std::int16_t>& samples) {
        check(writeWavMono16(gameDirectory + "/" + relative, kEffectRate, samples), relative);
    };
    auto song = [&](const char* relative, const ItModule& module) {
        check(writeBytesToFile(gameDirectory + "/" + relative, encodeItModule(module)), relative);
    };
    effect(kSoundAssetPaths[0], makeSlideSound());
    effect(kSoundAssetPaths[1], makeFootstepSound());
    effect(kSoundAssetPaths[2], makeGruntSound(0));
    effect(kSoundAssetPaths[3], makeGruntSound(1));
    song(kSoundAssetPaths[4], makeTitleSong());
    song(kSoundAssetPaths[5], makeGameSong());
    return failed;
}
