#pragma once

#include <optional>
#include <string_view>

#include "core/board.h"
#include "core/moves.h"

// Solutions as the genre writes them: one letter a move, "l", "r", "u", "d" for walks and upper case for
// pushes. A solution is kept as a record only when it solves its level played from the start, so a record
// never claims what its moves do not show.

// The direction of a move letter in either case; nothing for any other character.
std::optional<Direction> moveLetterDirection(char letter);

struct SolutionCount {
    int moves = 0;
    int pushes = 0;
};

// Plays the solution with the move rule from the level's start (the board and the keeper as loaded): every
// letter must move the keeper, an upper-case letter must push and a lower-case one must not. The counts
// when every letter did so and the level ends solved; nothing otherwise.
std::optional<SolutionCount> checkSolution(Board board, Player keeper, std::string_view solution);
