#include "layout/picture_mode.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace {

std::string lowerCase(const char* text) {
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

}  // namespace

bool isSoftwareRenderer(const char* glRenderer) {
    if (glRenderer == nullptr) return false;
    const std::string renderer = lowerCase(glRenderer);
    for (const char* software : {"llvmpipe", "softpipe", "swrast"}) {
        if (renderer.find(software) != std::string::npos) return true;
    }
    return false;
}

PictureMode resolvePictureMode(const char* glRenderer) {
    return isSoftwareRenderer(glRenderer) ? PictureMode::Fast : PictureMode::Full;
}

bool parsePictureMode(const char* text, PictureMode& mode) {
    if (text == nullptr) return false;
    const std::string word = lowerCase(text);
    if (word == "full") {
        mode = PictureMode::Full;
    } else if (word == "fast") {
        mode = PictureMode::Fast;
    } else {
        return false;
    }
    return true;
}

PictureMode startPictureMode(const char* requested, const char* glRenderer) {
    PictureMode mode = resolvePictureMode(glRenderer);
    parsePictureMode(requested, mode);
    return mode;
}

SceneSize sceneDrawSize(PictureMode mode, int windowWidth, int windowHeight) {
    const double pixels = static_cast<double>(windowWidth) * windowHeight;
    if (mode == PictureMode::Full || pixels <= static_cast<double>(kFastScenePixels)) {
        return {windowWidth, windowHeight};
    }
    const double scale = std::sqrt(static_cast<double>(kFastScenePixels) / pixels);
    const auto scaled = [scale](int side) {
        return std::max(1, static_cast<int>(std::lround(side * scale)));
    };
    return {scaled(windowWidth), scaled(windowHeight)};
}
