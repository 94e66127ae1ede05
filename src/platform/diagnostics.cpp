#include "platform/diagnostics.h"

#include <cstdarg>
#include <cstdio>

void diagnosticLine(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stdout, format, arguments);
    va_end(arguments);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void diagnosticBell() {
    std::fputs("\a", stderr);
    std::fflush(stderr);
}
