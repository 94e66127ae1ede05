#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/board.h"
#include "core/level_collection.h"
#include "levels/solver/solver.h"

// A level file and the verdict on each of its levels. The game's own set files (".lvt") are walked as the
// game's loader walks them; any other file is a collection in the genre's notation, read as the game reads
// a player's collection.

struct LevelEntry {
    int number = 0;                 // counted from 1, as loadLevel counts
    std::string title;              // the last text line between the blank line and the rows, if any
    std::vector<std::string> rows;  // the rows as written, line terminators removed
    // A level of a collection in the genre's notation, as the collection reader gave it (its rows are then
    // the canonical ones); none for a level of a game set file.
    std::optional<CollectionLevel> collected;
};

// Whether the file is one of the game's own set files, which the game reads with its level loader.
bool isGameSetFile(const std::string& path);

// Lists the levels of the file, including those the game would refuse to load. False when the file
// cannot be read.
bool scanLevelFile(const std::string& path, std::vector<LevelEntry>& levels);

// Loads level number of a game set file with the game's own loader. False when the loader finds no such
// level or refuses it.
bool loadLevelNumber(const std::string& path, int number, Board& board, Player& player);

// Loads a level listed by scanLevelFile as the game would: a collection's level as the game places it, a
// set file's with the loader. False when the game would refuse it.
bool loadEntry(const std::string& path, const LevelEntry& entry, Board& board, Player& player);

enum class CheckProblem {
    None,
    RefusedByLoader,  // larger than the board or with more boxes than it holds
    RefusedByReader,  // a collection's level the game cannot hold: LevelReport::readerProblem says why
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
    CheckProblem problem = CheckProblem::None;
    LevelProblem readerProblem = LevelProblem::None;
    std::string title;  // a collection's level's title, for the report line
    SolveResult solve;  // filled when the search ran
};

// Loads, inspects and (when playable) solves one level of the file.
LevelReport checkLevel(const std::string& path, const LevelEntry& entry, const SolveOptions& options);

// One line: "level N: W x H, boxes B, goals G, " (with a collection's level's title in quotes after its
// number) and then the solution's length or the problem.
std::string describeReport(const LevelReport& report, const SolveOptions& options);

// Whether the keeper, walking from its start cell around walls only, stays on cells the level's rows
// spell out.
bool isClosedByWalls(const Board& board, const Player& player, const std::vector<std::string>& rows);
