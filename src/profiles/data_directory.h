#pragma once

#include <string>

// Where the profile file lives: the machine-wide application-data directory named by PROGRAMDATA. A Linux
// desktop has no such writable folder at "/", so without PROGRAMDATA the player's own data home is used:
// $XDG_DATA_HOME, else ~/.local/share (created when missing, as a fresh account may not have it yet).
std::string dataDirectory();

// The player's configuration home, where the settings file lives: $XDG_CONFIG_HOME when it is set and an
// absolute path, else ~/.config; empty when neither is known. Not created here: the settings file makes
// its folders when it is first saved.
std::string configDirectory();

// mkdir -p, silently: a fresh account may not have ~/.local/share or ~/.config yet, and a folder that
// cannot be made shows when a file in it is used.
void makeFolderPath(const std::string& path);

// Creates base/ZUR and base/ZUR/Tarmelo3D. Each directory that cannot be created, also one that already
// exists, writes the line "unable to create directory at " + its path; nothing else follows from it.
void makeDataDirectories(const std::string& base);
