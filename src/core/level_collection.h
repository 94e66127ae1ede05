#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/board.h"

// Level collections in the plain-text notation every game of the genre reads (files usually named *.xsb,
// *.sok or *.txt): boards of "#" wall, "@" keeper, "+" keeper on a goal, "$" box, "*" box on a goal, "."
// goal and floor (" ", "-" or "_"); "p"/"P" and "b"/"B" for the keeper and a box (on a goal when upper case);
// run lengths ("4#", "2(3(#-)#)") and "|" between rows on one line. Text around the boards names the
// levels and the file. Only bytes in, records out: no file access here.

// Why a level cannot be played here; None for a playable level.
enum class LevelProblem {
    None,
    TooWide,          // more than kBoardWidth columns
    TooTall,          // more than kBoardHeight rows
    TooManyBoxes,     // more than kMaxBoxes
    NoKeeper,
    SeveralKeepers,
    BoxesAndGoalsDiffer,  // the numbers of boxes and goals differ
    OpenFloor,        // the floor the keeper reaches (through boxes) is not closed by walls
    NothingToDo,      // every box already stands on a goal
};

// A short English text for lists and the level tool: "wider than 32 cells", ...
const char* levelProblemText(LevelProblem problem);

struct CollectionLevel {
    std::string title;   // "Title: ..." after the board, else the last text line before it; "" for none
    std::string author;  // "Author: ..." the same way; "" for none
    std::string name;    // the text of a "; N" comment line before the board ("" for none), as Classic uses
    // The board as canonical rows: only "#", " ", ".", "$", "*", "@", "+"; run lengths expanded, floor
    // synonyms and "p"/"P"/"b"/"B" mapped, trailing spaces dropped.
    std::vector<std::string> rows;
    LevelProblem problem = LevelProblem::None;
    int firstLine = 0;  // the file's line (from 1) where the board starts, for messages
};

struct LevelCollection {
    std::string title;        // a "Collection: ..." line's text; "" when the file names none
    std::string description;  // the text before the first board, lines joined with "\n", trimmed
    std::vector<CollectionLevel> levels;  // every board of the file in order, playable or not
};

// Reads a whole collection from its bytes (LF or CRLF, an optional UTF-8 byte-order mark, tabs and
// trailing spaces anywhere). Never fails: a file with no board gives no levels.
LevelCollection parseLevelCollection(std::string_view text);

// The identity of a board for progress records: a 64-bit hash of the canonical rows, so a collection
// reordered, renamed or moved keeps its marks, and a changed board is a new level.
std::uint64_t boardHash(const std::vector<std::string>& rows);

// Puts a playable level on the board as the level file loader does (cells, boxes in row order, the keeper
// on its start cell; board.notFound cleared). False, with the board cleared and notFound set, for a level
// with a problem.
bool placeCollectionLevel(const CollectionLevel& level, Board& board, Player& player);

// The level in the notation, as the genre writes it: its rows, then "Title: ..." when it has a title.
std::string formatCollectionLevel(const CollectionLevel& level);
