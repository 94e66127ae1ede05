// tarmelo-levels: checks, solves and generates level files, and writes demo paths, reading levels with
// the game's own loader.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "levels/cli/rating_table.h"
#include "levels/demo/demo_path.h"
#include "levels/generator/generator.h"
#include "levels/rating/level_rating.h"
#include "levels/rating/set_audit.h"
#include "levels/solver/level_set.h"
#include "levels/solver/solver.h"

namespace {

constexpr const char* kUsage =
    "usage: tarmelo-levels check FILE [--states N] [--seconds S]\n"
    "       tarmelo-levels solve FILE LEVEL\n"
    "       tarmelo-levels demo FILE LEVEL [--walk SECONDS] [--pause SECONDS]\n"
    "       tarmelo-levels replay FILE LEVEL MOVES [--seconds S]\n"
    "       tarmelo-levels rate FILE [LEVEL]\n"
    "       tarmelo-levels audit FILE [--threads N]\n"
    "       tarmelo-levels generate [--seed N] [--threads N]\n";

constexpr int kExitFailed = 1;  // a level is unplayable or unsolved
constexpr int kExitUsage = 2;   // bad arguments or an unreadable file

bool parseNumber(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty() || text.size() > 18) return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0' && value >= low && value <= high;
}

int usage() {
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

bool scanOrComplain(const std::string& path, std::vector<LevelEntry>& levels) {
    if (scanLevelFile(path, levels)) return true;
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
}

int runCheck(const std::vector<std::string>& args) {
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
        if (report.problem != LevelProblem::None) ++failed;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    std::fprintf(stderr, "%zu levels, %d unplayable or unsolved, %.2f seconds\n", levels.size(), failed,
                 elapsed.count());
    if (levels.empty()) {
        std::fprintf(stderr, "no levels in %s\n", args[0].c_str());
        return kExitFailed;
    }
    return failed == 0 ? 0 : kExitFailed;
}

// Finds and solves one level for solve, demo and replay. False (with a message) when it cannot.
bool solveOne(const std::vector<std::string>& args, LevelEntry& entry, LevelReport& report) {
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
    if (report.problem == LevelProblem::None) return true;
    std::fprintf(stderr, "%s\n", describeReport(report, options).c_str());
    return false;
}

int runSolve(const std::vector<std::string>& args) {
    if (args.size() != 2) return usage();
    LevelEntry entry;
    LevelReport report;
    if (!solveOne(args, entry, report)) return kExitFailed;
    std::printf("%s\n", report.solve.solution.c_str());
    return 0;
}

// The demo path of one level: a walk round it of at least --walk seconds (9), its solution, and a pause of
// --pause seconds (3) beside the solved level.
int runDemo(const std::vector<std::string>& args) {
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
    loadLevelNumber(args[0], entry.number, board, player);
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
int runReplay(const std::vector<std::string>& args) {
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
        !loadLevelNumber(args[0], static_cast<int>(number), board, player)) {
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

int runRate(const std::vector<std::string>& args) {
    if (args.empty() || args.size() > 2) return usage();
    std::vector<LevelEntry> levels;
    if (!scanOrComplain(args[0], levels)) return kExitUsage;
    long long only = 0;
    if (args.size() == 2 && !parseNumber(args[1], 1, static_cast<long long>(levels.size()), only)) {
        std::fprintf(stderr, "%s has no level %s (it has %zu)\n", args[0].c_str(), args[1].c_str(),
                     levels.size());
        return kExitUsage;
    }
    std::fputs(ratingHeader().c_str(), stdout);
    std::vector<LevelRating> ratings;
    unsigned earlierIdeas = 0;
    int failed = 0;
    for (const LevelEntry& entry : levels) {
        if (only != 0 && entry.number != only) continue;
        Board board;
        Player player;
        player.x = player.y = -1;
        LevelRating rating;
        if (loadLevelNumber(args[0], entry.number, board, player) && isInsideGrid(player.x, player.y)) {
            rating = rateLevel(solverLevelFromBoard(board, player));
        }
        if (!rating.solved) ++failed;
        std::fputs(ratingRow(entry.number, rating, earlierIdeas).c_str(), stdout);
        std::fflush(stdout);
        earlierIdeas |= rating.ideas;
        ratings.push_back(std::move(rating));
    }
    if (only == 0) std::printf("\n%s", ratingSummary(ratings).c_str());
    return failed == 0 ? 0 : kExitFailed;
}

int runAudit(const std::vector<std::string>& args) {
    long long threads = 1;
    if (args.size() == 3 && args[1] == "--threads" && parseNumber(args[2], 1, 64, threads)) {
    } else if (args.size() != 1) {
        return usage();
    }
    const auto started = std::chrono::steady_clock::now();
    const SetAudit audit = auditLevelFile(args[0], static_cast<int>(threads));
    if (!audit.readable) {
        std::fprintf(stderr, "cannot read %s\n", args[0].c_str());
        return kExitUsage;
    }
    for (const LevelAudit& level : audit.levels) {
        std::printf("level %d: %s\n", level.number,
                    level.problems.empty() ? "meets every limit" : level.problems.front().c_str());
        for (std::size_t i = 1; i < level.problems.size(); ++i)
            std::printf("level %d: %s\n", level.number, level.problems[i].c_str());
    }
    for (const std::string& problem : audit.setProblems) std::printf("set: %s\n", problem.c_str());
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    std::fprintf(stderr, "%zu levels, %d problems, %.1f seconds\n", audit.levels.size(), audit.problemCount(),
                 elapsed.count());
    return audit.problemCount() == 0 ? 0 : kExitFailed;
}

int runGenerate(const std::vector<std::string>& args) {
    long long seed = kDefaultGeneratorSeed;
    long long threads = 2;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return usage();
        if (args[i] == "--seed" && parseNumber(args[i + 1], 0, 1000000000000LL, seed)) continue;
        if (args[i] == "--threads" && parseNumber(args[i + 1], 1, 64, threads)) continue;
        return usage();
    }
    const std::string text =
        generateLevelSet(static_cast<std::uint64_t>(seed), static_cast<int>(threads), stderr);
    if (text.empty()) {
        std::fputs("no set meets the rules from this seed\n", stderr);
        return kExitFailed;
    }
    std::fputs(text.c_str(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "check") return runCheck(args);
    if (command == "solve") return runSolve(args);
    if (command == "demo") return runDemo(args);
    if (command == "replay") return runReplay(args);
    if (command == "rate") return runRate(args);
    if (command == "audit") return runAudit(args);
    if (command == "generate") return runGenerate(args);
    return usage();
}
