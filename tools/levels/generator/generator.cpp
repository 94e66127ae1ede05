#include "levels/generator/generator.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <tuple>
#include <vector>

#include "levels/generator/candidate.h"
#include "levels/generator/room.h"
#include "levels/rating/floor_shape.h"
#include "levels/rating/set_rules.h"

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
// percent, starts tried, climb steps and work, and the level numbers whose limits a candidate must meet
// (the ends of bands, where the limits are highest).
// The teaching pool is drawn whole: its choice is by idea, not by score.
// clang-format off
const Pool kPools[] = {
    {"teaching", 3000, 0, {{6, 16, 0, 20}, 1, 3, 2, 20, 0, 100000, 0, false, 0.0, 40, 1, 30, 100000, {1, kBands[0].last}}},
    {"band 1", 3000, 30, {{7, 12, 5, 20}, 2, 3, 8, 20, 0, 100000, 0, true, 0.3, 30, 3, 30, 200000, {kBands[0].last, 0}}},
    {"band 2", 5000, 40, {{6, 10, 5, 25}, 3, 5, 20, 50, 0, 150000, 0, true, 0.6, 30, 4, 80, 500000, {kBands[1].last, kBands[2].last}}},
    {"band 3", 3000, 34, {{6, 10, 10, 25}, 4, 6, 30, 50, 0, 100000, 0, true, 0.6, 30, 4, 150, 1000000, {kBands[2].last, 0}}},
    {"band 4", 2000, 13, {{5, 8, 10, 25}, 5, 7, 15, 0, 0, 100000, 3000, true, 0.6, 30, 4, 300, 1500000, {kBands[2].last, kBands[3].last}}},
};
// clang-format on
constexpr int kTeachingPool = 0;

// ---- drawing a pool, on as many threads as asked; candidate i always comes from the same seed ----

std::vector<Candidate> drawPool(std::uint64_t seed, int poolIndex, int threads, std::FILE* progress) {
    const Pool& pool = kPools[poolIndex];
    const auto started = std::chrono::steady_clock::now();
    const int candidates = pool.candidates;
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

// ---- choosing the levels ----

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

std::vector<LevelRating> ratingsOf(const std::vector<const Candidate*>& chosen) {
    std::vector<LevelRating> ratings;
    for (const Candidate* candidate : chosen) ratings.push_back(candidate->rating);
    return ratings;
}

std::vector<SolverLevel> levelsOf(const std::vector<const Candidate*>& chosen) {
    std::vector<SolverLevel> levels;
    for (const Candidate* candidate : chosen) levels.push_back(candidate->level);
    return levels;
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
        for (const Candidate* other : reserved_) {
            if (other != &candidate && floorOverlap(candidate.level, other->level) >= kMostOverlap)
                return true;
        }
        return false;
    }

    // Candidates kept for a later band: no level before them may look like them.
    void reserve(const std::vector<const Candidate*>& candidates) { reserved_ = candidates; }

    void add(const Candidate& candidate) { chosen_.push_back(&candidate); }
    void removeLast() { chosen_.pop_back(); }
    int leaving() const {
        int count = 0;
        for (const Candidate* candidate : chosen_) count += candidate->rating.boxLeavesGoal ? 1 : 0;
        return count;
    }

private:
    std::vector<const Candidate*> chosen_;
    std::vector<const Candidate*> reserved_;
};

