#include "levels/rating/trap_survey.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <vector>

#include "levels/solver/deadlock.h"
#include "levels/solver/solver.h"
#include "levels/solver/state_store.h"

namespace {

// Boxes near the pushed one are the usual accomplices of a deadlock; a proof with a few of them and the
// rest taken away is cheap, and it holds for the whole position because more boxes never make a level
// easier.
constexpr int kMostBoxesInAProof = 3;
constexpr std::size_t kProofBudget = 20000;

class PushJudge {
public:
    PushJudge(const SolverLevel& level, std::size_t budget)
        : level_(level),
          tables_(buildDeadlockTables(level)),
          budget_(budget),
          solvable_(static_cast<int>(level.boxes.size())) {}

    void markSolvable(const std::vector<int>& boxes, int keeper) {
        bool added = false;
        solvable_.findOrAdd(key(boxes, keeper).data(), added);
    }

    PushVerdict judge(const std::vector<int>& boxes, int keeper, int movedCell, int direction) {
        const std::vector<std::uint8_t> boxAt = boxOccupancy(boxes);
        if (tables_.deadSquare[movedCell] != 0) {
            if (isCorner(movedCell)) return PushVerdict::Corner;
            return isInCorridor(movedCell, direction) ? PushVerdict::DeadCorridor : PushVerdict::WallLine;
        }
        if (isFreezeDeadlock(level_, tables_, boxAt, movedCell)) return PushVerdict::Freeze;
        if (goalMatchingBound(tables_, boxes) == kNoMatching) return PushVerdict::Unmatched;
        const std::vector<std::uint16_t> state = key(boxes, keeper);
        if (solvable_.find(state.data()) >= 0 || canTakeBack(boxes, movedCell, direction))
            return PushVerdict::Solvable;
        const auto known = verdicts_.find(state);
        if (known != verdicts_.end()) return known->second;
        const PushVerdict verdict = search(boxes, keeper, movedCell, direction);
        if (verdict == PushVerdict::Solvable) {
            bool added = false;
            solvable_.findOrAdd(state.data(), added);
        } else {
            verdicts_.emplace(state, verdict);
        }
        return verdict;
    }

private:
    std::vector<std::uint16_t> key(const std::vector<int>& boxes, int keeper) {
        std::vector<std::uint16_t> state(boxes.begin(), boxes.end());
        std::sort(state.begin(), state.end());
        state.push_back(static_cast<std::uint16_t>(reach_.fill(level_, boxOccupancy(boxes), keeper)));
        return state;
    }

    // Whether the keeper can walk round and push the box straight back, into a position known solvable.
    bool canTakeBack(const std::vector<int>& boxes, int movedCell, int direction) {
        const int step = kCellStep[direction];
        const int from = movedCell - step;
        if (!reach_.reached(movedCell + step)) return false;  // reach_ holds the keeper's area after the push
        std::vector<int> back(boxes);
        *std::find(back.begin(), back.end(), movedCell) = from;
        return solvable_.find(key(back, movedCell).data()) >= 0;
    }

    bool isCorner(int cell) const {
        const bool across = level_.wall[cell - 1] != 0 || level_.wall[cell + 1] != 0;
        const bool along =
            level_.wall[cell - kSolverGridWidth] != 0 || level_.wall[cell + kSolverGridWidth] != 0;
        return across && along;
    }

    // Walls on both sides across the push: the box stands in a corridor one cell wide.
    bool isInCorridor(int cell, int direction) const {
        const int side = direction < 2 ? 1 : kSolverGridWidth;
        return level_.wall[cell - side] != 0 && level_.wall[cell + side] != 0;
    }

    PushVerdict deadKind(int movedCell, int direction) const {
        if (level_.goal[movedCell] != 0) return PushVerdict::FillingOrder;
        if (isInCorridor(movedCell, direction)) return PushVerdict::CorridorBlock;
        return PushVerdict::HiddenDeadlock;
    }

