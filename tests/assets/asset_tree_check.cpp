// Every file the game opens, at the path it opens it, exists in the game directory and reads with the
// game's own loaders: the 16 images, the 35 models, the 4 samples, the 2 songs, the level set and the
// demo path. Run in the game directory; prints each failure and exits non-zero if there is any.

#include <cstdio>
#include <string>

#include "audio/game_audio.h"
#include "core/board.h"
#include "core/demo.h"
#include "core/level_file.h"
#include "formats/asset_files.h"
#include "formats/model.h"
#include "formats/tga_image.h"
#include "platform/sound_files.h"

namespace {

int g_failures = 0;
int g_checked = 0;

void expect(bool ok, const std::string& what) {
    ++g_checked;
    if (ok) return;
    std::printf("FAIL: %s\n", what.c_str());
    ++g_failures;
}

void checkImage(const char* path) {
    const Image image = loadTgaImage(path);
    expect(isImageValid(image) && image.width > 0 && (image.width & (image.width - 1)) == 0,
           std::string(path) + " is not a power-of-two image the TGA reader can read");
}

void checkModel(const std::string& path) {
    const Model model = loadModel(path);
    expect(!isEmptyModel(model) && model.faceCount > 0 && model.materialCount > 0,
           path + " is not a model the loader accepts");
}

}  // namespace

int main() {
    for (int slot = 1; slot <= kTextureSlotCount; ++slot) checkImage(kTextureFiles[slot]);
    for (int slot = 1; slot <= kIconSlotCount; ++slot) checkImage(kIconFiles[slot]);
    for (const char* path : kSceneryModelFiles) checkModel(path);
    for (int n = 0; n < kWalkFrameCount; ++n) checkModel(walkFramePath(n));
    for (int n = 1; n <= kPushFrameCount; ++n) checkModel(pushFramePath(n));
    for (int slot = 1; slot <= kSampleSlotCount; ++slot) {
        const WavSound sound = decodeWavFile(kSampleFiles[slot]);
        expect(isValidSound(sound) && sound.channels == 1 && soundFrames(sound) > 0,
               std::string(kSampleFiles[slot]) + " is not a mono sample the decoder reads");
    }
    for (const char* song : {kTitleSong, kGameSong}) {
        const ModuleStream stream = openModuleFile(song);
        expect(isValidModule(stream) && moduleDurationSeconds(stream) >= 60.0,
               std::string(song) + " is not a module of a minute or more");
    }
    Board board;
    Player player;
    player.setName = "Classic";  // the set every pass of the game starts with
    player.level = 1;
    loadLevel(board, player);
    expect(board.notFound == 0, levelFilePath(player.setName) + " has no level 1");
    DemoState demo;
    startDemoScript(demo);
    expect(!demoScriptAtEnd(demo), std::string(kDemoScriptPath) + " holds fewer than two target cells");
    closeDemoScript(demo);
    std::printf("%d asset checks, %d failed\n", g_checked, g_failures);
    return g_failures == 0 ? 0 : 1;
}
