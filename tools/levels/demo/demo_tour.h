#pragma once

#include <optional>
#include <string>

#include "core/board.h"

// The keeper's walk before the demo plays its solution, so that the show first looks round the level: each
// step on to the neighbouring cell he stood on least lately (straight on when that is a tie), which takes
// him past every cell he can reach, round the boxes and goals, and never back the way he came but out of a
// dead end. Boxes count as walls: nothing is pushed. Once the way on to the cell (endX, endY) makes the
// walk at least minSteps steps long, a shortest way there ends it. Walk letters u d l r; nothing when the
// end cell cannot be walked to.
std::optional<std::string> demoTour(const Board& board, const Player& player, int minSteps, int endX,
                                    int endY);
