// The floor under the game's memory: a window of the game's size and pixel format that only clears and
// swaps at the game's pace for the given seconds, then prints its peak resident memory. What the game
// holds above this is what the game itself controls; the rest belongs to the driver and the libraries.
//
//     xvfb-run -a -s "-screen 0 1280x1024x24" build/tools/scene_bench/bare_window [seconds]

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/window.h"

namespace {

long peakResidentKilobytes() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return -1;
    char line[256];
    long kilobytes = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) kilobytes = std::atol(line + 6);
    }
    std::fclose(status);
    return kilobytes;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    WindowRequest request;  // the game's size and bit depths
    request.title = "bare window";
    if (!platformInit() || !platformOpenWindow(request)) {
        std::fprintf(stderr, "no window (run under an X server)\n");
        return 1;
    }
    platformSwapInterval(1);
    while (platformTime() < seconds) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        platformSleep(0.03);
        platformSwapBuffers();
    }
    std::printf("peak resident memory of a bare window over %.0f s: %ld MB\n", seconds,
                peakResidentKilobytes() / 1024);
    platformTerminate();
    return 0;
}
