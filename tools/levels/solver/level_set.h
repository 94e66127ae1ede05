#pragma once

#include <string>
#include <vector>

#include "core/board.h"
#include "levels/solver/solver.h"

// A level file as the game's loader walks it: every level it counts, with its rows as written, and the
// verdict on each one.

struct LevelEntry {
    int number = 0;                 // counted from 1, as loadLevel counts
    std::string title;              // the last text line between the blank line and the rows, if any
    std::vector<std::string> rows;  // the rows as written, line terminators removed
};

// Lists the levels the loader counts, including those it would refuse to load. False when the file
// cannot be read.
bool scanLevelFile(const std::string& path, std::vector<LevelEntry>& levels);

// Loads level number of the file with the game's own loader. False when the loader finds no such level
// or refuses it.
bool loadLevelNumber(const std::string& path, int number, Board& board, Player& player);

enum class LevelProblem {
    None,
    RefusedByLoader,  // larger than the board or with more boxes than it holds
    NoKeeper,
    NoBoxes,  // counts as solved at once, and the level end waits forever for boxes to sink
    BoxesGoalsDiffer,
    NotClosed,  // the keeper can walk out of the level's rows
    NoSolution,
    Unsolved,  // the search gave up at its limit
};

struct LevelReport {
    int number = 0;
    int width = 0;   // longest row without trailing spaces, in cells
    int height = 0;  // rows
    int boxes = 0;
    int goals = 0;
    LevelProblem problem = LevelProblem::None;
    SolveResult solve;  // filled when the search ran
};

// Loads, inspects and (when playable) solves one level of the file.
LevelReport checkLevel(const std::string& path, const LevelEntry& entry, const SolveOptions& options);

// One line: "level N: W x H, boxes B, goals G, " and then the solution's length or the problem.
std::string describeReport(const LevelReport& report, const SolveOptions& options);

// Whether the keeper, walking from its start cell around walls only, stays on cells the level's rows
// spell out.
bool isClosedByWalls(const Board& board, const Player& player, const std::vector<std::string>& rows);
