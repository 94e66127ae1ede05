// Where the profile file lives: PROGRAMDATA, then XDG_DATA_HOME, then HOME, the folder made if missing.
// Where the settings file lives: XDG_CONFIG_HOME, then HOME, nothing made before a save.
// (The start-up lines about its folders are checked end to end.)

#include "profiles/data_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "profiles/profile_store.h"
#include "profiles/settings_file.h"
#include "support/temp_dir.h"

namespace {

// Sets or unsets an environment variable for the lifetime of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        if (previous_)
            ::setenv(name_, previous_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

TEST(DataDirectory, ProgramDataWinsThenTheXdgDataHome) {
    testing_support::TempDir dir;
    {
        ScopedEnvironment programData("PROGRAMDATA", dir.path().c_str());
        EXPECT_EQ(dataDirectory(), dir.path());
        EXPECT_EQ(profileFilePath(dataDirectory()), dir.path() + "/ZUR/Tarmelo3D/profiles.data");
    }
    ScopedEnvironment noProgramData("PROGRAMDATA", nullptr);
    {
        const std::string xdg = dir / "xdg";
        ScopedEnvironment dataHome("XDG_DATA_HOME", xdg.c_str());
        EXPECT_EQ(dataDirectory(), xdg);
        EXPECT_TRUE(testing_support::fileExists(xdg));
    }
    ScopedEnvironment noDataHome("XDG_DATA_HOME", nullptr);
    ScopedEnvironment home("HOME", (dir / "home").c_str());
    EXPECT_EQ(dataDirectory(), dir / "home/.local/share");
    EXPECT_TRUE(testing_support::fileExists(dir / "home/.local/share"));
}

// A relative XDG_CONFIG_HOME is ignored, as a relative XDG_DATA_HOME is; without HOME either there is no
// settings file at all (a save fails, a load finds nothing).
TEST(ConfigDirectory, TheXdgConfigHomeThenHome) {
    testing_support::TempDir dir;
    const std::string xdg = dir / "xdg";
    ScopedEnvironment home("HOME", (dir / "home").c_str());
    {
        ScopedEnvironment configHome("XDG_CONFIG_HOME", xdg.c_str());
        EXPECT_EQ(settingsFilePath(), xdg + "/ZUR/Tarmelo3D/settings.txt");
        EXPECT_FALSE(testing_support::fileExists(xdg));
    }
    ScopedEnvironment relative("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(settingsFilePath(), dir / "home/.config/ZUR/Tarmelo3D/settings.txt");
    ScopedEnvironment noHome("HOME", nullptr);
    EXPECT_EQ(settingsFilePath(), "");
    EXPECT_EQ(saveSettings(settingsFilePath(), Settings{}), SettingsResult::FileError);
}

}  // namespace
