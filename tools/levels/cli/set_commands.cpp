#include <chrono>
#include <cstdio>

#include "levels/cli/commands.h"
#include "levels/cli/rating_table.h"
#include "levels/generator/generator.h"
#include "levels/rating/level_rating.h"
#include "levels/rating/set_audit.h"

int runRate(const Arguments& args) {
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
        if (loadEntry(args[0], entry, board, player) && isInsideGrid(player.x, player.y)) {
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

int runAudit(const Arguments& args) {
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

int runGenerate(const Arguments& args) {
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
