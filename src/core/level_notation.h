#pragma once

#include <string>
#include <string_view>
#include <vector>

// One line of a level collection read as board rows: the characters, their synonyms and the run-length
// notation, expanded into canonical rows ("#", " ", ".", "$", "*", "@", "+"). The collection reader
// decides what a line is; this only spells it out.

constexpr int kMaxRunLength = 999;  // a larger count makes the line text: no board needs one
constexpr int kMaxGroupDepth = 8;   // "(" inside "(" ...: a deeper line is text
constexpr int kTabWidth = 8;        // a tab in a row is floor up to the next multiple of 8 columns

// The rows of one board, gathered line by line. Empty rows at either end are dropped (they are floor outside
// the level and would only move it), and no more than the grid's rows are kept: a taller board is only
// counted.
struct BoardRows {
    std::vector<std::string> rows;  // canonical, without trailing floor; at most kBoardHeight
    int rowCount = 0;               // rows so far without the dropped ones, kept or not (stops at a limit)
    int emptyRowsPending = 0;       // empty rows read since the last row with a cell, kept if one follows
    bool tooWide = false;           // a row reached past the last column; it holds what was read before
};

// Reads a line (its trailing spaces, tabs and carriage returns already cut) as board rows, "|" between
// them, and adds them to board. False, with board unchanged, when the line is not a board line: a
// character outside the notation, no "#" at all, or run lengths that do not read (a count without a
// character after it, a count of 0 or above kMaxRunLength, unbalanced or too deeply nested brackets, a
// tab inside brackets or after a count). Run lengths never expand past the grid, so a line costs time
// and memory in proportion to its own length whatever its counts say.
bool readBoardLine(std::string_view line, BoardRows& board);
