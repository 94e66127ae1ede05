#include "levels/rating/box_order.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <unordered_set>
#include <vector>

namespace {

// A position between two boxes: the boxes still to place, the goals already filled (their boxes stand
// there for good) and the reduced keeper cell.
struct Stage {
    std::vector<int> loose;    // ascending
    std::uint32_t filled = 0;  // bit per goal index
    int keeper = kNoCell;      // reduced
    bool operator<(const Stage& other) const {
        if (filled != other.filled) return filled < other.filled;
        if (keeper != other.keeper) return keeper < other.keeper;
        return loose < other.loose;
    }
    bool operator==(const Stage& other) const {
        return filled == other.filled && keeper == other.keeper && loose == other.loose;
    }
};

class OrderSearch {
public:
    OrderSearch(const SolverLevel& level, std::size_t budget, bool firstOnly)
        : level_(level), budget_(budget), firstOnly_(firstOnly) {
        for (int cell = 0; cell < kSolverCellCount; ++cell) {
            if (level.goal[cell] != 0 && level.wall[cell] == 0) goals_.push_back(cell);
        }
    }

    // Orders of the goals not yet filled that can be completed from any of the stages (all with the
    // same filled set); -1 when the budget ran out.
    double countOrders(const std::vector<Stage>& stages) {
        if (stages.front().loose.empty()) return 1.0;
        const auto known = memo_.find(stages);
        if (known != memo_.end()) return known->second;
        double total = 0.0;
        for (int goal = 0; goal < static_cast<int>(goals_.size()); ++goal) {
            if ((stages.front().filled >> goal & 1u) != 0) continue;
            std::vector<Stage> next;
            for (const Stage& stage : stages) {
                for (std::size_t box = 0; box < stage.loose.size(); ++box) {
                    if (!placeBox(stage, box, goal, next)) return -1.0;
                }
            }
            if (next.empty()) continue;
            std::sort(next.begin(), next.end());
            next.erase(std::unique(next.begin(), next.end()), next.end());
            const double count = countOrders(next);
            if (count < 0.0) return -1.0;
            total += count;
            if (firstOnly_ && total > 0.0) return total;  // a partial count: not kept
        }
        memo_.emplace(stages, total);
        return total;
    }

    int goalCount() const { return static_cast<int>(goals_.size()); }

private:
    // Pushes loose box number box of the stage to goal with nothing else moving and adds every stage it
    // can end in. False when the budget is spent.
    bool placeBox(const Stage& stage, std::size_t box, int goal, std::vector<Stage>& into) {
        const std::vector<int>& ends = keeperEnds(stage, box, goals_[goal]);
        if (ends.size() == 1 && ends.front() == kNoCell) return false;
        for (const int keeper : ends) {
            Stage next;
            next.loose = stage.loose;
            next.loose.erase(next.loose.begin() + static_cast<std::ptrdiff_t>(box));
            next.filled = stage.filled | (1u << goal);
            next.keeper = keeper;
            into.push_back(std::move(next));
        }
        return true;
    }

    // Reduced keeper cells with which the box can come to rest on the goal cell; {kNoCell} when the
    // budget is spent.
    const std::vector<int>& keeperEnds(const Stage& stage, std::size_t box, int goalCell) {
        const auto key = std::make_pair(stage, static_cast<int>(box));
        auto found = ends_.find(key);
        if (found == ends_.end()) {
            if (budget_ == 0) return exhausted_;
            --budget_;
            found = ends_.emplace(key, searchBox(stage, box)).first;
        }
        const auto atGoal = found->second.find(goalCell);
        return atGoal == found->second.end() ? none_ : atGoal->second;
    }

    // Every cell the box can be pushed to, with the reduced keeper cells it can stand there with.
    std::map<int, std::vector<int>> searchBox(const Stage& stage, std::size_t box) {
        std::vector<std::uint8_t> boxAt(kSolverCellCount, 0);
        for (const int cell : stage.loose) boxAt[cell] = 1;
        for (int goal = 0; goal < static_cast<int>(goals_.size()); ++goal) {
            if ((stage.filled >> goal & 1u) != 0) boxAt[goals_[goal]] = 1;
        }
        const int start = stage.loose[box];
        std::unordered_set<std::int64_t> seen;
        std::vector<std::pair<int, int>> queue{{start, stage.keeper}};
        seen.insert(std::int64_t{start} * kSolverCellCount + stage.keeper);
        std::map<int, std::vector<int>> reached;
        for (std::size_t head = 0; head < queue.size(); ++head) {
            const auto [cell, keeper] = queue[head];
            reached[cell].push_back(keeper);
            boxAt[start] = 0;
            boxAt[cell] = 1;
            reach_.fill(level_, boxAt, keeper);
            std::vector<int> pushable;
            for (int direction = 0; direction < 4; ++direction) {
                const int to = cell + kCellStep[direction];
                if (reach_.reached(cell - kCellStep[direction]) && level_.wall[to] == 0 && boxAt[to] == 0)
                    pushable.push_back(direction);
            }
            for (const int direction : pushable) {
                const int to = cell + kCellStep[direction];
                boxAt[cell] = 0;
                boxAt[to] = 1;
                const int reduced = after_.fill(level_, boxAt, cell);
                boxAt[to] = 0;
                boxAt[cell] = 1;
                if (seen.insert(std::int64_t{to} * kSolverCellCount + reduced).second)
                    queue.push_back({to, reduced});
            }
            boxAt[cell] = 0;
        }
        for (auto& entry : reached) std::sort(entry.second.begin(), entry.second.end());
        return reached;
    }

    const SolverLevel& level_;
    std::size_t budget_;
    bool firstOnly_;
    std::vector<int> goals_;
    KeeperReach reach_;
    KeeperReach after_;
    std::map<std::vector<Stage>, double> memo_;
    std::map<std::pair<Stage, int>, std::map<int, std::vector<int>>> ends_;
    const std::vector<int> none_;
    const std::vector<int> exhausted_{kNoCell};
};

}  // namespace

BoxOrderSurvey surveyBoxOrders(const SolverLevel& level, std::size_t budget, bool countOrders) {
    BoxOrderSurvey survey;
    OrderSearch search(level, budget, false);
    OrderSearch first(level, budget, true);
    if (level.keeper == kNoCell || search.goalCount() == 0 || search.goalCount() > 31 ||
        static_cast<int>(level.boxes.size()) != search.goalCount()) {
        return survey;
    }
    Stage start;
    start.loose = level.boxes;
    std::vector<std::uint8_t> boxAt = boxOccupancy(level.boxes);
    KeeperReach reach;
    start.keeper = reach.fill(level, boxAt, level.keeper);
    // Whether any order works is found long before the orders are counted.
    double working = first.countOrders({start});
    if (working > 0.0 && countOrders) working = search.countOrders({start});
    if (working < 0.0) return survey;
    survey.complete = true;
    survey.workingOrders = working;
    survey.orders = 1.0;
    for (int n = 2; n <= search.goalCount(); ++n) survey.orders *= n;
    survey.oneAtATime = working > 0.0;
    survey.counted = countOrders || working == 0.0;
    return survey;
}
