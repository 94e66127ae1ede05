#include "game/title_blink.h"

namespace {

constexpr double kPromptShownSeconds = 0.4;
constexpr double kPromptHiddenSeconds = 0.2;

}  // namespace

void stepTitleBlink(TitleBlink& blink, double now) {
    blink.promptShown = now > blink.hiddenUntil;
    if (blink.promptShown && now >= blink.hiddenUntil + kPromptShownSeconds) {
        blink.hiddenUntil = static_cast<float>(now + kPromptHiddenSeconds);
    }
}
