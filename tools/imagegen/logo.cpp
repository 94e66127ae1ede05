// The logo: "TARMELO 3D" in bevelled gold lettering on a dark panel. The game stretches the image over
// the whole 800 x 600 window, so everything is laid out in window pixels and squeezed into the image's
// own aspect; the lettering is rendered with matching unequal horizontal and vertical scales so that it
// has its true proportions on screen.
//
// What the screens put around it: the loading texts sit at a quarter of the height from the bottom, on
// the panel; the title screen's credit lines fill the bottom 50 pixels and are drawn BEFORE the logo, so
// the panel leaves that strip clear (alpha 0).

#include <algorithm>
#include <cmath>
#include <string>

#include "canvas.h"
#include "font_face.h"
#include "image_makers.h"
#include "shapes.h"

namespace {

constexpr int kLogoWidth = 1024;
constexpr int kLogoHeight = 512;
constexpr float kWindowWidth = 800.0f;
constexpr float kWindowHeight = 600.0f;
constexpr float kScaleX = kLogoWidth / kWindowWidth;    // image pixels per window pixel
constexpr float kScaleY = kLogoHeight / kWindowHeight;  // image pixels per window pixel

// Window rows (from the top) that the panel covers fully, and where it has faded out: below that the
// title screen's credit lines show through.
constexpr float kPanelSolidUntil = 500.0f;
constexpr float kPanelClearFrom = 536.0f;
constexpr float kLetteringCentreY = 215.0f;    // window pixels from the top
constexpr float kLetteringCapHeight = 110.0f;  // window pixels, at most
constexpr float kLetteringWidth = 640.0f;      // window pixels, at most
constexpr float kRuleOffset = 72.0f;           // window pixels from the lettering's centre line

// Two box passes approximate a Gaussian; the horizontal and vertical radii follow the image's aspect.
FloatGrid blurred(const FloatGrid& mask, int radiusX, int radiusY) {
    FloatGrid out = mask;
    for (int pass = 0; pass < 2; ++pass) blurGrid(out, radiusX, radiusY);
    return out;
}

struct Word {
    std::string text;
    Colour top;  // gradient of the face, top to bottom
    Colour bottom;
};

// Renders the words side by side into a coverage mask (image pixels), centred on the lettering's centre
// line, and records which word covers each pixel. The size is the largest whose capitals stay within
// kLetteringCapHeight and whose line stays within kLetteringWidth (both window pixels).
void renderLettering(const FontFace& font, const std::vector<Word>& words, float gap, FloatGrid& cover,
                     std::vector<int>& owner, float& capTop, float& baseline) {
    FT_Face face = font.face();
    const auto lineWidth = [&]() {
        float width = 0;
        for (std::size_t w = 0; w < words.size(); ++w) {
            for (const char ch : words[w].text) {
                FT_Load_Char(face, static_cast<unsigned char>(ch), FT_LOAD_NO_HINTING);
                width += face->glyph->advance.x / 64.0f;
            }
        }
        return width;
    };
    constexpr float kProbeSize = 100.0f;
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(kProbeSize * 64), 72, 72);
    FT_Load_Char(face, 'T', FT_LOAD_NO_HINTING);
    const float probeCap = face->glyph->metrics.height / 64.0f;
    const float gapsWidth = gap * (words.size() - 1);
    const float size =
        kProbeSize * std::min(kLetteringCapHeight / probeCap, (kLetteringWidth - gapsWidth) / lineWidth());
    FT_Set_Char_Size(face, static_cast<FT_F26Dot6>(size * kScaleX * 64),
                     static_cast<FT_F26Dot6>(size * kScaleY * 64), 72, 72);

    const float capHeight = probeCap * size / kProbeSize * kScaleY;
    baseline = kLetteringCentreY * kScaleY + capHeight / 2.0f;
    capTop = baseline - capHeight;
    float pen = (cover.width - lineWidth() - gapsWidth * kScaleX) / 2.0f;
    for (std::size_t w = 0; w < words.size(); ++w) {
        for (const char ch : words[w].text) {
            if (FT_Load_Char(face, static_cast<unsigned char>(ch), FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0)
                continue;
            const FT_Bitmap& bitmap = face->glyph->bitmap;
            const int left = static_cast<int>(std::lround(pen)) + face->glyph->bitmap_left;
            const int top = static_cast<int>(std::lround(baseline)) - face->glyph->bitmap_top;
            for (unsigned row = 0; row < bitmap.rows; ++row) {
                for (unsigned column = 0; column < bitmap.width; ++column) {
                    const int x = left + static_cast<int>(column);
                    const int y = top + static_cast<int>(row);
                    if (x < 0 || y < 0 || x >= cover.width || y >= cover.height) continue;
                    const float value = bitmap.buffer[row * bitmap.pitch + column] / 255.0f;
                    if (value > cover.at(x, y)) {
                        cover.at(x, y) = value;
                        owner[static_cast<std::size_t>(y) * cover.width + x] = static_cast<int>(w);
                    }
                }
            }
            pen += face->glyph->advance.x / 64.0f;
        }
        pen += gap * kScaleX;
    }
}

}  // namespace

