#pragma once

#include <string>
#include <vector>

#include "levels/rating/level_rating.h"

// The audit of a shipped set: every level playable and closed, its fewest pushes confirmed by a
// breadth-first search, every level within the limits of its place, and the rules over the whole set.

struct LevelAudit {
    int number = 0;
    LevelRating rating;
    int breadthFirstPushes = -1;  // -1 when the breadth-first search did not finish
    std::vector<std::string> problems;
};

struct SetAudit {
    bool readable = false;
    std::vector<LevelAudit> levels;
    std::vector<std::string> setProblems;
    int problemCount() const;
};

// threads: levels rated at once.
SetAudit auditLevelFile(const std::string& path, int threads);
