#include "profiles/settings_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <utility>

#include "platform/diagnostics.h"
#include "profiles/data_directory.h"
#include "profiles/profile_store.h"
#include "profiles/shared_file.h"

namespace {

// ---- values ----

// The whole text is one number, no sign but a minus, nothing after it.
bool readWholeNumber(std::string_view text, int low, int high, int& value) {
    int read = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, read);
    if (error != std::errc() || stop != end || read < low || read > high) return false;
    value = read;
    return true;
}

bool readVolume(std::string_view text, int& volume) {
    return readWholeNumber(text, 0, kMaxVolume, volume);
}

bool readSwitch(std::string_view text, bool& on) {
    if (text != "on" && text != "off") return false;
    on = text == "on";
    return true;
}

std::string switchText(bool on) {
    return on ? "on" : "off";
}

constexpr const char* kPictureWords[] = {"automatic", "full", "fast"};
static_assert(std::size(kPictureWords) == static_cast<std::size_t>(PictureSetting::Fast) + 1,
              "a word for each picture setting, in the order of the enum");

bool readPicture(std::string_view text, PictureSetting& picture) {
    for (std::size_t i = 0; i < std::size(kPictureWords); ++i) {
        if (text == kPictureWords[i]) {
            picture = static_cast<PictureSetting>(i);
            return true;
        }
    }
    return false;
}

std::string pictureText(PictureSetting picture) {
    const auto index = static_cast<std::size_t>(picture);
    assert(index < std::size(kPictureWords));
    return kPictureWords[index];
}

// from_chars and to_chars ignore the locale, and to_chars gives the shortest text that reads back to the
// same float. A NaN fails both comparisons.
bool readZoom(std::string_view text, float& zoom) {
    float read = 0.0f;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, read);
    if (error != std::errc() || stop != end || !(read >= kMinZoom && read <= kMaxZoom)) return false;
    zoom = read;
    return true;
}

std::string zoomText(float zoom) {
    char digits[32];
    const auto written = std::to_chars(std::begin(digits), std::end(digits), zoom);
    return std::string(digits, written.ptr);
}

bool readName(std::string_view text, std::string& name) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') return false;
    const std::string_view inside = text.substr(1, text.size() - 2);
    if (!isStorableProfileName(inside)) return false;
    name = std::string(inside);
    return true;
}

std::string nameText(const std::string& name) {
    return '"' + (isStorableProfileName(name) ? name : std::string()) + '"';
}

// ---- keys ----

struct SettingKey {
    const char* name;
    bool (*read)(std::string_view value, Settings& settings);  // false, settings untouched: a bad value
    std::string (*write)(const Settings& settings);
};

// The file's keys, in the order they are written.
const SettingKey kSettingKeys[] = {
    {"music_volume", [](std::string_view v, Settings& s) { return readVolume(v, s.musicVolume); },
     [](const Settings& s) { return std::to_string(s.musicVolume); }},
    {"effects_volume", [](std::string_view v, Settings& s) { return readVolume(v, s.effectsVolume); },
     [](const Settings& s) { return std::to_string(s.effectsVolume); }},
    {"mute", [](std::string_view v, Settings& s) { return readSwitch(v, s.mute); },
     [](const Settings& s) { return switchText(s.mute); }},
    {"picture", [](std::string_view v, Settings& s) { return readPicture(v, s.picture); },
     [](const Settings& s) { return pictureText(s.picture); }},
    {"shadows", [](std::string_view v, Settings& s) { return readSwitch(v, s.shadowsOn); },
     [](const Settings& s) { return switchText(s.shadowsOn); }},
    {"lamp", [](std::string_view v, Settings& s) { return readSwitch(v, s.lightFollowsKeeper); },
     [](const Settings& s) { return switchText(s.lightFollowsKeeper); }},
    {"zoom", [](std::string_view v, Settings& s) { return readZoom(v, s.zoom); },
     [](const Settings& s) { return zoomText(s.zoom); }},
    {"full_screen", [](std::string_view v, Settings& s) { return readSwitch(v, s.fullScreen); },
     [](const Settings& s) { return switchText(s.fullScreen); }},
    {"last_profile", [](std::string_view v, Settings& s) { return readName(v, s.lastProfile); },
     [](const Settings& s) { return nameText(s.lastProfile); }},
};
constexpr std::size_t kSettingKeyCount = std::size(kSettingKeys);