    PushVerdict search(const std::vector<int>& boxes, int keeper, int movedCell, int direction) {
        SolverLevel position = level_;
        position.keeper = keeper;
        const int boxCount = static_cast<int>(boxes.size());
        if (boxCount > 1) {
            std::vector<int> nearest(boxes);
            const int x = solverCellX(movedCell);
            const int y = solverCellY(movedCell);
            std::stable_sort(nearest.begin(), nearest.end(), [&](int a, int b) {
                const int da = std::abs(solverCellX(a) - x) + std::abs(solverCellY(a) - y);
                const int db = std::abs(solverCellX(b) - x) + std::abs(solverCellY(b) - y);
                return da < db;
            });
            SolveOptions proof;
            proof.maxStates = kProofBudget;
            proof.maxSeconds = 0.0;
            for (int count = 1; count <= std::min(kMostBoxesInAProof, boxCount - 1); ++count) {
                position.boxes.assign(nearest.begin(), nearest.begin() + count);
                std::sort(position.boxes.begin(), position.boxes.end());
                if (solveLevel(position, proof).status == SolveStatus::NoSolution)
                    return deadKind(movedCell, direction);
            }
        }
        position.boxes = boxes;
        std::sort(position.boxes.begin(), position.boxes.end());
        SolveOptions full;
        full.maxStates = budget_;
        full.maxSeconds = 0.0;
        full.knownSolvable = &solvable_;
        switch (solveLevel(position, full).status) {
            case SolveStatus::Solved:
                return PushVerdict::Solvable;
            case SolveStatus::NoSolution:
                return deadKind(movedCell, direction);
            default:
                return PushVerdict::Unknown;
        }
    }

    const SolverLevel& level_;
    DeadlockTables tables_;
    std::size_t budget_;
    StateStore solvable_;
    std::map<std::vector<std::uint16_t>, PushVerdict> verdicts_;
    KeeperReach reach_;
};

}  // namespace

bool isTrap(PushVerdict verdict) {
    return verdict == PushVerdict::CorridorBlock || verdict == PushVerdict::FillingOrder ||
           verdict == PushVerdict::HiddenDeadlock;
}

int TrapSurvey::traps() const {
    int total = 0;
    for (int verdict = 0; verdict < kPushVerdictCount; ++verdict) {
        if (isTrap(static_cast<PushVerdict>(verdict))) total += counts[verdict];
    }
    return total;
}

TrapSurvey surveyTraps(const SolverLevel& level, const std::string& solution, std::size_t budget) {
    TrapSurvey survey;
    if (level.keeper == kNoCell) return survey;
    // The positions before each push, and the push the solution makes there.
    struct Step {
        std::vector<int> boxes;
        int keeper;
        int box;
        int direction;
    };
    std::vector<Step> steps;
    std::vector<int> boxes(level.boxes);
    std::vector<std::uint8_t> boxAt = boxOccupancy(boxes);
    int keeper = level.keeper;
    for (const char letter : solution) {
        const int direction = solutionLetterDirection(letter);
        if (direction < 0) return survey;
        const int next = keeper + kCellStep[direction];
        if (level.wall[next] != 0) return survey;
        if (boxAt[next] != 0) {
            const int beyond = next + kCellStep[direction];
            if (level.wall[beyond] != 0 || boxAt[beyond] != 0) return survey;
            steps.push_back({boxes, keeper, next, direction});
            boxAt[next] = 0;
            boxAt[beyond] = 1;
            *std::find(boxes.begin(), boxes.end(), next) = beyond;
        }
        keeper = next;
    }
    for (const int cell : boxes) {
        if (level.goal[cell] == 0) return survey;
    }
    survey.valid = true;
    survey.pushes = static_cast<int>(steps.size());

    PushJudge judge(level, budget);
    for (const Step& step : steps) judge.markSolvable(step.boxes, step.keeper);
    KeeperReach reach;
    for (const Step& step : steps) {
        boxAt = boxOccupancy(step.boxes);
        reach.fill(level, boxAt, step.keeper);
        for (std::size_t i = 0; i < step.boxes.size(); ++i) {
            const int from = step.boxes[i];
            for (int direction = 0; direction < 4; ++direction) {
                if (from == step.box && direction == step.direction) continue;
                const int to = from + kCellStep[direction];
                if (!reach.reached(from - kCellStep[direction]) || level.wall[to] != 0 || boxAt[to] != 0)
                    continue;
                std::vector<int> after(step.boxes);
                after[i] = to;
                ++survey.counts[static_cast<int>(judge.judge(after, from, to, direction))];
            }
        }
    }
    return survey;
}

PushVerdict judgePush(const SolverLevel& level, const std::vector<int>& boxes, int keeper, int movedCell,
                      int direction, std::size_t budget) {
    PushJudge judge(level, budget);
    return judge.judge(boxes, keeper, movedCell, direction);
}
