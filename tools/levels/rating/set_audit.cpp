#include "levels/rating/set_audit.h"

#include <atomic>
#include <thread>

#include "levels/rating/set_rules.h"
#include "levels/solver/level_set.h"

namespace {

// The breadth-first search may keep this many positions; the set's hardest levels need a fraction.
constexpr std::size_t kBreadthFirstStates = 20000000;

void auditLevel(const std::string& path, const LevelEntry& entry, LevelAudit& audit, SolverLevel& level) {
    audit.number = entry.number;
    SolveOptions options;
    options.maxSeconds = 0.0;
    const LevelReport report = checkLevel(path, entry, options);
    if (report.problem != CheckProblem::None) {
        audit.problems.push_back(describeReport(report, options));
        return;
    }
    Board board;
    Player player;
    loadEntry(path, entry, board, player);
    level = solverLevelFromBoard(board, player);
    // Without the goal-matching bound the search goes push by push, so the first solution it meets has
    // the fewest pushes whatever the bound says.
    SolveOptions breadthFirst;
    breadthFirst.useHeuristic = false;
    breadthFirst.maxStates = kBreadthFirstStates;
    breadthFirst.maxSeconds = 0.0;
    const SolveResult plain = solveLevel(level, breadthFirst);
    if (plain.status == SolveStatus::Solved) audit.breadthFirstPushes = plain.pushes;
    audit.rating = rateLevel(level);
    if (audit.breadthFirstPushes < 0) {
        audit.problems.push_back("the breadth-first search did not finish");
    } else if (audit.breadthFirstPushes != audit.rating.pushes) {
        audit.problems.push_back("the breadth-first search needs " +
                                 std::to_string(audit.breadthFirstPushes) + " pushes, the solver " +
                                 std::to_string(audit.rating.pushes));
    }
    for (std::string& problem : levelProblems(entry.number, audit.rating))
        audit.problems.push_back(std::move(problem));
}

}  // namespace

int SetAudit::problemCount() const {
    int count = static_cast<int>(setProblems.size()) + (readable ? 0 : 1);
    for (const LevelAudit& level : levels) count += static_cast<int>(level.problems.size());
    return count;
}

SetAudit auditLevelFile(const std::string& path, int threads) {
    SetAudit audit;
    std::vector<LevelEntry> entries;
    if (!scanLevelFile(path, entries)) return audit;
    audit.readable = true;
    audit.levels.resize(entries.size());
    std::vector<SolverLevel> levels(entries.size());
    std::atomic<std::size_t> next{0};
    auto work = [&]() {
        for (std::size_t i = next++; i < entries.size(); i = next++)
            auditLevel(path, entries[i], audit.levels[i], levels[i]);
    };
    std::vector<std::thread> workers;
    for (int i = 1; i < threads; ++i) workers.emplace_back(work);
    work();
    for (std::thread& worker : workers) worker.join();
    std::vector<LevelRating> ratings;
    for (const LevelAudit& level : audit.levels) ratings.push_back(level.rating);
    audit.setProblems = setProblems(ratings, levels);
    return audit;
}
