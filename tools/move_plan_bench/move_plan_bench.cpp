// Figures for the plans of play by pointing, not a test.
//
//     move_plan_bench    on two levels of the largest legal size (32 x 24 cells, 32 crates), one open floor
//                        and one of rooms joined by doors: the time of pushTargets for every crate, of
//                        pushPath from every crate to every cell it can be pushed to, and of walkPath to
//                        every cell. Each choice runs three times and counts its fastest run, so that other
//                        programs on a busy machine do not pass for the search's own cost; the slowest
//                        single run is printed beside. Median, 95th percentile and worst, in milliseconds.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/level_collection.h"
#include "core/move_plans.h"

namespace {

// Crates spread over the whole floor (a few pillars apart), so each one can be pushed almost anywhere: the
// most states a push search can meet.
const char* const kOpenFloor =
    "################################\n"
    "#                              #\n"
    "#           #        #         #\n"
    "#  $  $  $  $  $  $  $  $      #\n"
    "#                              #\n"
    "#.  .  .  .  .  .  .  .        #\n"
    "#                              #\n"
    "#                              #\n"
    "#   $  $  $  $  $  $  $  $     #\n"
    "#                              #\n"
    "# .  .  .  .  .  .  .  .       #\n"
    "#               @              #\n"
    "#                              #\n"
    "#                              #\n"
    "#    $  $  $  $  $  $  $  $    #\n"
    "#                              #\n"
    "#   .  .  .  .  .  .  .  .     #\n"
    "#                              #\n"
    "#                              #\n"
    "# $  $  $  $  $  $  $  $       #\n"
    "#                              #\n"
    "#.  .  .  .  .  .  .  .        #\n"
    "#       #        #        #    #\n"
    "################################\n";

// Twelve rooms joined by one-cell doors: a crate in a doorway shuts the keeper in, so its walks round the
// crate search a whole room before they give up.
const char* const kRooms =
    "################################\n"
    "#       #       #       #      #\n"
    "#     $ #   .$    .     #      #\n"
    "#  .    #  $    #    $  # $    #\n"
    "# .       $  .  #   $ $. .     #\n"
    "#   .   #   .   #  $.$  #      #\n"
    "#  $$ . #       #       #   $  #\n"
    "#       #       # $     # .    #\n"
    "###### #### ###### ####### #####\n"
    "#       #       #       #      #\n"
    "#       #  . $ $ . .    #      #\n"
    "#     $    ..   #       #      #\n"
    "#       #   .$  # .     #      #\n"
    "#       #       #  $$   #  $   #\n"
    "#       #   . $ #              #\n"
    "#       #       #       #  $   #\n"
    "##### ####### #### ######## ####\n"
    "#       #       # .     #      #\n"
    "#  . $$ #      .   . $ .  .  $ #\n"
    "# .     # $@  . #       #   $  #\n"
    "#       #     $ #       # .  $ #\n"
    "#  .            # .$  . #      #\n"
    "#       #       #       #      #\n"
    "################################\n";

using Clock = std::chrono::steady_clock;

struct Timings {
    std::vector<double> fastest;  // per choice, the fastest of its runs
    double slowestRun = 0.0;
};

// Runs a plan three times and keeps its times.
template <typename Plan>
void timeChoice(Timings& timings, Plan&& plan) {
    double fastest = 0.0;
    for (int run = 0; run < 3; ++run) {
        const Clock::time_point start = Clock::now();
        plan();
        const double milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        fastest = run == 0 ? milliseconds : std::min(fastest, milliseconds);
        timings.slowestRun = std::max(timings.slowestRun, milliseconds);
    }
    timings.fastest.push_back(fastest);
}

void printFigures(const char* what, Timings& timings) {
    std::vector<double>& times = timings.fastest;
    std::sort(times.begin(), times.end());
    std::printf(
        "  %-12s %6zu choices: median %.3f ms, p95 %.3f ms, worst %.3f ms (slowest single run %.3f ms)\n",
        what, times.size(), times[times.size() / 2], times[times.size() * 95 / 100], times.back(),
        timings.slowestRun);
}

bool measureLevel(const char* name, const char* rows) {
    CollectionLevel level;
    for (const char* row = rows; *row != '\0'; row = std::strchr(row, '\n') + 1)
        level.rows.emplace_back(row, std::strchr(row, '\n'));
    Board board;
    Player player;
    if (!placeCollectionLevel(level, board, player)) {
        std::fprintf(stderr, "%s: not a playable level (%s)\n", name,
                     levelProblemText(levelProblemOf(level.rows)));
        return false;
    }
    Timings targetTimes;
    Timings pathTimes;
    Timings walkTimes;
    int mostPushes = 0;
    int mostMoves = 0;
    for (int box = 0; box < kMaxBoxes; ++box) {
        PushTargets targets;
        timeChoice(targetTimes, [&] { targets = pushTargets(board, player, box); });
        for (int x = 0; x < kBoardWidth; ++x) {
            for (int y = 0; y < kBoardHeight; ++y) {
                if (!targets.cells[x][y]) continue;
                MovePlan plan;
                timeChoice(pathTimes, [&] { plan = pushPath(board, player, box, x, y); });
                mostPushes = std::max(mostPushes, plan.pushes);
                mostMoves = std::max(mostMoves, static_cast<int>(plan.steps.size()));
            }
        }
    }
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) timeChoice(walkTimes, [&] { walkPath(board, player, x, y); });
    }
    std::printf("%s (longest plan: %d pushes, %d moves)\n", name, mostPushes, mostMoves);
    printFigures("pushTargets", targetTimes);
    printFigures("pushPath", pathTimes);
    printFigures("walkPath", walkTimes);
    return true;
}

}  // namespace

int main() {
    const bool open = measureLevel("open floor", kOpenFloor);
    const bool rooms = measureLevel("rooms", kRooms);
    return open && rooms ? 0 : 1;
}
