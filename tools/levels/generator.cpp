#include "levels/generator.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <tuple>
#include <vector>

#include "levels/candidate.h"
#include "levels/floor_shape.h"
#include "levels/room.h"
#include "levels/set_rules.h"

// Sections: the pools; drawing a pool; choosing the levels; the file.

namespace {

// ---- the pools: where the candidates for each part of the set come from ----

struct Pool {
    const char* name;
    int candidates;  // drawn at most
    int wanted;      // accepted candidates after which the pool stops drawing, 0 for no stop
    DrawPlan plan;
};

// Each pool: name, candidates at most, accepted wanted; then its DrawPlan: room (floor cells per box, wall
// percent), boxes, pushes, pull beam and cap, least effort, interleaving, least traps per push, leaving
// percent, starts tried, climb steps and work, and the level numbers whose limits a candidate must meet.
// The teaching pool is drawn whole: its choice is by idea, not by score.
// clang-format off
const Pool kPools[] = {
    {"teaching", 3000, 0, {{6, 16, 0, 20}, 1, 3, 2, 20, 0, 100000, 0, false, 0.0, 40, 1, 30, 100000, {1, 12}}},
    {"band 1", 3000, 30, {{7, 12, 5, 20}, 2, 3, 8, 20, 0, 100000, 0, true, 0.3, 30, 3, 30, 200000, {12, 0}}},
    {"band 2", 12000, 120, {{6, 10, 5, 25}, 3, 5, 20, 50, 0, 150000, 0, true, 0.6, 30, 4, 80, 500000, {30, 48}}},
    {"band 3", 8000, 30, {{6, 10, 10, 25}, 4, 6, 30, 50, 0, 100000, 0, true, 0.6, 30, 4, 150, 1000000, {48, 0}}},
    {"band 4", 10000, 40, {{4, 7, 10, 25}, 6, 8, 15, 0, 0, 60000, 3000, true, 0.6, 30, 4, 300, 1500000, {48, 60}}},
};
// clang-format on
constexpr int kTeachingPool = 0;

// ---- drawing a pool, on as many threads as asked; candidate i always comes from the same seed ----

std::vector<Candidate> drawPool(std::uint64_t seed, int poolIndex, int threads, std::FILE* progress) {
    Pool pool = kPools[poolIndex];
    if (const char* cfg = std::getenv("POOL_CFG")) {
        std::sscanf(std::getenv("POOL_BEAM") ? std::getenv("POOL_BEAM") : "0", "%zu", &pool.plan.beamWidth);
        std::sscanf(cfg, "%d %d %d %d %d %d %zu %d %d %zu", &pool.plan.minBoxes, &pool.plan.maxBoxes,
                    &pool.plan.shape.minFloorPerBox, &pool.plan.shape.maxFloorPerBox,
                    &pool.plan.shape.minWallPercent, &pool.plan.shape.maxWallPercent, &pool.plan.pullStates,
                    &pool.plan.startsTried, &pool.plan.climbSteps, &pool.plan.climbWork);
    }
    const auto started = std::chrono::steady_clock::now();
    const char* scale = std::getenv("TARMELO_GENERATOR_SCALE");
    const int candidates = scale != nullptr ? pool.candidates * std::atoi(scale) / 100 : pool.candidates;
    // Drawn in batches; the pool is the shortest run of candidates from the first that holds as many
    // accepted as wanted, so where it stops does not depend on the threads either.
    constexpr int kBatch = 200;
    std::vector<Candidate> drawn;
    int acceptedCount = 0;
    while (static_cast<int>(drawn.size()) < candidates && (pool.wanted == 0 || acceptedCount < pool.wanted)) {
        const int first = static_cast<int>(drawn.size());
        const int count = std::min(kBatch, candidates - first);
        drawn.resize(static_cast<std::size_t>(first + count));
        std::atomic<int> next{first};
        auto work = [&]() {
            for (int index = next++; index < first + count; index = next++) {
                drawn[index] =
                    drawCandidate(pool.plan, derivedSeed(seed, static_cast<std::uint64_t>(poolIndex) + 1,
                                                         static_cast<std::uint64_t>(index)));
            }
        };
        std::vector<std::thread> workers;
        for (int i = 1; i < threads; ++i) workers.emplace_back(work);
        work();
        for (std::thread& worker : workers) worker.join();
        for (int index = first; index < first + count; ++index) {
            if (drawn[index].stage != DrawStage::Accepted) continue;
            if (++acceptedCount == pool.wanted) {
                drawn.resize(static_cast<std::size_t>(index + 1));
                break;
            }
        }
    }

    int stages[kDrawStageCount] = {};
    std::vector<Candidate> accepted;
    for (Candidate& candidate : drawn) {
        ++stages[static_cast<int>(candidate.stage)];
        if (candidate.stage == DrawStage::Accepted) accepted.push_back(std::move(candidate));
    }
    if (progress != nullptr) {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
        std::fprintf(
            progress,
            "%s: %d candidates, turned away at room %d, shape %d, depth %d, effort %d, order %d, rating %d, "
            "solution %d, traps or fit %d; %d accepted in %.0f s\n",
            pool.name, static_cast<int>(drawn.size()), stages[0], stages[1], stages[2], stages[3], stages[4],
            stages[5], stages[6], stages[7], stages[8], elapsed.count());
    }
    return accepted;
}

// ---- development cache of the pools (removed before shipping) ----

void saveCandidate(std::FILE* out, int pool, const Candidate& c) {
    const LevelRating& r = c.rating;
    std::fprintf(out, "%d %d %d %zu %d %d %d %d %d %d %d %.17g %.17g %d %d %d", pool, r.boxes, r.floor, r.statesExpanded,
                 r.pushes, r.moves, r.boxLines, r.boxChanges, r.longestWalk, r.order.complete, r.order.oneAtATime,
                 r.order.orders, r.order.workingOrders, r.order.counted, r.traps.valid, r.traps.pushes);
    for (int i = 0; i < kPushVerdictCount; ++i) std::fprintf(out, " %d", r.traps.counts[i]);
    std::fprintf(out, " %.17g %.17g %.17g %d %u %s %d", r.unusedFloor, r.raggedness, r.corridorShare, r.boxLeavesGoal,
                 r.ideas, r.solution.c_str(), c.level.keeper);
    int walls = 0;
    for (int cell = 0; cell < kSolverCellCount; ++cell) walls += c.level.wall[cell] == 0 ? 1 : 0;
    std::fprintf(out, " %d", walls);
    for (int cell = 0; cell < kSolverCellCount; ++cell)
        if (c.level.wall[cell] == 0) std::fprintf(out, " %d", cell);
    int goals = 0;
    for (int cell = 0; cell < kSolverCellCount; ++cell) goals += c.level.goal[cell];
    std::fprintf(out, " %d", goals);
    for (int cell = 0; cell < kSolverCellCount; ++cell)
        if (c.level.goal[cell]) std::fprintf(out, " %d", cell);
    std::fprintf(out, " %zu", c.level.boxes.size());
    for (const int b : c.level.boxes) std::fprintf(out, " %d", b);
    std::fprintf(out, "\n");
}

bool loadCandidate(std::FILE* in, int& pool, Candidate& c) {
    LevelRating& r = c.rating;
    int complete, one, counted, valid, leaves;
    char solution[4096];
    if (std::fscanf(in, "%d %d %d %zu %d %d %d %d %d %d %d %lg %lg %d %d %d", &pool, &r.boxes, &r.floor, &r.statesExpanded,
                    &r.pushes, &r.moves, &r.boxLines, &r.boxChanges, &r.longestWalk, &complete, &one, &r.order.orders,
                    &r.order.workingOrders, &counted, &valid, &r.traps.pushes) != 16)
        return false;
    r.order.complete = complete;
    r.order.oneAtATime = one;
    r.order.counted = counted;
    r.traps.valid = valid;
    for (int i = 0; i < kPushVerdictCount; ++i) std::fscanf(in, "%d", &r.traps.counts[i]);
    std::fscanf(in, "%lg %lg %lg %d %u %4095s %d", &r.unusedFloor, &r.raggedness, &r.corridorShare, &leaves, &r.ideas,
                solution, &c.level.keeper);
    r.boxLeavesGoal = leaves;
    r.solution = solution;
    r.solved = true;
    int n, cell;
    std::fscanf(in, "%d", &n);
    for (int i = 0; i < n; ++i) {
        std::fscanf(in, "%d", &cell);
        c.level.wall[cell] = 0;
    }
    std::fscanf(in, "%d", &n);
    for (int i = 0; i < n; ++i) {
        std::fscanf(in, "%d", &cell);
        c.level.goal[cell] = 1;
    }
    std::fscanf(in, "%d", &n);
    for (int i = 0; i < n; ++i) {
        std::fscanf(in, "%d", &cell);
        c.level.boxes.push_back(cell);
    }
    c.stage = DrawStage::Accepted;
    return true;
}

// ---- choosing the levels ----

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

class SetBuilder {
public:
    int size() const { return static_cast<int>(chosen_.size()); }
    const std::vector<const Candidate*>& chosen() const { return chosen_; }

