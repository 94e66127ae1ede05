#include "core/level_file.h"

#include <cstdint>

namespace {

// One line of a level file. Lines can be of any length, so only the first cells are kept; the two
// classifications are made over the whole line as it streams past.
struct FileLine {
    char cells[kBoardWidth];
    int keptLength = 0;          // characters kept in cells (at most kBoardWidth)
    bool onlySpaces = true;      // blank: nothing but spaces (or nothing at all)
    bool onlyLevelChars = true;  // every character is a level character
    bool fitsBoard = true;       // nothing but spaces beyond the last column

    bool isLevelLine() const { return !onlySpaces && onlyLevelChars; }
};

// Reads one line without its terminator. "\n" ends a line; a "\r" right before "\n" or before the end of
// the file belongs to the terminator, so files written with CRLF read like any other. Returns false when
// nothing was left to read. atEnd tells whether anything is left after this line, which is the
// end-of-file test the loader makes after each read.
bool readLine(std::FILE* file, FileLine& line, bool& atEnd) {
    line = FileLine{};
    int c = std::getc(file);
    if (c == EOF) {
        atEnd = true;
        return false;
    }
    int column = 0;
    for (;; c = std::getc(file)) {
        if (c == EOF) {
            atEnd = true;
            return true;
        }
        if (c == '\n') break;
        if (c == '\r') {
            const int next = std::getc(file);
            if (next == '\n') break;
            if (next == EOF) {
                atEnd = true;
                return true;
            }
            std::ungetc(next, file);
        }
        const char ch = static_cast<char>(c);
        if (ch != ' ') line.onlySpaces = false;
        if (!isLevelChar(ch)) line.onlyLevelChars = false;
        if (column < kBoardWidth) {
            line.cells[column++] = ch;
        } else if (ch != ' ') {
            line.fitsBoard = false;
        }
        line.keptLength = column;
    }
    const int next = std::getc(file);
    atEnd = next == EOF;
    if (!atEnd) std::ungetc(next, file);
    return true;
}

void clearBoard(Board& board) {
    for (auto& column : board.cells) {
        for (auto& cell : column) cell = Cell::Floor;
    }
    for (Box& box : board.boxes) box.active = 0;
    board.pastLastLevel = 0;
}

enum class RowResult { Fits, DoesNotFit };

// Writes one level row into the board: cell codes, the keeper's start cell and new boxes.
RowResult placeRow(Board& board, Player& player, const FileLine& line, int y, int& boxCount) {
    if (!line.fitsBoard || y >= kBoardHeight) return RowResult::DoesNotFit;
    for (int x = 0; x < line.keptLength; ++x) {
        const char ch = line.cells[x];
        board.cells[x][y] = (ch == '#')                             ? Cell::Wall
                            : (ch == '.' || ch == '+' || ch == '*') ? Cell::Goal
                                                                    : Cell::Floor;
        if (ch == '@' || ch == '+') {
            player.x = x;
            player.y = y;
        }
        if (ch == '$' || ch == '*') {
            if (boxCount >= kMaxBoxes) return RowResult::DoesNotFit;
            Box& box = board.boxes[boxCount++];
            box.x = x;
            box.y = y;
            box.active = kBoxActive;
        }
    }
    return RowResult::Fits;
}

void markNotFound(Board& board, Player& player, int keeperX, int keeperY) {
    clearBoard(board);
    player.x = keeperX;
    player.y = keeperY;
    board.notFound = 1;
}

// The file ended before the level asked for: past the set's last level, unless no such level can exist.
void markPastTheEnd(Board& board, Player& player, int keeperX, int keeperY, std::int64_t levelCount) {
    markNotFound(board, player, keeperX, keeperY);
    board.pastLastLevel = player.level > levelCount ? 1 : 0;
}

}  // namespace

bool isLevelChar(char c) {
    switch (c) {
        case '#':
        case ' ':
        case '$':
        case '.':
        case '*':
        case '@':
        case '+':
            return true;
        default:
            return false;
    }
}

bool isLevelLine(std::string_view line) {
    bool onlySpaces = true;
    for (const char c : line) {
        if (!isLevelChar(c)) return false;
        if (c != ' ') onlySpaces = false;
    }
    return !onlySpaces;
}

std::string levelFilePath(const std::string& setName) {
    return "levels/" + setName + ".lvt";
}

void loadLevel(Board& board, Player& player) {
    std::FILE* file = std::fopen(levelFilePath(player.setName).c_str(), "rb");
    if (file == nullptr) {
        clearBoard(board);
        board.notFound = 1;
        return;
    }
    loadLevelFromFile(board, player, file);
    std::fclose(file);
}

void loadLevelFromFile(Board& board, Player& player, std::FILE* file) {
    clearBoard(board);
    const int keeperX = player.x;
    const int keeperY = player.y;

    // Levels are counted in 64 bits so that no file, however long, can wrap the count onto a wanted level.
    std::int64_t levelCount = 0;
    FileLine line;
    bool atEnd = false;
    for (;;) {
        // Skip to a blank line: the header, and the rest of every level not wanted.
        do {
            if (!readLine(file, line, atEnd) || atEnd)
                return markPastTheEnd(board, player, keeperX, keeperY, levelCount);
        } while (!line.onlySpaces);
        // Skip title and comment lines up to the first row of the next level.
        do {
            if (!readLine(file, line, atEnd) || atEnd)
                return markPastTheEnd(board, player, keeperX, keeperY, levelCount);
        } while (!line.isLevelLine());
        ++levelCount;
        if (levelCount == player.level) break;
    }

    int y = 0;
    int boxCount = 0;
    for (;;) {
        if (placeRow(board, player, line, y, boxCount) == RowResult::DoesNotFit) {
            return markNotFound(board, player, keeperX, keeperY);
        }
        ++y;
        if (atEnd || !readLine(file, line, atEnd) || !line.isLevelLine()) break;
    }
    board.notFound = 0;
}
