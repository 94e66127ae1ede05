#include "levels/cli/rating_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "levels/rating/figures.h"

namespace {

// The value at or below which the share of the values lies (nearest rank).
double percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(share * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

std::string numberList(const std::vector<int>& numbers) {
    std::string text;
    for (const int number : numbers) text += (text.empty() ? "" : " ") + std::to_string(number);
    return text.empty() ? "none" : text;
}

}  // namespace

std::string ratingHeader() {
    return "level boxes floor pushes moves expanded lines changes walk m/p  one-at-a-time traps t/p  "
           "unused ragged corridor b/floor leaves idea            score\n";
}

std::string ratingRow(int number, const LevelRating& rating, unsigned earlierIdeas) {
    char line[320];
    if (!rating.solved) {
        std::snprintf(line, sizeof line, "%5d %5d %5d unsolved within the rating's limits\n", number,
                      rating.boxes, rating.floor);
        return line;
    }
    std::string order = "-";
    if (!rating.order.complete) {
        order = "unknown";
    } else if (rating.boxes > 1) {
        order = rating.order.oneAtATime ? figureText("yes %.0f%%", 100.0 * rating.order.share()) : "no";
    }
    const int unknown = rating.traps.counts[static_cast<int>(PushVerdict::Unknown)];
    const std::string traps =
        std::to_string(rating.traps.traps()) + (unknown > 0 ? "?" + std::to_string(unknown) : "");
    const int idea = newIdea(rating.ideas, earlierIdeas);
    const char* ideaText = idea >= 0                  ? ideaName(static_cast<Idea>(idea))
                           : idea == kSeveralNewIdeas ? "several"
                                                      : "-";
    std::snprintf(
        line, sizeof line,
        "%5d %5d %5d %6d %5d %8zu %5d %7d %4d %4.2f %-13s %5s %4.2f %5.1f%% %6.2f %7.1f%% %7.3f %-6s "
        "%-15s %5.1f\n",
        number, rating.boxes, rating.floor, rating.pushes, rating.moves, rating.statesExpanded,
        rating.boxLines, rating.boxChanges, rating.longestWalk, rating.movesPerPush(), order.c_str(),
        traps.c_str(), rating.traps.trapsPerPush(), 100.0 * rating.unusedFloor, rating.raggedness,
        100.0 * rating.corridorShare, rating.boxesPerFloorCell(), rating.boxLeavesGoal ? "yes" : "no",
        ideaText, rating.score());
    return line;
}

std::string ratingSummary(const std::vector<LevelRating>& ratings) {
    std::vector<double> unused, ragged, trapRate, corridors, walks, movesPerPush, expanded;
    std::vector<int> oneAtATime, leaving, lowTraps, wideCorridors, largeUnused;
    int multiBox = 0;
    int number = 0;
    for (const LevelRating& rating : ratings) {
        ++number;
        if (!rating.solved) continue;
        unused.push_back(rating.unusedFloor);
        ragged.push_back(rating.raggedness);
        trapRate.push_back(rating.traps.trapsPerPush());
        corridors.push_back(rating.corridorShare);
        walks.push_back(rating.longestWalk);
        movesPerPush.push_back(rating.movesPerPush());
        expanded.push_back(static_cast<double>(rating.statesExpanded));
        if (rating.boxes > 1) ++multiBox;
        if (rating.boxes > 1 && rating.order.oneAtATime) oneAtATime.push_back(number);
        if (rating.boxLeavesGoal) leaving.push_back(number);
        if (rating.traps.trapsPerPush() < 0.5) lowTraps.push_back(number);
        if (rating.corridorShare >= 0.25) wideCorridors.push_back(number);
    }
    const double unused90 = percentile(unused, 0.9);
    number = 0;
    for (const LevelRating& rating : ratings) {
        ++number;
        if (rating.solved && rating.unusedFloor >= unused90 && unused90 > 0.0) largeUnused.push_back(number);
    }
    const int levels = static_cast<int>(ratings.size());
    std::string text;
    text += "levels: " + std::to_string(levels) + ", multi-box " + std::to_string(multiBox) + "\n";
    text += "multi-box levels solvable one box at a time: " +
            figureText("%.0f%%", multiBox > 0 ? 100.0 * oneAtATime.size() / multiBox : 0.0) + " (" +
            std::to_string(oneAtATime.size()) + ": " + numberList(oneAtATime) + ")\n";
    text += "unused floor: median " + figureText("%.1f%%", 100.0 * median(unused)) + ", 90th percentile " +
            figureText("%.1f%%", 100.0 * unused90) + " (" + numberList(largeUnused) + ")\n";
    text += "outline raggedness: median " + figureText("%.2f", median(ragged)) + "\n";
    text += "traps per push: median " + figureText("%.2f", median(trapRate)) + ", " +
            std::to_string(lowTraps.size()) + " levels under 0.5, the last level " +
            figureText("%.2f", ratings.empty() ? 0.0 : ratings.back().traps.trapsPerPush()) + "\n";
    text += "levels with a box that starts on a goal and must leave it: " + std::to_string(leaving.size()) +
            " (" + numberList(leaving) + ")\n";
    text += "one-cell corridors: median " + figureText("%.1f%%", 100.0 * median(corridors)) + ", " +
            std::to_string(wideCorridors.size()) + " levels with 25% or more\n";
    text += "longest walk: median " + figureText("%.0f", median(walks)) + ", most " +
            figureText("%.0f", walks.empty() ? 0.0 : *std::max_element(walks.begin(), walks.end())) + "\n";
    text += "moves per push: median " + figureText("%.2f", median(movesPerPush)) + "\n";
    text += "states expanded: median " + figureText("%.0f", median(expanded)) + "\n";
    return text;
}
