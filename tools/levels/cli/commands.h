#pragma once

#include <string>
#include <vector>

#include "levels/solver/level_set.h"

// The level tool's commands, one function each: it takes the arguments after the command's name and
// returns the exit status. main.cpp's table names them and holds their usage lines.

using Arguments = std::vector<std::string>;

constexpr int kExitFailed = 1;  // a level is unplayable or unsolved
constexpr int kExitUsage = 2;   // bad arguments or an unreadable file

// solve_commands.cpp: levels solved and played.
int runCheck(const Arguments& args);
int runSolve(const Arguments& args);
int runDemo(const Arguments& args);
int runReplay(const Arguments& args);

// set_commands.cpp: the set rated, audited and made.
int runRate(const Arguments& args);
int runAudit(const Arguments& args);
int runGenerate(const Arguments& args);

// export_command.cpp: a file's levels in the genre's notation.
int runExport(const Arguments& args);

// What the commands share. usage prints every command's usage line and returns kExitUsage.
int usage();
bool parseNumber(const std::string& text, long long low, long long high, long long& value);
// The levels of the file; false, after saying so, when it cannot be read.
bool scanOrComplain(const std::string& path, std::vector<LevelEntry>& levels);
