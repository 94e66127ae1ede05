#include "core/level_notation.h"

#include <algorithm>
#include <cstdint>

#include "core/board.h"

namespace {

// Floor beyond this is as good as endless: anything after it no longer fits the grid.
constexpr std::uint64_t kFloorLimit = kBoardWidth + 1;

// A stretch of a row as it expands. Trailing floor is only counted, so that a long run of floor costs
// nothing and vanishes at the end of the row as trailing spaces do.
struct Segment {
    std::string cells;                // ends in a cell other than floor, or is empty
    std::uint64_t trailingFloor = 0;  // floor cells after cells, at most kFloorLimit
    bool tooWide = false;

    std::uint64_t width() const { return cells.size() + trailingFloor; }
};

// The canonical cell a notation character spells; 0 for a character that is none.
char canonicalCell(char c) {
    switch (c) {
        case '#':
        case '.':
        case '$':
        case '*':
        case '@':
        case '+':
            return c;
        case ' ':
        case '-':
        case '_':
            return ' ';
        case 'b':
            return '$';
        case 'B':
            return '*';
        case 'p':
            return '@';
        case 'P':
            return '+';
        default:
            return 0;
    }
}

void appendFloor(Segment& segment, std::uint64_t count) {
    segment.trailingFloor = std::min(segment.trailingFloor + count, kFloorLimit);
}

void appendCells(Segment& segment, char cell, int count) {
    if (cell == ' ') return appendFloor(segment, static_cast<std::uint64_t>(count));
    if (segment.tooWide) return;
    if (segment.width() + static_cast<std::uint64_t>(count) > kBoardWidth) {
        segment.tooWide = true;
        return;
    }
    if (segment.trailingFloor > 0) segment.cells.append(segment.trailingFloor, ' ');
    segment.trailingFloor = 0;
    if (count == 1) {
        segment.cells.push_back(cell);
    } else {
        segment.cells.append(static_cast<std::size_t>(count), cell);
    }
}

// Each repetition of a group with a cell in it widens the row by at least one cell, so this loops at most
// kBoardWidth + 1 times; a group of floor alone is only counted.
void appendRepeated(Segment& segment, const Segment& part, int count) {
    if (part.tooWide) segment.tooWide = true;
    if (part.cells.empty())
        return appendFloor(segment, part.trailingFloor * static_cast<std::uint64_t>(count));
    for (int i = 0; i < count && !segment.tooWide; ++i) {
        if (segment.width() + part.cells.size() > kBoardWidth) {
            segment.tooWide = true;
            return;
        }
        segment.cells.append(segment.trailingFloor, ' ');
        segment.cells += part.cells;
        segment.trailingFloor = part.trailingFloor;
    }
}

struct LineReader {
    std::string_view line;
    std::size_t at = 0;

    bool atEnd() const { return at >= line.size(); }
    char next() const { return line[at]; }
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A count in front of a cell or a group; 1 when there is none. False for a count out of range.
bool readCount(LineReader& reader, int& count, bool& counted) {
    count = 1;
    counted = false;
    if (reader.atEnd() || !isDigit(reader.next())) return true;
    int value = 0;
    while (!reader.atEnd() && isDigit(reader.next())) {
        value = std::min(value * 10 + (reader.next() - '0'), kMaxRunLength + 1);
        ++reader.at;
    }
    count = value;
    counted = true;
    return value >= 1 && value <= kMaxRunLength;
}

// Reads cells and groups into segment up to the end of the line, a "|" or the ")" closing the group.
bool readItems(LineReader& reader, int depth, Segment& segment) {
    while (!reader.atEnd() && reader.next() != '|' && reader.next() != ')') {
        int count = 1;
        bool counted = false;
        if (!readCount(reader, count, counted) || reader.atEnd()) return false;
        const char c = reader.next();
        ++reader.at;
        if (c == '(') {
            if (depth >= kMaxGroupDepth) return false;
            Segment group;
            if (!readItems(reader, depth + 1, group) || reader.atEnd() || reader.next() != ')') return false;
            ++reader.at;
            appendRepeated(segment, group, count);
        } else if (c == '\t') {
            // A tab is where the writer's editor would show it; inside a repeated group it has no one place.
            if (counted || depth > 0) return false;
            appendFloor(segment, kTabWidth - segment.width() % kTabWidth);
        } else {
            const char cell = canonicalCell(c);
            if (cell == 0) return false;
            appendCells(segment, cell, count);
        }
    }
    return true;
}

// Adds one row read to the board's rows, dropping empty rows at either end.
void addRow(BoardRows& board, Segment&& row) {
    constexpr int kCountLimit = kBoardHeight + 1;  // enough to tell a board too tall
    if (row.tooWide) board.tooWide = true;
    if (row.cells.empty()) {
        if (board.rowCount > 0) board.emptyRowsPending = std::min(board.emptyRowsPending + 1, kCountLimit);
        return;
    }
    for (int i = 0; i <= board.emptyRowsPending; ++i) {
        std::string cells = i < board.emptyRowsPending ? std::string() : std::move(row.cells);
        if (static_cast<int>(board.rows.size()) < kBoardHeight) board.rows.push_back(std::move(cells));
        board.rowCount = std::min(board.rowCount + 1, kCountLimit);
    }
    board.emptyRowsPending = 0;
}

// Reads the line's rows into board, or with no board only tells whether they read.
bool readRows(std::string_view line, BoardRows* board) {
    LineReader reader{line};
    for (;;) {
        Segment segment;
        if (!readItems(reader, 0, segment)) return false;
        if (board != nullptr) addRow(*board, std::move(segment));
        if (reader.atEnd()) return true;
        if (reader.next() == ')') return false;
        ++reader.at;  // the "|" between two rows
    }
}

}  // namespace

bool readBoardLine(std::string_view line, BoardRows& board) {
    if (line.find('#') == std::string_view::npos || !readRows(line, nullptr)) return false;
    return readRows(line, &board);
}
