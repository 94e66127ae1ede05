#pragma once

#include <string>
#include <vector>

#include "levels/rating/level_rating.h"

// The rate command's output: one line per level, then figures over the whole set.

std::string ratingHeader();
// earlierIdeas: the ideas the levels before this one held, for the idea column.
std::string ratingRow(int number, const LevelRating& rating, unsigned earlierIdeas);
std::string ratingSummary(const std::vector<LevelRating>& ratings);
