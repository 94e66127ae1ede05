#include "layout/picture_choice.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace {

// Mesa's software rasterizers, as their names appear in the renderer string ("llvmpipe (LLVM 15.0.6, 256
// bits)"; the classic one calls itself "Software Rasterizer").
constexpr const char* kSoftwareRenderers[] = {"llvmpipe", "softpipe", "swrast", "software rasterizer"};

}  // namespace

bool isSoftwareRenderer(const char* renderer) {
    if (renderer == nullptr) return false;
    std::string name = renderer;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::any_of(std::begin(kSoftwareRenderers), std::end(kSoftwareRenderers),
                       [&name](const char* software) { return name.find(software) != std::string::npos; });
}

PictureDetail resolvePicture(PictureSetting setting, const char* renderer) {
    switch (setting) {
        case PictureSetting::Full:
            return PictureDetail::Full;
        case PictureSetting::Fast:
            return PictureDetail::Fast;
        case PictureSetting::Automatic:
            break;
    }
    return isSoftwareRenderer(renderer) ? PictureDetail::Fast : PictureDetail::Full;
}

SceneSize sceneDrawSize(PictureDetail detail, int windowWidth, int windowHeight) {
    const double pixels = static_cast<double>(windowWidth) * windowHeight;
    if (detail == PictureDetail::Full || pixels <= static_cast<double>(kFastScenePixels)) {
        return {windowWidth, windowHeight};
    }
    const double scale = std::sqrt(static_cast<double>(kFastScenePixels) / pixels);
    const auto scaled = [scale](int side) {
        return std::max(1, static_cast<int>(std::lround(side * scale)));
    };
    return {scaled(windowWidth), scaled(windowHeight)};
}
