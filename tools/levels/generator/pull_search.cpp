#include "levels/generator/pull_search.h"

#include <algorithm>
#include <cstdint>

#include "levels/solver/deadlock.h"
#include "levels/solver/state_store.h"

namespace {

constexpr std::size_t kFarthestKept = 64;

}  // namespace

std::vector<PulledStart> deepestStarts(const SolverLevel& level, const std::vector<int>& goals,
                                       Random& random, std::size_t beamWidth, std::size_t maxStates,
                                       int slack) {
    const int boxCount = static_cast<int>(goals.size());
    StateStore seen(boxCount);
    const DeadlockTables tables = buildDeadlockTables(level);
    KeeperReach reach;
    std::vector<std::uint16_t> state(static_cast<std::size_t>(boxCount) + 1);
    std::vector<std::uint8_t> boxAt(kSolverCellCount, 0);
    std::vector<int> boxes(goals);
    std::vector<std::int32_t> layer;  // indices into seen
    std::vector<std::vector<std::int32_t>> layers;

    auto add = [&](int keeper, std::vector<std::int32_t>& into) {
        const int reduced = reach.fill(level, boxAt, keeper);
        for (int i = 0; i < boxCount; ++i) state[i] = static_cast<std::uint16_t>(boxes[i]);
        std::sort(state.begin(), state.begin() + boxCount);
        state[boxCount] = static_cast<std::uint16_t>(reduced);
        bool added = false;
        const std::int32_t index = seen.findOrAdd(state.data(), added);
        if (added) into.push_back(index);
    };

    // The solved positions: every area the keeper can stand in with all boxes home.
    for (const int cell : boxes) boxAt[cell] = 1;
    for (int cell = 0; cell < kSolverCellCount; ++cell) {
        if (level.wall[cell] == 0 && boxAt[cell] == 0) add(cell, layer);
    }
    for (const int cell : boxes) boxAt[cell] = 0;

    KeeperReach here;
    while (!layer.empty()) {
        layers.push_back(layer);
        if (seen.size() >= maxStates) break;
        std::vector<std::int32_t> next;
        for (const std::int32_t index : layer) {
            const std::uint16_t* current = seen.state(index);
            boxes.assign(current, current + boxCount);
            const int keeper = current[boxCount];
            for (const int cell : boxes) boxAt[cell] = 1;
            here.fill(level, boxAt, keeper);
            for (int i = 0; i < boxCount; ++i) {
                const int box = boxes[i];
                for (const int step : kCellStep) {
                    const int stand = box + step;   // the keeper, next to the box
                    const int back = stand + step;  // where the keeper steps back to
                    if (!here.reached(stand) || level.wall[back] != 0 || boxAt[back] != 0) continue;
                    boxAt[box] = 0;
                    boxAt[stand] = 1;
                    boxes[i] = stand;
                    add(back, next);
                    boxes[i] = box;
                    boxAt[stand] = 0;
                    boxAt[box] = 1;
                }
            }
            for (const int cell : boxes) boxAt[cell] = 0;
        }
        if (beamWidth > 0 && next.size() > beamWidth) {
            // Keep the positions whose boxes are farthest from the goals by the matching bound, ties in
            // random order. Those left out stay marked as seen, so they cannot come back later at a depth
            // they do not have.
            std::vector<std::pair<std::uint64_t, std::int32_t>> ranked;
            for (const std::int32_t index : next) {
                const std::uint16_t* current = seen.state(index);
                boxes.assign(current, current + boxCount);
                const int bound = goalMatchingBound(tables, boxes);
                const std::uint64_t key =
                    (static_cast<std::uint64_t>(0xFFFF - std::max(0, bound)) << 48) | (random.next() >> 16);
                ranked.push_back({key, index});
            }
            std::sort(ranked.begin(), ranked.end());
            next.clear();
            for (std::size_t i = 0; i < beamWidth; ++i) next.push_back(ranked[i].second);
        }
        layer = std::move(next);
    }

    std::vector<PulledStart> starts;
    const int deepest = static_cast<int>(layers.size()) - 1;
    const int shallowest = beamWidth > 0 ? 0 : std::max(0, deepest - slack);
    for (int depth = shallowest; depth <= deepest; ++depth) {
        for (const std::int32_t index : layers[depth]) {
            const std::uint16_t* current = seen.state(index);
            PulledStart start{std::vector<int>(current, current + boxCount), current[boxCount], depth, 0, 0};
            boxes.assign(current, current + boxCount);
            start.bound = goalMatchingBound(tables, boxes);
            for (const int cell : start.boxes) start.boxesOnGoals += level.goal[cell];
            starts.push_back(std::move(start));
        }
    }
    if (beamWidth > 0) {
        // Cut down to a search's width: the positions farthest from solved by the bound are kept.
        std::stable_sort(starts.begin(), starts.end(),
                         [](const PulledStart& a, const PulledStart& b) { return a.bound > b.bound; });
        if (starts.size() > kFarthestKept) starts.resize(kFarthestKept);
    }
    return starts;
}