    // Whether the candidate can be level size() + 1: its own limits there, the effort rule against the
    // five before it, and no floor like one already chosen.
    bool fits(const Candidate& candidate) const {
        const int number = size() + 1;
        if (!levelProblems(number, candidate.rating).empty()) return false;
        if (size() >= 5) {
            std::vector<double> before;
            for (int i = size() - 5; i < size(); ++i)
                before.push_back(static_cast<double>(chosen_[i]->rating.statesExpanded));
            if (static_cast<double>(candidate.rating.statesExpanded) < 0.5 * medianOf(before)) return false;
        }
        return !overlapsChosen(candidate);
    }

    bool overlapsChosen(const Candidate& candidate) const {
        for (const Candidate* other : chosen_) {
            if (floorOverlap(candidate.level, other->level) >= kMostOverlap) return true;
        }
        return false;
    }

    void add(const Candidate& candidate) { chosen_.push_back(&candidate); }
    void removeLast() { chosen_.pop_back(); }
    int leaving() const {
        int count = 0;
        for (const Candidate* candidate : chosen_) count += candidate->rating.boxLeavesGoal ? 1 : 0;
        return count;
    }

private:
    std::vector<const Candidate*> chosen_;
};

// Levels 1 to 8: each brings one idea no level before it held, in the order of the ideas where the pool
// allows, otherwise in another (a search that backs up when it runs out of candidates). For each idea the
// plainest level that teaches it: the fewest boxes, then pushes, then effort.
bool chooseTeachingLevels(const std::vector<Candidate>& pool, SetBuilder& set, unsigned held) {
    if (set.size() == kTeachingLevels) return true;
    for (int idea = 0; idea < kIdeaCount; ++idea) {
        if ((held >> idea & 1u) != 0) continue;
        const Candidate* best = nullptr;
        auto key = [](const Candidate& candidate) {
            return std::make_tuple(candidate.rating.boxes, candidate.rating.pushes,
                                   candidate.rating.statesExpanded);
        };
        for (const Candidate& candidate : pool) {
            if (newIdea(candidate.rating.ideas, held) != idea || !set.fits(candidate)) continue;
            if (best == nullptr || key(candidate) < key(*best)) best = &candidate;
        }
        if (best == nullptr) continue;
        set.add(*best);
        if (chooseTeachingLevels(pool, set, held | best->rating.ideas)) return true;
        set.removeLast();
    }
    return false;
}

// One band: levels spread evenly over the scores the pools offer, each the nearest fitting candidate to
// its target score, boxes that must leave a goal at evenly spread places; then ordered by score.
bool chooseBand(int band, const std::vector<const Candidate*>& pool, int leavingWanted, SetBuilder& set,
                const Candidate* finale) {
    const int first = std::max(kBands[band].first, set.size() + 1);
    const int slots = kBands[band].last - first + 1 - (finale != nullptr ? 1 : 0);
    std::vector<const Candidate*> eligible;
    for (const Candidate* candidate : pool) {
        if (candidate == finale) continue;
        if (finale != nullptr && (candidate->rating.score() >= finale->rating.score() ||
                                  candidate->rating.statesExpanded >= finale->rating.statesExpanded))
            continue;
        if (levelProblems(kBands[band].last, candidate->rating).empty()) eligible.push_back(candidate);
    }
    std::stable_sort(eligible.begin(), eligible.end(), [](const Candidate* a, const Candidate* b) {
        return a->rating.score() < b->rating.score();
    });
    if (static_cast<int>(eligible.size()) < slots) return false;
    const double low = eligible[eligible.size() / 5]->rating.score();
    const double high = eligible.back()->rating.score();
    std::vector<const Candidate*> used;
    int leavingLeft = leavingWanted;
    // Candidates not yet used at or above a score: a pick must leave enough for the slots after it.
    auto leftAbove = [&](double score) {
        int count = 0;
        for (const Candidate* candidate : eligible) {
            if (candidate->rating.score() >= score && std::find(used.begin(), used.end(), candidate) == used.end())
                ++count;
        }
        return count;
    };
    for (int slot = 0; slot < slots; ++slot) {
        const double target = low + (high - low) * slot / std::max(1, slots - 1);
        const bool wantLeaving =
            leavingLeft > 0 && (slot + 1) * leavingWanted / slots > slot * leavingWanted / slots;
        const Candidate* best = nullptr;
        for (int pass = 0; pass < 2 && best == nullptr; ++pass) {
            for (const Candidate* candidate : eligible) {
                if (std::find(used.begin(), used.end(), candidate) != used.end()) continue;
                if (pass == 0 && wantLeaving && !candidate->rating.boxLeavesGoal) continue;
                const bool follows = set.size() > kTeachingLevels && bandOf(set.size()) == band;
                if (follows && candidate->rating.score() < set.chosen().back()->rating.score()) continue;
                if (leftAbove(candidate->rating.score()) < slots - slot) continue;
                if (!set.fits(*candidate)) continue;
                if (best == nullptr ||
                    std::fabs(candidate->rating.score() - target) < std::fabs(best->rating.score() - target))
                    best = candidate;
            }
        }
        if (best == nullptr) return false;
        if (best->rating.boxLeavesGoal) --leavingLeft;
        used.push_back(best);
        set.add(*best);
    }
    if (finale != nullptr) {
        if (!set.fits(*finale)) return false;
        set.add(*finale);
    }
    return true;
}

}  // namespace