Image makeLogoImage(const FontFiles& fonts) {
    const FontFace font(fonts.logo);
    if (!font.valid()) return Image{};

    const std::vector<Word> words = {
        {"TARMELO", rgb(0xfff1b8), rgb(0xc8781c)},
        {"3D", rgb(0xffd0a0), rgb(0xc0391b)},
    };
    FloatGrid cover(kLogoWidth, kLogoHeight);
    std::vector<int> owner(cover.values.size(), 0);
    float capTop = 0;
    float baseline = 0;
    renderLettering(font, words, 34.0f, cover, owner, capTop, baseline);

    // Outline: the lettering grown by a few pixels; shadow: the outline blurred and dropped.
    const FloatGrid grown = blurred(cover, 4, 3);
    const FloatGrid shadow = blurred(cover, 12, 9);
    const FloatGrid bevel = blurred(cover, 3, 2);

    // The panel's glow is a Gaussian in each direction; its factors are worked out once per row and column.
    std::vector<float> glowOfColumn(kLogoWidth);
    std::vector<float> glowOfRow(kLogoHeight);
    for (int x = 0; x < kLogoWidth; ++x)
        glowOfColumn[x] = std::exp(-std::pow(((x + 0.5f) / kScaleX - 400.0f) / 330.0f, 2.0f));
    for (int y = 0; y < kLogoHeight; ++y) {
        glowOfRow[y] = std::exp(-std::pow(((y + 0.5f) / kScaleY - kLetteringCentreY) / 150.0f, 2.0f));
    }

    Canvas canvas(kLogoWidth, kLogoHeight);
    for (int y = 0; y < kLogoHeight; ++y) {
        for (int x = 0; x < kLogoWidth; ++x) {
            const float wx = (x + 0.5f) / kScaleX;  // window pixels
            const float wy = (y + 0.5f) / kScaleY;
            const float u = (x + 0.5f) / kLogoWidth;
            const float v = (y + 0.5f) / kLogoHeight;

            // The panel: deep blue-black, lighter behind the lettering, darker into the corners.
            const float glow = glowOfColumn[x] * glowOfRow[y];
            const float vignette =
                1.0f - 0.45f * smoothstep(250.0f, 560.0f, std::hypot(wx - 400.0f, (wy - 260.0f) * 1.2f));
            const float cloud = tiledFbm(u, v, 8, 4, 301);
            Colour panel = mix(rgb(0x0b0f18), rgb(0x22304a), 0.75f * glow + 0.15f * cloud);
            panel = scaled(panel, vignette);
            panel.a = 1.0f - smoothstep(kPanelSolidUntil, kPanelClearFrom, wy);
            // Thin gold rules above and below the lettering, fading towards the sides.
            const float ruleFade = 1.0f - smoothstep(150.0f, 330.0f, std::fabs(wx - 400.0f));
            for (const float ruleY : {kLetteringCentreY - kRuleOffset, kLetteringCentreY + kRuleOffset}) {
                const float line = insideCoverage((std::fabs(wy - ruleY) - 1.2f) * kScaleY);
                blendOver(panel, rgb(0xd9a640), line * ruleFade);
            }
            // A small diamond on each rule's centre.
            for (const float ruleY : {kLetteringCentreY - kRuleOffset, kLetteringCentreY + kRuleOffset}) {
                const float diamond = (std::fabs(wx - 400.0f) + std::fabs(wy - ruleY) - 7.0f) * kScaleY;
                blendOver(panel, rgb(0xf2c65a), insideCoverage(diamond));
            }
            Colour pixel = panel;

            // Drop shadow, then a dark outline, then the bevelled face.
            const float shadowAlpha = 0.85f * std::min(1.0f, shadow.orZero(x - 8, y - 9) * 1.6f);
            blendOver(pixel, Colour{0, 0, 0, 1}, shadowAlpha);
            const float outline = std::min(1.0f, grown.orZero(x, y) * 3.0f);
            blendOver(pixel, rgb(0x2a1606), outline);

            const float face = cover.orZero(x, y);
            if (face > 0.0f) {
                const Word& word = words[owner[static_cast<std::size_t>(y) * kLogoWidth + x]];
                const float t = std::clamp((y - capTop) / (baseline - capTop), 0.0f, 1.0f);
                Colour metal = mix(word.top, word.bottom, t);
                // A bright band across the upper third, like light on polished metal.
                metal = mix(metal, rgb(0xffffff), 0.35f * std::exp(-std::pow((t - 0.28f) / 0.08f, 2.0f)));
                // Bevel: light from the upper left on the slopes of the blurred lettering.
                const float gx = bevel.orZero(x + 1, y) - bevel.orZero(x - 1, y);
                const float gy = bevel.orZero(x, y + 1) - bevel.orZero(x, y - 1);
                const float slope = std::clamp(-(gx * 0.8f + gy) * 2.2f, -0.6f, 0.6f);
                metal = scaled(metal, 1.0f + slope);
                blendOver(pixel, metal, face);
            }
            canvas.at(x, y) = pixel;
        }
    }
    // Transparent pixels keep the panel's colour so that filtering at the fade edge stays dark.
    return toImage(canvas);
}
