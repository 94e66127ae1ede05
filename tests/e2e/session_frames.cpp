// A whole session of the game, driven by a fixed script on the scripted clock and drawn by the real renderer:
// start-up, the blinking title, a profile created in the menu, walking, pushing, a wall bump, the lamp and
// the shadows toggled, the camera zoomed, the menu over the board, a solved level with its sinking crates
// and fades, a restarted level, and Quit. Every frame is read back at its buffer swap. The frames must be
// byte for byte those recorded before: a change meant to keep the picture (moving code, a faster path)
// proves itself here; a change meant to alter it records the frames anew and is looked at.
//
// Usage (in an X session, e.g. under xvfb-run):
//   session_frames GAME-DIR LEVELS DIGESTS check [PNG-DIR]   compare; mismatching frames go to PNG-DIR
//   session_frames GAME-DIR LEVELS DIGESTS record PNG-DIR    write the digests and every frame as a PNG

#include <GLFW/glfw3.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/outer_loop.h"
#include "app/program.h"
#include "app/window_callbacks.h"
#include "platform/scripted_window.h"
#include "platform/window.h"
#include "render/graphics.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kScriptLimitSeconds = 40.0;  // a session that has not quit by then is stuck
constexpr std::uint32_t kRandomSeed = 20261207;

// A key held from `down` to `up`, in seconds of the scripted clock.
struct KeyHold {
    int key;
    double down;
    double up;
};

struct TypedChar {
    char code;
    double time;
};

// Level 1 of the session's set: the keeper at (2, 2), crates at (3, 2) and (3, 3), goals at (6, 2) and
// (4, 4). The moves below solve it with a wall bump on the way.
constexpr KeyHold kKeys[] = {
    {KEY_SPACE, 1.00, 1.10},                         // title: start the game; the menu opens
    {KEY_ENTER, 1.50, 1.55},                         // "Create New Profile"
    {KEY_ENTER, 2.20, 2.25},                         // the name typed
    {KEY_ENTER, 2.80, 2.85},                         // the password typed: created, level 1
    {KEY_UP, 3.50, 3.54},                            // walk
    {KEY_UP, 3.75, 3.79},                            // into the wall: only turns
    {KEY_DOWN, 4.00, 4.04},    {KEY_L, 4.30, 4.35},  // the lamp on
    {KEY_RIGHT, 4.50, 4.54},                         // push
    {KEY_RIGHT, 4.75, 4.79},                         // push
    {KEY_S, 5.00, 5.05},                             // shadows off
    {KEY_RIGHT, 5.20, 5.24},                         // push: the first crate on its goal
    {KEY_S, 5.50, 5.55},                             // shadows on
    {KEY_LEFT, 5.70, 5.74},    {KEY_LEFT, 5.95, 5.99},
    {KEY_L, 6.10, 6.15},                              // the lamp off
    {KEY_LCTRL, 6.30, 6.70},   {KEY_UP, 6.35, 6.60},  // zoom in
    {KEY_ESC, 7.00, 7.05},                            // the menu over the board
    {KEY_DOWN, 8.00, 8.05},                           // "Load Profile"
    {KEY_UP, 8.30, 8.35},                             // "Create New Profile"
    {KEY_ESC, 8.60, 8.65},                            // back to play
    {KEY_DOWN, 9.00, 9.04},                           // push the second crate down
    {KEY_LEFT, 9.25, 9.29},    {KEY_DOWN, 9.50, 9.54},
    {KEY_RIGHT, 9.75, 9.79},                              // push: solved; sinking, fade, level 2
    {KEY_UP, 12.80, 12.84},                               // level 2: walk
    {KEY_ENTER, 13.20, 13.25},                            // restart level 2
    {KEY_ESC, 15.80, 15.85},                              // the menu
    {KEY_DOWN, 16.10, 16.15},  {KEY_DOWN, 16.30, 16.35},  // past "Load Profile" and "Choose Level"
    {KEY_DOWN, 16.50, 16.55},                             // and "Settings"
    {KEY_DOWN, 16.70, 16.75},                             // "Quit"
    {KEY_ENTER, 16.90, 16.95},
};

constexpr TypedChar kTyped[] = {
    {'A', 1.70}, {'n', 1.80}, {'n', 1.90},  // the profile's name
    {'p', 2.40}, {'w', 2.50},               // its password
};

void scheduleScript() {
    for (const KeyHold& hold : kKeys) {
        scriptedKeyAt(hold.down, hold.key, true);
        scriptedKeyAt(hold.up, hold.key, false);
    }
    for (const TypedChar& typed : kTyped) scriptedCharAt(typed.time, typed.code);
    scriptedCloseAt(kScriptLimitSeconds);
}

