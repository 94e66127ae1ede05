#include <cstdio>

#include "app/program.h"

// The command line is not read; the exit status is always 0.
int main() {
    // Diagnostic lines appear as they are written, also when the output is a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    return runProgram();
}
