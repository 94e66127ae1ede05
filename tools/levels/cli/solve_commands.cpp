#include <chrono>
#include <cstdio>

#include "levels/cli/commands.h"
#include "levels/demo/demo_path.h"
#include "levels/solver/solver.h"

namespace {

// Finds and solves one level for solve, demo and replay. False (with a message) when it cannot.
bool solveOne(const Arguments& args, LevelEntry& entry, LevelReport& report) {
    std::vector<LevelEntry> levels;
    long long number = 0;
    if (!scanOrComplain(args[0], levels)) return false;
    if (!parseNumber(args[1], 1, static_cast<long long>(levels.size()), number)) {
        std::fprintf(stderr, "%s has no level %s (it has %zu)\n", args[0].c_str(), args[1].c_str(),
                     levels.size());
        return false;
    }
    entry = levels[static_cast<std::size_t>(number - 1)];
    const SolveOptions options;
    report = checkLevel(args[0], entry, options);
    if (report.problem == CheckProblem::None) return true;
    std::fprintf(stderr, "%s\n", describeReport(report, options).c_str());
    return false;
}

}  // namespace

int runCheck(const Arguments& args) {
    if (args.empty()) return usage();
    SolveOptions options;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        long long value = 0;
        if (i + 1 >= args.size()) return usage();
        if (args[i] == "--states" && parseNumber(args[i + 1], 1, 100000000, value)) {
            options.maxStates = static_cast<std::size_t>(value);
        } else if (args[i] == "--seconds" && parseNumber(args[i + 1], 0, 86400, value)) {
            options.maxSeconds = static_cast<double>(value);
        } else {
            return usage();
        }
    }
    std::vector<LevelEntry> levels;
    if (!scanOrComplain(args[0], levels)) return kExitUsage;
    const auto started = std::chrono::steady_clock::now();
    int failed = 0;
    for (const LevelEntry& entry : levels) {
        const LevelReport report = checkLevel(args[0], entry, options);
        std::printf("%s\n", describeReport(report, options).c_str());
        std::fflush(stdout);
        // A level the search gives up on is reported; it is not known to be unplayable.
        if (report.problem != CheckProblem::None && report.problem != CheckProblem::Unsolved) ++failed;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    std::fprintf(stderr, "%zu levels, %d unplayable, %.2f seconds\n", levels.size(), failed, elapsed.count());
    if (levels.empty()) {
        std::fprintf(stderr, "no levels in %s\n", args[0].c_str());
        return kExitFailed;
    }
    return failed == 0 ? 0 : kExitFailed;
}

int runSolve(const Arguments& args) {
    if (args.size() != 2) return usage();
    LevelEntry entry;
    LevelReport report;
    if (!solveOne(args, entry, report)) return kExitFailed;
    std::printf("%s\n", report.solve.solution.c_str());
    return 0;
}

// The demo path of one level: a walk round it of at least --walk seconds (9), its solution, and a pause of
// --pause seconds (3) beside the solved level.
int runDemo(const Arguments& args) {
    if (args.size() < 2) return usage();
    DemoShowOptions show;
    for (std::size_t i = 2; i < args.size(); i += 2) {
        long long value = 0;
        if (i + 1 >= args.size()) return usage();
        if (args[i] == "--walk" && parseNumber(args[i + 1], 0, 600, value)) {
            show.walkSeconds = static_cast<int>(value);
        } else if (args[i] == "--pause" && parseNumber(args[i + 1], 0, 600, value)) {
            show.pauseSeconds = static_cast<int>(value);
        } else {
            return usage();
        }
    }
    LevelEntry entry;
    LevelReport report;
    if (!solveOne(args, entry, report)) return kExitFailed;
    Board board;
    Player player;
    loadEntry(args[0], entry, board, player);
    const std::vector<DemoTarget> path = demoShow(board, player, report.solve.solution, show);
    if (path.empty()) {
        std::fprintf(stderr, "level %d: no walk to the solution's first push\n", entry.number);
        return kExitFailed;
    }
    std::fputs(formatDemoPath(path).c_str(), stdout);
    return 0;
}

// Plays a demo path as the game would at its fastest frame rate; with --seconds, it fails unless the demo
// lasts at least that long.
int runReplay(const Arguments& args) {
    long long leastSeconds = 0;
    if (args.size() == 5 && args[3] == "--seconds" && parseNumber(args[4], 0, 3600, leastSeconds)) {
    } else if (args.size() != 3) {
        return usage();
    }
    std::vector<LevelEntry> levels;
    long long number = 0;
    if (!scanOrComplain(args[0], levels)) return kExitUsage;
    Board board;
    Player player;
    if (!parseNumber(args[1], 1, static_cast<long long>(levels.size()), number) ||
        !loadEntry(args[0], levels[static_cast<std::size_t>(number - 1)], board, player)) {
        std::fprintf(stderr, "%s has no playable level %s\n", args[0].c_str(), args[1].c_str());
        return kExitUsage;
    }
    const DemoReplay replay = replayDemo(board, player, args[2].c_str());
    std::printf("%s on level %lld: %s after %d frames (%.2f s at %.2f s a frame) and %d steps\n",
                args[2].c_str(), number,
                !replay.scriptEnded ? "still running"
                : replay.solved     ? "solved"
                                    : "not solved",
                replay.frames, replay.seconds, kDemoFrameSeconds, replay.steps);
    if (replay.seconds < static_cast<double>(leastSeconds)) {
        std::printf("the demo lasts less than %lld s\n", leastSeconds);
        return kExitFailed;
    }
    return replay.scriptEnded && replay.solved ? 0 : kExitFailed;
}
