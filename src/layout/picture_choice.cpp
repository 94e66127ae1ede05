#include "layout/picture_choice.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

// Mesa's software rasterizers, as their names appear in the renderer string ("llvmpipe (LLVM 15.0.6, 256
// bits)"; the classic one calls itself "Software Rasterizer").
constexpr const char* kSoftwareRenderers[] = {"llvmpipe", "softpipe", "swrast", "software rasterizer"};

bool isSoftwareRenderer(const char* renderer) {
    std::string name = renderer;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::any_of(std::begin(kSoftwareRenderers), std::end(kSoftwareRenderers),
                       [&name](const char* software) { return name.find(software) != std::string::npos; });
}

}  // namespace

PictureDetail resolvePicture(PictureSetting setting, const char* renderer) {
    switch (setting) {
        case PictureSetting::Full:
            return PictureDetail::Full;
        case PictureSetting::Fast:
            return PictureDetail::Fast;
        case PictureSetting::Automatic:
            break;
    }
    return renderer != nullptr && isSoftwareRenderer(renderer) ? PictureDetail::Fast : PictureDetail::Full;
}
