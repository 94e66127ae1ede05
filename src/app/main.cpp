#include <cstdio>

#include "app/program.h"

// One optional argument: a level collection to play once a profile is created or loaded. The exit status
// is always 0.
int main(int argc, char** argv) {
    // Diagnostic lines appear as they are written, also when the output is a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    return runProgram(argc >= 2 ? argv[1] : "");
}