// ---- lines ----

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Text: no control bytes but tab and the line ends. Bytes from 128 up pass (a comment in UTF-8).
bool isText(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 32 && c != '\t' && c != '\n' && c != '\r') || byte == 127;
    });
}

// A key from the file as a diagnostic line may show it: printable, and not longer than a real key.
std::string shownKey(const std::string& key) {
    constexpr std::size_t kShownLength = 32;
    std::string shown = key.substr(0, kShownLength);
    for (char& c : shown) {
        if (c < ' ' || c > '~') c = '?';
    }
    return key.size() > kShownLength ? shown + "..." : shown;
}

// ---- the file ----

enum class TextRead { Read, NoFile, Unreadable };

// At most one byte more than a settings file may hold, which is enough for the parser to refuse it. The
// file is only ever replaced by a rename, never written in place, so nothing holds its lock for long.
TextRead readSettingsText(const std::string& path, std::string& text) {
    SharedFile file;
    const OpenOutcome outcome =
        openSharedFile(path, FileAccess::Read, LOCK_SH, kProfileLockWaitSeconds, file);
    if (outcome == OpenOutcome::NoFile) return TextRead::NoFile;
    if (outcome != OpenOutcome::Open) return TextRead::Unreadable;
    struct stat info {};
    bool read = ::fstat(file.fd, &info) == 0;
    if (read) {
        text.resize(std::min(static_cast<std::size_t>(info.st_size), kMaxSettingsFileSize + 1));
        read = readBytesAt(file, 0, reinterpret_cast<std::uint8_t*>(text.data()), text.size());
    }
    closeSharedFile(file);
    return read ? TextRead::Read : TextRead::Unreadable;
}

void reportProblems(const std::vector<SettingsProblem>& problems) {
    const std::size_t shown =
        std::min(problems.size(), static_cast<std::size_t>(kMaxReportedSettingsProblems));
    for (std::size_t i = 0; i < shown; ++i) diagnosticLine("%s", settingsProblemText(problems[i]).c_str());
    if (problems.size() > shown) diagnosticLine("settings: %zu more problems", problems.size() - shown);
}

}  // namespace

bool operator==(const Settings& a, const Settings& b) {
    return a.musicVolume == b.musicVolume && a.effectsVolume == b.effectsVolume && a.mute == b.mute &&
           a.picture == b.picture && a.shadowsOn == b.shadowsOn &&
           a.lightFollowsKeeper == b.lightFollowsKeeper && a.zoom == b.zoom && a.fullScreen == b.fullScreen &&
           a.lastProfile == b.lastProfile;
}

bool operator!=(const Settings& a, const Settings& b) {
    return !(a == b);
}

bool isStorableProfileName(std::string_view name) {
    return name.size() <= static_cast<std::size_t>(kMaxLastProfileLength) &&
           std::all_of(name.begin(), name.end(),
                       [](char c) { return c >= kLowestNameCharacter && c <= kHighestNameCharacter; });
}

