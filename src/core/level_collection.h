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
//
// How a file is read:
// - A board row is a line of notation characters, run-length digits, brackets, "|" and tabs with at least
//   one "#" whose run lengths read (level_notation.h). Any other non-blank line is text, so a line of
//   digits or dashes alone is text. A level is a run of consecutive board lines.
// - Column 0 is a line's first character: leading spaces are floor. A tab is floor up to the next
//   multiple of 8 columns, as an editor shows it.
// - "Title:", "Author:" and "Collection:" lines are recognised in any letter case. A "Title:" or
//   "Author:" line after a board belongs to that board, up to the next board; the first one wins.
// - Lines starting with ";" or "::" are comments. The last ";" comment before a board gives its name
//   ("; 12" names level 12 in Classic.lvt).
// - A level without a "Title:" line after it takes the last text line before it (back to the previous
//   board) that holds a letter or a digit and is none of the above: never a comment, an "Author:" line
//   or a separator of dashes.
// - Before the first board, only the lines right below the last blank line speak for the first level;
//   everything above is the file's description.
// - A "Collection:" line anywhere names the file; the first one wins.

// Why a level cannot be played here; None for a playable level.
enum class LevelProblem {
    None,
    TooWide,       // more than kBoardWidth columns
    TooTall,       // more than kBoardHeight rows
    TooManyBoxes,  // more than kMaxBoxes
    NoKeeper,
    SeveralKeepers,
    BoxesAndGoalsDiffer,  // the numbers of boxes and goals differ
    OpenFloor,            // the floor the keeper reaches (through boxes) is not closed by walls
    NothingToDo,          // every box already stands on a goal (or there is none)
};

// A short English text for lists and the level tool: "wider than 32 cells", ...
const char* levelProblemText(LevelProblem problem);

struct CollectionLevel {
    std::string title;  // "Title: ..." after the board, else the last text line before it; "" for none
    std::string
        author;        // "Author: ..." after the board (for the first board also right above it); "" for none
    std::string name;  // the text of the last ";" comment before the board ("" for none): "1" for "; 1"
    // The board as canonical rows: only "#", " ", ".", "$", "*", "@", "+"; run lengths expanded, floor
    // synonyms and "p"/"P"/"b"/"B" mapped, trailing spaces dropped, empty rows at the top and bottom dropped.
    // A level too wide or too tall keeps only the part that fits the grid.
    std::vector<std::string> rows;
    LevelProblem problem = LevelProblem::None;
    int firstLine = 0;  // the file's line (from 1) where the board starts, for messages
};

// The most levels read from one file; the rest of a longer one is left unread. The largest collections
// players share hold a few thousand, and the memory of a level is bounded by the grid, so this bounds a
// file's memory whatever it holds (a file of nothing but tiny boards among them).
constexpr std::size_t kMaxCollectionLevels = 50000;

struct LevelCollection {
    std::string title;                    // a "Collection: ..." line's text; "" when the file names none
    std::string description;              // the text before the first board, lines joined with "\n", trimmed
    std::vector<CollectionLevel> levels;  // every board of the file in order, playable or not
    bool cutShort = false;                // the file holds more than kMaxCollectionLevels boards
};

// Reads a whole collection from its bytes (LF or CRLF, an optional UTF-8 byte-order mark, tabs and
// trailing spaces anywhere). Never fails: a file with no board gives no levels. Time and memory grow
// with the length of the text only, whatever its run lengths say.
LevelCollection parseLevelCollection(std::string_view text);

// The first problem (in the order of LevelProblem) of a board given as canonical rows.
LevelProblem levelProblemOf(const std::vector<std::string>& rows);

// The identity of a board for progress records: a 64-bit hash of the canonical rows, so a collection
// reordered, renamed or moved keeps its marks, and a changed board is a new level. It is 64-bit FNV-1a
// over the rows joined by "\n" (no "\n" after the last). Progress files store it: never change it.
std::uint64_t boardHash(const std::vector<std::string>& rows);

// Puts a playable level on the board as the level file loader does (cells, boxes in row order, the keeper
// on its start cell; board.notFound cleared; no Player field but x and y changed). False, with the board
// cleared, notFound set and the keeper left where it was, for a level with a problem.
bool placeCollectionLevel(const CollectionLevel& level, Board& board, Player& player);

// The level in the notation, as the genre writes it: a "; name" line when it has a name, its rows, then
// "Title: ..." and "Author: ..." when it has them; every line ends in "\n". A row without a "#" (which
// alone on a line would read as text) joins its neighbour with "|". Read back, it gives the same level.
std::string formatCollectionLevel(const CollectionLevel& level);