// FNV-1a over the frame's bytes: equal digests for equal frames is all the check needs.
std::uint64_t digest(const std::vector<unsigned char>& pixels) {
    std::uint64_t hash = 1469598103934665603ull;
    for (const unsigned char byte : pixels) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

struct Recorder {
    std::vector<std::uint64_t> digests;
    std::string pngDirectory;  // empty: no pictures written
    bool writeEveryFrame = false;
    const std::vector<std::uint64_t>* expected = nullptr;  // check mode
    int mismatches = 0;
    int firstMismatch = -1;
};

Recorder g_recorder;

void writePng(const std::vector<unsigned char>& pixels, const std::string& path) {
    // Read back bottom-up; a PNG is written top-down.
    stbi_flip_vertically_on_write(1);
    stbi_write_png(path.c_str(), kWidth, kHeight, 3, pixels.data(), kWidth * 3);
}

void captureFrame() {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(kWidth) * kHeight * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    const std::size_t index = g_recorder.digests.size();
    const std::uint64_t value = digest(pixels);
    g_recorder.digests.push_back(value);
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%04zu.png", index);
    bool differs = false;
    if (g_recorder.expected != nullptr) {
        differs = index >= g_recorder.expected->size() || (*g_recorder.expected)[index] != value;
        if (differs && g_recorder.mismatches++ == 0) g_recorder.firstMismatch = static_cast<int>(index);
    }
    const bool keepPicture = g_recorder.writeEveryFrame || (differs && g_recorder.mismatches <= 8);
    if (keepPicture && !g_recorder.pngDirectory.empty()) writePng(pixels, g_recorder.pngDirectory + name);
}

bool queryContext(const char* name) {
    return glfwExtensionSupported(name) == GLFW_TRUE;
}

// The game's data beside the session's own level set, and a profile folder and a settings folder of its
// own: a developer's settings must not change the pictures, and the picture is pinned to "Full" whatever
// the renderer.
std::string prepareWorkingDirectory(const fs::path& gameDir, const fs::path& levels) {
    char pattern[] = "/tmp/tarmelo-session-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return {};
    const fs::path root = pattern;
    for (const char* entry : {"Textures", "gfx", "Models", "Audio", "audio", "Moves.txt"})
        fs::create_symlink(fs::absolute(gameDir / entry), root / entry);
    fs::create_directories(root / "levels");
    fs::copy_file(levels, root / "levels" / "Classic.lvt");
    fs::create_directories(root / "programdata");
    ::setenv("PROGRAMDATA", (root / "programdata").c_str(), 1);
    fs::create_directories(root / "config/ZUR/Tarmelo3D");
    std::ofstream(root / "config/ZUR/Tarmelo3D/settings.txt") << "picture = full\n";
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    return root.string();
}

std::vector<std::uint64_t> readDigests(const std::string& path) {
    std::vector<std::uint64_t> digests;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        digests.push_back(std::stoull(line, nullptr, 16));
    }
    return digests;
}

void writeDigests(const std::string& path, const std::vector<std::uint64_t>& digests) {
    std::ofstream out(path);
    out << "# One line per frame of tests/e2e/session_frames.cpp's script: FNV-1a of its RGB pixels.\n";
    char text[24];
    for (const std::uint64_t value : digests) {
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
        out << text << '\n';
    }
}

// A context of the game's window size, with the depth and stencil bits the game asks for.
GLFWwindow* openContext() {
    if (glfwInit() != GLFW_TRUE) return nullptr;
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_STENCIL_BITS, 8);
    glfwWindowHint(GLFW_ALPHA_BITS, 8);
    glfwWindowHint(GLFW_SAMPLES, 0);
    GLFWwindow* window = glfwCreateWindow(kWidth, kHeight, "session", nullptr, nullptr);
    if (window != nullptr) glfwMakeContextCurrent(window);
    return window;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5 || (std::string(argv[4]) == "record" && argc < 6)) {
        std::fprintf(stderr, "usage: %s GAME-DIR LEVELS DIGESTS check [PNG-DIR] | record PNG-DIR\n", argv[0]);
        return 2;
    }
    const bool recording = std::string(argv[4]) == "record";
    const std::string digestsPath = fs::absolute(argv[3]).string();
    std::vector<std::uint64_t> expected;
    if (!recording) {
        expected = readDigests(digestsPath);
        if (expected.empty()) {
            std::fprintf(stderr, "FAIL: no digests in %s\n", digestsPath.c_str());
            return 1;
        }
        g_recorder.expected = &expected;
    }
    if (argc > 5) {
        g_recorder.pngDirectory = fs::absolute(argv[5]).string();
        fs::create_directories(g_recorder.pngDirectory);
    }
    g_recorder.writeEveryFrame = recording;

    const std::string workDir = prepareWorkingDirectory(argv[1], argv[2]);
    GLFWwindow* context = openContext();
    if (workDir.empty() || context == nullptr) {
        std::fprintf(stderr, "FAIL: no working directory or no OpenGL context\n");
        return 1;
    }
    fs::current_path(workDir);

    scriptedReset();
    scriptedSetExtensionQuery(queryContext);
    scriptedOnSwap(captureFrame);
    scheduleScript();
    quitRequested = false;

    auto game = std::make_unique<Game>();
    auto graphics = std::make_unique<Graphics>();
    if (!startProgram(*game, *graphics, "")) {
        std::fprintf(stderr, "FAIL: start-up\n");
        return 1;
    }
    // Crate turns and grunt choices come from the generator: fixed, so every run draws the same session.
    game->state.random.seed(kRandomSeed);
    runOuterLoop(*game);
    shutdownProgram(*game, *graphics);
    const double endTime = platformTime();
    glfwDestroyWindow(context);
    glfwTerminate();
    std::error_code ignored;
    fs::remove_all(workDir, ignored);

    if (endTime >= kScriptLimitSeconds) {
        std::fprintf(stderr, "FAIL: the session did not reach Quit (stopped at %.2f s)\n", endTime);
        return 1;
    }
    if (recording) {
        writeDigests(digestsPath, g_recorder.digests);
        std::printf("recorded %zu frames\n", g_recorder.digests.size());
        return 0;
    }
    if (g_recorder.digests.size() != expected.size() || g_recorder.mismatches != 0) {
        std::fprintf(stderr, "FAIL: %zu frames against %zu recorded; %d differ, the first is frame %d\n",
                     g_recorder.digests.size(), expected.size(), g_recorder.mismatches,
                     g_recorder.firstMismatch);
        return 1;
    }
    std::printf("all %zu frames identical\n", expected.size());
    return 0;
}