ParsedSettings parseSettings(std::string_view text) {
    ParsedSettings parsed;
    if (text.size() > kMaxSettingsFileSize) {
        parsed.problems.push_back(SettingsProblem{SettingsProblem::TooLarge, 0, std::string()});
        return parsed;
    }
    if (!isText(text)) {
        parsed.problems.push_back(SettingsProblem{SettingsProblem::NotText, 0, std::string()});
        return parsed;
    }
    bool seen[kSettingKeyCount] = {};
    int lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t lineEnd = std::min(text.find('\n', start), text.size());
        const std::string_view line = trimmed(text.substr(start, lineEnd - start));
        start = lineEnd + 1;
        ++lineNumber;
        if (line.empty() || line.front() == '#') continue;

        const std::size_t equals = line.find('=');
        const std::string_view key = equals == std::string_view::npos ? "" : trimmed(line.substr(0, equals));
        if (key.empty()) {
            parsed.problems.push_back(
                SettingsProblem{SettingsProblem::NotKeyValue, lineNumber, std::string()});
            continue;
        }
        const auto known = std::find_if(std::begin(kSettingKeys), std::end(kSettingKeys),
                                        [key](const SettingKey& setting) { return key == setting.name; });
        if (known == std::end(kSettingKeys)) {
            parsed.problems.push_back(
                SettingsProblem{SettingsProblem::UnknownKey, lineNumber, std::string(key)});
            continue;
        }
        bool& keySeen = seen[known - std::begin(kSettingKeys)];
        if (keySeen)
            parsed.problems.push_back(
                SettingsProblem{SettingsProblem::RepeatedKey, lineNumber, std::string(key)});
        keySeen = true;
        if (!known->read(trimmed(line.substr(equals + 1)), parsed.settings))
            parsed.problems.push_back(
                SettingsProblem{SettingsProblem::BadValue, lineNumber, std::string(key)});
    }
    return parsed;
}

std::string formatSettings(const Settings& settings) {
    std::string text = "# TARMELO 3D settings: the game rewrites this file whole when a setting changes\n";
    for (const SettingKey& key : kSettingKeys)
        text += std::string(key.name) + " = " + key.write(settings) + "\n";
    return text;
}

std::string settingsProblemText(const SettingsProblem& problem) {
    const std::string onLine = " on line " + std::to_string(problem.line);
    switch (problem.kind) {
        case SettingsProblem::NotText:
            return "settings: not a text file, every setting at its default";
        case SettingsProblem::TooLarge:
            return "settings: over " + std::to_string(kMaxSettingsFileSize) +
                   " bytes, every setting at its default";
        case SettingsProblem::NotKeyValue:
            return "settings: no \"key = value\"" + onLine;
        case SettingsProblem::UnknownKey:
            return "settings: unknown key \"" + shownKey(problem.key) + "\"" + onLine;
        case SettingsProblem::BadValue:
            return "settings: bad value for \"" + problem.key + "\"" + onLine;
        case SettingsProblem::RepeatedKey:
            return "settings: \"" + problem.key + "\" repeated" + onLine;
    }
    return "settings: a problem" + onLine;
}

std::string settingsFilePath() {
    const std::string config = configDirectory();
    return config.empty() ? std::string() : config + "/ZUR/Tarmelo3D/settings.txt";
}

void loadSettings(const std::string& path, Settings& settings) {
    std::string text;
    switch (readSettingsText(path, text)) {
        case TextRead::NoFile:
            settings = Settings{};
            return;
        case TextRead::Unreadable:
            settings = Settings{};
            diagnosticLine("settings: cannot read %s", path.c_str());
            return;
        case TextRead::Read:
            break;
    }
    ParsedSettings parsed = parseSettings(text);
    reportProblems(parsed.problems);
    settings = std::move(parsed.settings);
}

// The new file is made by mkstemp, so it is the player's own (mode 0600), and two copies of the game never
// write the same one.
SettingsResult saveSettings(const std::string& path, const Settings& settings) {
    if (path.empty()) return SettingsResult::FileError;
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) makeFolderPath(path.substr(0, slash));

    const std::string text = formatSettings(settings);
    std::string temporary = path + ".XXXXXX";
    SharedFile file;
    file.fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (file.fd < 0) return SettingsResult::FileError;
    file.writable = true;
    const bool replaced =
        writeSyncAndClose(file, 0, reinterpret_cast<const std::uint8_t*>(text.data()), text.size()) &&
        ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!replaced) {
        ::unlink(temporary.c_str());
        return SettingsResult::FileError;
    }
    return syncFolderOf(path) ? SettingsResult::Ok : SettingsResult::FileError;
}
