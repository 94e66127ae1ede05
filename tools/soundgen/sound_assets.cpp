#include "soundgen/sound_assets.h"

#include "formats/asset_files.h"

#include "soundgen/byte_writer.h"
#include "soundgen/effects.h"
#include "soundgen/it_writer.h"
#include "soundgen/songs.h"
#include "soundgen/wav_writer.h"

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
    effect(kSampleFiles[SAMPLE_SLIDE], makeSlideSound());
    effect(kSampleFiles[SAMPLE_FOOTSTEPS], makeFootstepSound());
    effect(kSampleFiles[SAMPLE_GRUNT], makeGruntSound(0));
    effect(kSampleFiles[SAMPLE_GRUNT2], makeGruntSound(1));
    song(kTitleSong, makeTitleSong());
    song(kGameSong, makeGameSong());
    return failed;
}
