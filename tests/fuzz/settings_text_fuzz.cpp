// Treats arbitrary bytes as a settings file's text. The reading must not crash or hang, every problem must
// name a line of the text, and whatever the reading made of it must be written as a text that reads back,
// without a problem, to the very same settings and is written again the same.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "profiles/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ParsedSettings parsed = parseSettings(text);
    int lines = 0;
    for (const char c : text) lines += c == '\n';
    for (const SettingsProblem& problem : parsed.problems) {
        if (problem.line < 0 || problem.line > lines + 1) std::abort();
        if (settingsProblemText(problem).find('\n') != std::string::npos) std::abort();
    }

    const std::string written = formatSettings(parsed.settings);
    const ParsedSettings again = parseSettings(written);
    if (!again.problems.empty() || again.settings != parsed.settings) std::abort();
    if (formatSettings(again.settings) != written) std::abort();
    return 0;
}