// Levels 1 to 8: each brings one idea no level before it held, in the order of the ideas where the pool
// allows, otherwise in another (a search that backs up when it runs out of candidates). For each idea the
// plainest level that teaches it: the fewest boxes, then pushes, then effort.
bool chooseTeachingLevels(const std::vector<Candidate>& pool, SetBuilder& set, unsigned held) {
    if (set.size() == kTeachingLevels) return true;
    // Boxes moved in turns come before the ideas that need two boxes, so that those levels may need it too
    // and few of the first levels are solved one box at a time.
    constexpr Idea kTeachingOrder[] = {Idea::Corner,         Idea::WallLine,     Idea::CorridorBlock,
                                       Idea::HiddenDeadlock, Idea::Parking,      Idea::Freeze,
                                       Idea::FillingOrder,   Idea::BoxOffItsGoal};
    static_assert(std::size(kTeachingOrder) == kIdeaCount, "every idea has its place");
    for (const Idea taught : kTeachingOrder) {
        const int idea = static_cast<int>(taught);
        if ((held >> idea & 1u) != 0) continue;
        const Candidate* best = nullptr;
        auto key = [](const Candidate& candidate) {
            const bool oneAtATime = candidate.rating.boxes > 1 && candidate.rating.order.oneAtATime;
            return std::make_tuple(oneAtATime, candidate.rating.boxes, candidate.rating.pushes,
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

// One band: levels spread over the scores the pools offer (stretch 1: the whole range, 0: as low as
// they go), each the nearest fitting candidate to its target score, one whose box must leave its goal
// taken when it lies as near, while the band still wants some; ordered by score.
bool chooseBand(int band, const std::vector<const Candidate*>& eligible, double stretch, int leavingWanted,
                SetBuilder& set, const Candidate* finale) {
    const bool last = band == kBandCount - 1;
    const int first = std::max(kBands[band].first, set.size() + 1);
    const int slots = kBands[band].last - first + 1 - (last ? 1 : 0);
    if (static_cast<int>(eligible.size()) < slots) return false;
    const double low = eligible[eligible.size() / 5]->rating.score();
    const double high = low + stretch * (eligible.back()->rating.score() - low);
    const double step = (high - low) / std::max(1, slots - 1);
    std::vector<const Candidate*> used;
    int leavingLeft = leavingWanted;
    // Candidates not yet used at or above a score: a pick must leave enough for the slots after it.
    auto leftAbove = [&](double score) {
        int count = 0;
        for (const Candidate* candidate : eligible) {
            if (candidate->rating.score() >= score &&
                std::find(used.begin(), used.end(), candidate) == used.end())
                ++count;
        }
        return count;
    };
    for (int slot = 0; slot < slots; ++slot) {
        const double target = low + step * slot;
        const Candidate* best = nullptr;
        for (int pass = leavingLeft > 0 ? 0 : 1; pass < 2 && best == nullptr; ++pass) {
            for (const Candidate* candidate : eligible) {
                const double distance = std::fabs(candidate->rating.score() - target);
                if (std::find(used.begin(), used.end(), candidate) != used.end()) continue;
                if (pass == 0 && (!candidate->rating.boxLeavesGoal || distance > std::max(step, 0.5)))
                    continue;
                const bool follows = set.size() > kTeachingLevels && bandOf(set.size()) == band;
                if (follows && candidate->rating.score() < set.chosen().back()->rating.score()) continue;
                if (leftAbove(candidate->rating.score()) < slots - slot) continue;
                if (!set.fits(*candidate)) continue;
                if (best == nullptr || distance < std::fabs(best->rating.score() - target)) best = candidate;
            }
        }
        if (best == nullptr) {
            for (int i = 0; i < slot; ++i) set.removeLast();
            return false;
        }
        if (best->rating.boxLeavesGoal) --leavingLeft;
        used.push_back(best);
        set.add(*best);
    }
    if (last) {
        if (!set.fits(*finale)) {
            for (int i = 0; i < slots; ++i) set.removeLast();
            return false;
        }
        set.add(*finale);
    }
    return true;
}

// The candidates that can take any place of a band: its limits at its last level, and below the finale
// by score and by effort, since nothing before it may be as hard.
std::vector<const Candidate*> eligibleFor(int band, const std::vector<const Candidate*>& pool,
                                          const Candidate* finale) {
    std::vector<const Candidate*> eligible;
    for (const Candidate* candidate : pool) {
        if (candidate == finale || candidate->rating.score() >= finale->rating.score() ||
            candidate->rating.statesExpanded >= finale->rating.statesExpanded)
            continue;
        if (levelProblems(kBands[band].last, candidate->rating).empty()) eligible.push_back(candidate);
    }
    std::stable_sort(eligible.begin(), eligible.end(), [](const Candidate* a, const Candidate* b) {
        return a->rating.score() < b->rating.score();
    });
    return eligible;
}

}  // namespace

// ---- the file ----

std::string generateLevelSet(std::uint64_t seed, int threads, std::FILE* progress) {
    std::vector<std::vector<Candidate>> pools;
    for (int pool = 0; pool < static_cast<int>(std::size(kPools)); ++pool)
        pools.push_back(drawPool(seed, pool, std::max(1, threads), progress));

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
    // The finale: of the last band's candidates the one that leaves the most others below it by score
    // and by effort, so that the rest of the set has the most to choose from.
    const Candidate* finale = nullptr;
    int finaleLeaves = -1;
    for (const Candidate* candidate : all) {
        if (!levelProblems(kSetLevels, candidate->rating).empty()) continue;
        int below = 0;
        for (const Candidate* other : all) {
            below += other->rating.score() < candidate->rating.score() &&
                             other->rating.statesExpanded < candidate->rating.statesExpanded
                         ? 1
                         : 0;
        }
        if (below > finaleLeaves) {
            finale = candidate;
            finaleLeaves = below;
        }
    }
    if (finale == nullptr) {
        if (progress != nullptr) std::fprintf(progress, "no candidate for the last level\n");
        return {};
    }
    // The last band has the fewest candidates: the bands before it leave their floors alone.
    // Its levels are picked first, the hardest that do not look alike, and kept for it.
    const int lastSlots = kBands[kBandCount - 1].last - kBands[kBandCount - 1].first;
    std::vector<const Candidate*> lastBand{finale};
    const std::vector<const Candidate*> lastEligible = eligibleFor(kBandCount - 1, all, finale);
    for (auto it = lastEligible.rbegin();
         it != lastEligible.rend() && static_cast<int>(lastBand.size()) <= lastSlots; ++it) {
        bool alike = false;
        for (const Candidate* kept : lastBand)
            alike = alike || floorOverlap((*it)->level, kept->level) >= kMostOverlap;
        if (!alike) lastBand.push_back(*it);
    }
    set.reserve(lastBand);
    const int leavingPerBand[kBandCount] = {1, 4, 5, 2};
    for (int band = 0; band < kBandCount; ++band) {
        std::vector<const Candidate*> eligible = eligibleFor(band, all, finale);
        eligible.erase(std::remove_if(eligible.begin(), eligible.end(),
                                      [&](const Candidate* candidate) {
                                          return std::find(lastBand.begin(), lastBand.end(), candidate) !=
                                                 lastBand.end();
                                      }),
                       eligible.end());
        if (band == kBandCount - 1) {
            eligible.assign(lastBand.begin() + 1, lastBand.end());
            std::stable_sort(eligible.begin(), eligible.end(), [](const Candidate* a, const Candidate* b) {
                return a->rating.score() < b->rating.score();
            });
        }
        bool chosen = false;
        for (int tenths = 10; tenths >= 0 && !chosen; --tenths)
            chosen = chooseBand(band, eligible, tenths / 10.0, leavingPerBand[band], set, finale);
        if (!chosen) {
            if (progress != nullptr)
                std::fprintf(progress, "band %d: %zu candidates, no level fits at %d\n", band + 1,
                             eligible.size(), set.size() + 1);
            return {};
        }
    }
    const std::vector<std::string> problems = setProblems(ratingsOf(set.chosen()), levelsOf(set.chosen()));
    if (!problems.empty()) {
        if (progress != nullptr) {
            for (const std::string& problem : problems) std::fprintf(progress, "set: %s\n", problem.c_str());
        }
        return {};
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
