#pragma once

#include <algorithm>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/board.h"
#include "core/board_builder.h"
#include "core/moves.h"

// The reference the solver is checked against: every position of a small level, found by playing every
// arrow key through the game's own tryMove, with no pruning and no cleverness. Positions are the keeper's
// cell and the sorted box cells.

struct Position {
    int keeperX = 0;
    int keeperY = 0;
    std::vector<std::pair<int, int>> boxes;  // (x, y), sorted
};

struct PositionGraph {
    Board board;  // the level as loaded; boxes and keeper at the start
    Player start;
    std::vector<Position> positions;
    std::vector<std::vector<std::pair<int, bool>>> moves;  // per position: (next position, was a push)
    std::vector<bool> solvable;                            // a solved position can be reached
    std::vector<int> fewestPushes;                         // to a solved position, -1 when none
};

// Small levels with corners, walls without goals and boxes that can block each other: the ground on which
// the solver and its pruning are compared with the exhaustive search.
inline const std::vector<std::string>& smallLevels() {
    static const std::vector<std::string> levels = {
        "######\n#    #\n# $$ #\n#. #.#\n#  @ #\n######\n",
        " #####\n##   #\n# $. #\n# $#.##\n#  @ #\n#    #\n######\n",
        "######\n#. . #\n# $$ #\n# $@.#\n######\n",
        "#######\n#.  $@#\n#  #  #\n#   $.#\n#######\n",
        "#######\n#  .  #\n# $#$ #\n#  .  #\n#@    #\n#######\n",
        "#######\n#@ $ .#\n# # # #\n# $   #\n#    .#\n#######\n",
        "######\n#@ $.#\n# $  #\n##  .#\n ## ##\n  ##\n",
    };
    return levels;
}

inline Position positionOf(const Board& board, const Player& player) {
    Position position{player.x, player.y, {}};
    for (const Box& box : board.boxes)
        if (box.active != 0) position.boxes.push_back({box.x, box.y});
    std::sort(position.boxes.begin(), position.boxes.end());
    return position;
}

inline void placePosition(Board& board, Player& player, const Position& position) {
    int index = 0;
    for (Box& box : board.boxes) {
        if (box.active == 0) continue;
        box.x = position.boxes[index].first;
        box.y = position.boxes[index].second;
        ++index;
    }
    player.x = position.keeperX;
    player.y = position.keeperY;
}

// A compact key for the lookup table: cells as bytes, keeper first.
inline std::string keyOf(const Position& position) {
    std::string key{static_cast<char>(position.keeperX), static_cast<char>(position.keeperY)};
    for (const auto& [x, y] : position.boxes) {
        key += static_cast<char>(x);
        key += static_cast<char>(y);
    }
    return key;
}

inline PositionGraph explorePositions(const std::string& rows) {
    PositionGraph graph;
    graph.board = boardFromRows(rows, graph.start);
    std::unordered_map<std::string, int> index;
    auto indexOf = [&](const Position& position) {
        const auto [found, added] = index.emplace(keyOf(position), static_cast<int>(graph.positions.size()));
        if (added) {
            graph.positions.push_back(position);
            graph.moves.emplace_back();
        }
        return found->second;
    };
    indexOf(positionOf(graph.board, graph.start));
    Board board = graph.board;
    Player player = graph.start;
    for (std::size_t at = 0; at < graph.positions.size(); ++at) {
        for (const Direction direction :
             {Direction::Up, Direction::Down, Direction::Left, Direction::Right}) {
            placePosition(board, player, graph.positions[at]);
            settleAll(board, player);
            const int steps = player.steps;
            tryMove(board, player, direction);
            if (player.steps == steps) continue;
            const Position after = positionOf(board, player);
            const bool push = after.boxes != graph.positions[at].boxes;
            const int next = indexOf(after);
            graph.moves[at].push_back({next, push});
        }
    }
    // Fewest pushes to a solved position: walks cost nothing, pushes one (0-1 breadth-first search over
    // the reversed moves, from every solved position at once).
    const std::size_t count = graph.positions.size();
    std::vector<std::vector<std::pair<int, bool>>> reversed(count);
    for (std::size_t from = 0; from < count; ++from)
        for (const auto& [to, push] : graph.moves[from])
            reversed[to].push_back({static_cast<int>(from), push});
    graph.fewestPushes.assign(count, -1);
    std::deque<int> queue;
    for (std::size_t at = 0; at < count; ++at) {
        placePosition(board, player, graph.positions[at]);
        if (isSolved(board)) {
            graph.fewestPushes[at] = 0;
            queue.push_back(static_cast<int>(at));
        }
    }
    std::vector<bool> done(count, false);
    while (!queue.empty()) {
        const int at = queue.front();
        queue.pop_front();
        if (done[at]) continue;
        done[at] = true;
        for (const auto& [from, push] : reversed[at]) {
            const int pushes = graph.fewestPushes[at] + (push ? 1 : 0);
            if (graph.fewestPushes[from] >= 0 && graph.fewestPushes[from] <= pushes) continue;
            graph.fewestPushes[from] = pushes;
            push ? queue.push_back(from) : queue.push_front(from);
        }
    }
    graph.solvable.resize(count);
    for (std::size_t at = 0; at < count; ++at) graph.solvable[at] = graph.fewestPushes[at] >= 0;
    return graph;
}
