#pragma once

#include <string>
#include <string_view>
#include <vector>

// The player's choices that outlast a run, in a small text file of their own in the configuration folder
// (settingsFilePath), never in the profile file. Written by the game, readable and editable by a person:
//
//   # TARMELO 3D settings: the game rewrites this file whole when a setting changes
//   music_volume = 10
//   effects_volume = 10
//   mute = off
//   picture = automatic
//   shadows = on
//   lamp = off
//   zoom = 10
//   full_screen = off
//   last_profile = ""
//
// Every key is written, in this order. Reading is forgiving: spaces and tabs around the key, the "=" and the
// value, blank lines, "#" comment lines (a "#" later in a line is text, as a name may hold one) and CRLF
// line ends pass; keys are lower case, as are the words on, off, automatic, full and fast. A key that is
// missing keeps its default, silently (a file from an older version). Each line that cannot be used (no
// "=", an unknown key, a value out of range or unparsable) changes nothing and is one problem; a key given
// twice is one problem, and the last line that reads wins. A file that is not text (a NUL or another
// control byte) or larger than kMaxSettingsFileSize is read as no file at all, with one problem.
//
// last_profile is quoted, and the name is everything between the first and the last quote of the line,
// taken as it is: spaces at either end, "=", "#" and quotes inside round-trip exactly, no escapes needed
// because a name holds no line break. "" is no name.
//
// The zoom is written in the shortest form that reads back to the very same float ("10", "12.70001"): the
// camera moves it in steps of 0.1 that drift, and a save followed by a load must not move it.

constexpr int kMaxVolume = 10;  // today's level; each step down is about 3 dB quieter, 0 silent
constexpr int kMaxLastProfileLength = 32;
constexpr char kLowestNameCharacter = ' ';  // the characters a profile name may hold
constexpr char kHighestNameCharacter = 'z';
constexpr float kDefaultZoom = 10.0f;  // the camera's resting height and its limits, world units
constexpr float kMinZoom = 5.0f;
constexpr float kMaxZoom = 20.0f;
constexpr std::size_t kMaxSettingsFileSize = 64 * 1024;  // bytes; the game writes some 200

enum class PictureSetting {
    Automatic,  // the game picks Full or Fast itself; only the player's choice is stored, never the pick
    Full,
    Fast,
};

// What a run starts with when there is no file: the defaults are the game's own start-up values.
struct Settings {
    int musicVolume = kMaxVolume;  // 0 to kMaxVolume
    int effectsVolume = kMaxVolume;
    bool mute = false;
    PictureSetting picture = PictureSetting::Automatic;
    bool shadowsOn = true;
    bool lightFollowsKeeper = false;  // the lamp
    float zoom = kDefaultZoom;        // kMinZoom to kMaxZoom
    bool fullScreen = false;
    std::string lastProfile;  // the last profile loaded on this machine; empty when none
};

bool operator==(const Settings& a, const Settings& b);
bool operator!=(const Settings& a, const Settings& b);

// ---- the text: pure, no files ----

struct SettingsProblem {
    enum Kind {
        NotText,      // a NUL or another control byte: the whole file is ignored
        TooLarge,     // over kMaxSettingsFileSize: the whole file is ignored
        NotKeyValue,  // a line that is neither blank, a comment nor "key = value"
        UnknownKey,
        BadValue,  // out of range or unparsable
        RepeatedKey,
    };
    Kind kind = NotText;
    int line = 0;     // 1-based; 0 for the whole file
    std::string key;  // as written, for UnknownKey, BadValue and RepeatedKey
};

struct ParsedSettings {
    Settings settings;
    std::vector<SettingsProblem> problems;  // in line order
};

ParsedSettings parseSettings(std::string_view text);

// The whole file's text. A name that could not be read back (too long, a character outside the range of
// names) is written as no name, so the record can never put a line of its own into the file.
std::string formatSettings(const Settings& settings);

// The problem's diagnostic line, without the line break: "settings: unknown key "foo" on line 3".
std::string settingsProblemText(const SettingsProblem& problem);

// True for the names last_profile can hold: at most kMaxLastProfileLength characters, each from
// kLowestNameCharacter to kHighestNameCharacter.
bool isStorableProfileName(std::string_view name);

// ---- the file ----

// configDirectory() + "/ZUR/Tarmelo3D/settings.txt"; empty when neither XDG_CONFIG_HOME nor HOME is set.
std::string settingsFilePath();

// Fills settings from the file, every key the file does not give at its default. Never fails: a missing
// file (the first run) is silent; a file that cannot be read (a folder or a link in its place, no
// permission) is one diagnostic line; each problem of the text is one line, at most
// kMaxReportedSettingsProblems of them and then one line with the count of the rest.
constexpr int kMaxReportedSettingsProblems = 10;
void loadSettings(const std::string& path, Settings& settings);

enum class SettingsResult {
    Ok,
    FileError,  // the file was not replaced, or its new name may not survive a power cut
};

// Writes the whole file to a new file beside it, syncs it, renames it over the old one and syncs the
// folder, so that the file is always either the old one or the new one, never a part. The folders are made
// when missing. On FileError the old file is as it was and the new file is gone (a crash can leave one
// behind, named like the file with a suffix, which nothing reads). Two copies of the game saving at once
// each write their own new file: the last rename wins, whole.
SettingsResult saveSettings(const std::string& path, const Settings& settings);