// ---- the file ----

std::string generateLevelSet(std::uint64_t seed, int threads, std::FILE* progress) {
    std::vector<std::vector<Candidate>> pools;
    const char* only = std::getenv("TARMELO_GENERATOR_POOL");
    const char* cache = std::getenv("TARMELO_GENERATOR_CACHE");
    std::FILE* cached = cache != nullptr ? std::fopen(cache, "r") : nullptr;
    if (cached != nullptr) {
        pools.resize(std::size(kPools));
        int pool = 0;
        Candidate candidate;
        while (loadCandidate(cached, pool, candidate)) {
            pools[pool].push_back(std::move(candidate));
            candidate = Candidate{};
        }
        std::fclose(cached);
    } else {
        for (int pool = 0; pool < static_cast<int>(std::size(kPools)); ++pool) {
            if (only != nullptr && std::atoi(only) != pool) {
                pools.emplace_back();
                continue;
            }
            pools.push_back(drawPool(seed, pool, std::max(1, threads), progress));
        }
        if (cache != nullptr) {
            std::FILE* out = std::fopen(cache, "w");
            for (int pool = 0; pool < static_cast<int>(pools.size()); ++pool)
                for (const Candidate& candidate : pools[pool]) saveCandidate(out, pool, candidate);
            std::fclose(out);
        }
    }

    SetBuilder set;
    if (!chooseTeachingLevels(pools[kTeachingPool], set, 0)) {
        if (progress != nullptr) std::fprintf(progress, "no teaching level for idea %d\n", set.size() + 1);
        return {};
    }
    // Every pool may give levels to any band whose limits they meet.
    std::vector<const Candidate*> all;
    for (const auto& pool : pools) {
        for (const Candidate& candidate : pool) all.push_back(&candidate);
    }
    // The finale: the hardest of the last band's candidates by score, then by effort.
    const Candidate* finale = nullptr;
    for (const Candidate* candidate : all) {
        if (!levelProblems(kSetLevels, candidate->rating).empty()) continue;
        if (finale == nullptr || candidate->rating.score() > finale->rating.score()) finale = candidate;
    }
    const int leavingPerBand[kBandCount] = {1, 4, 4, 3};
    for (int band = 0; band < kBandCount; ++band) {
        if (!chooseBand(band, all, leavingPerBand[band], set, band == kBandCount - 1 ? finale : nullptr)) {
            if (progress != nullptr)
                std::fprintf(progress, "band %d: no level fits at %d\n", band + 1, set.size() + 1);
            return {};
        }
    }

    std::string text =
        "Classic\nLevels made for TARMELO 3D by its level generator (tarmelo-levels generate --seed " +
        std::to_string(seed) + "): eight first lessons, then four bands from easy to hardest.\n";
    int number = 0;
    for (const Candidate* candidate : set.chosen()) {
        ++number;
        text += "\n; " + std::to_string(number) + "\n";
        for (const std::string& row : levelRows(candidate->level)) text += row + "\n";
        if (progress != nullptr) {
            const LevelRating& rating = candidate->rating;
            std::fprintf(progress,
                         "level %d: boxes %d, %d pushes, %zu expanded, %.2f traps per push, score %.1f\n",
                         number, rating.boxes, rating.pushes, rating.statesExpanded,
                         rating.traps.trapsPerPush(), rating.score());
        }
    }
    return text;
}
