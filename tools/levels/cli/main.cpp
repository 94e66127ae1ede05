// tarmelo-levels: checks, solves and generates level files, writes demo paths and exports levels in the
// genre's notation. The game's own set files are read with the game's loader, any other file as a
// collection in the genre's notation.

#include <cstdio>
#include <cstring>

#include "levels/cli/commands.h"

namespace {

struct Command {
    const char* name;
    const char* arguments;  // its usage line after the name
    int (*run)(const Arguments& args);
};

// Every command, in the order the usage lists them.
constexpr Command kCommands[] = {
    {"check", "FILE [--states N] [--seconds S]", runCheck},
    {"solve", "FILE LEVEL", runSolve},
    {"demo", "FILE LEVEL [--walk SECONDS] [--pause SECONDS]", runDemo},
    {"replay", "FILE LEVEL MOVES [--seconds S]", runReplay},
    {"rate", "FILE [LEVEL]", runRate},
    {"audit", "FILE [--threads N]", runAudit},
    {"generate", "[--seed N] [--threads N]", runGenerate},
    {"export", "FILE", runExport},
};

}  // namespace

int usage() {
    const char* lead = "usage:";
    for (const Command& command : kCommands) {
        std::fprintf(stderr, "%-6s tarmelo-levels %s %s\n", lead, command.name, command.arguments);
        lead = "";
    }
    return kExitUsage;
}

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0) return command.run(Arguments(argv + 2, argv + argc));
    }
    return usage();
}
