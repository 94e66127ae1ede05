#include "core/level_collection.h"

#include <algorithm>
#include <cstddef>

#include "core/level_notation.h"

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view trimEnd(std::string_view text) {
    const std::size_t end = text.find_last_not_of(kBlanks);
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string_view trim(std::string_view text) {
    text = trimEnd(text);
    const std::size_t start = text.find_first_not_of(kBlanks);
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

char lowerCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "Title: x", "TITLE:x", ...: the text after the key's colon, trimmed.
bool readKeyedLine(std::string_view line, std::string_view key, std::string_view& value) {
    if (line.size() <= key.size() || line[key.size()] != ':') return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (lowerCase(line[i]) != key[i]) return false;
    }
    value = trim(line.substr(key.size() + 1));
    return true;
}

// A title is words or a number; a line of dashes, stars or equals signs only separates.
bool couldBeTitle(std::string_view line) {
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            byte >= 0x80)
            return true;
    }
    return false;
}

enum class LineKind { Blank, Board, Title, Author, Collection, Comment, Remark, Text };

struct ClassifiedLine {
    LineKind kind = LineKind::Blank;
    std::string_view value;  // the key's text, the comment's text, or the trimmed text line
};

// What a line is, its board rows already added to board when it is a board line.
ClassifiedLine classify(std::string_view line, BoardRows& board) {
    line = trimEnd(line);
    if (line.empty()) return {LineKind::Blank, {}};
    if (readBoardLine(line, board)) return {LineKind::Board, {}};
    const std::string_view text = trim(line);
    std::string_view value;
    if (text.substr(0, 2) == "::") return {LineKind::Remark, {}};
    if (text[0] == ';') return {LineKind::Comment, trim(text.substr(1))};
    if (readKeyedLine(text, "title", value)) return {LineKind::Title, value};
    if (readKeyedLine(text, "author", value)) return {LineKind::Author, value};
    if (readKeyedLine(text, "collection", value)) return {LineKind::Collection, value};
    return {LineKind::Text, text};
}

// What the text since the last board says about the next one.
struct LeadIn {
    std::string_view title;  // the last text line that could be a title
    std::string_view author;
    std::string_view name;
};

// The last level met, until the next board starts: its board lines, then the lines after them.
struct OpenLevel {
    BoardRows board;
    bool inBoard = false;      // its board lines are still coming
    bool titleTagged = false;  // a "Title:" line after the board gave the title
    bool authorTagged = false;
};

void finishBoard(CollectionLevel& level, OpenLevel& open) {
    BoardRows board = std::move(open.board);
    open.board = BoardRows{};
    open.inBoard = false;
    level.rows = std::move(board.rows);
    if (board.tooWide) {
        level.problem = LevelProblem::TooWide;
    } else if (board.rowCount > kBoardHeight) {
        level.problem = LevelProblem::TooTall;
    } else {
        level.problem = levelProblemOf(level.rows);
    }
}

// The line starting at start, without its "\n"; start moves past it.
std::string_view nextLine(std::string_view text, std::size_t& start) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    return line;
}

// The header's lines as the description: "Collection:" lines are the title, blank lines at either end go.
std::string describe(std::string_view header) {
    std::string description;
    std::size_t blankLinesHeld = 0;  // written only when text follows them
    for (std::size_t start = 0; start < header.size();) {
        const std::string_view line = trimEnd(nextLine(header, start));
        std::string_view value;
        if (readKeyedLine(trim(line), "collection", value)) continue;
        if (line.empty()) {
            blankLinesHeld += description.empty() ? 0 : 1;
            continue;
        }
        if (!description.empty()) description.append(blankLinesHeld + 1, '\n');
        blankLinesHeld = 0;
        description += line;
    }
    return description;
}

// Walks a board's floor from the keeper, through boxes; true when the walk leaves the rows' bounding box.
// Cells a short row does not spell are floor, as on the board.
bool floorIsOpen(const std::vector<std::string>& rows, int keeperX, int keeperY) {
    constexpr int kPadded = kBoardWidth + 2;
    const int height = static_cast<int>(rows.size());
    int width = 0;
    for (const std::string& row : rows) width = std::max(width, static_cast<int>(row.size()));
    // One cell of margin all round: reaching it is walking out.
    bool seen[kPadded][kBoardHeight + 2] = {};
    auto isWall = [&](int x, int y) {
        return y >= 0 && y < height && x >= 0 && x < static_cast<int>(rows[y].size()) && rows[y][x] == '#';
    };
    std::vector<std::pair<int, int>> queue{{keeperX, keeperY}};
    seen[keeperX + 1][keeperY + 1] = true;
    constexpr int kStepX[4] = {0, 0, -1, 1};
    constexpr int kStepY[4] = {-1, 1, 0, 0};
    for (std::size_t head = 0; head < queue.size(); ++head) {
        for (int direction = 0; direction < 4; ++direction) {
            const int x = queue[head].first + kStepX[direction];
            const int y = queue[head].second + kStepY[direction];
            if (x < 0 || y < 0 || x >= width || y >= height) return true;
            if (isWall(x, y) || seen[x + 1][y + 1]) continue;
            seen[x + 1][y + 1] = true;
            queue.push_back({x, y});
        }
    }
    return false;
}

Cell cellOf(char c) {
    return c == '#' ? Cell::Wall : (c == '.' || c == '+' || c == '*') ? Cell::Goal : Cell::Floor;
}

}  // namespace

const char* levelProblemText(LevelProblem problem) {
    static_assert(kBoardWidth == 32 && kBoardHeight == 24 && kMaxBoxes == 32, "the texts name the limits");
    switch (problem) {
        case LevelProblem::None:
            return "playable";
        case LevelProblem::TooWide:
            return "wider than 32 cells";
        case LevelProblem::TooTall:
            return "taller than 24 cells";
        case LevelProblem::TooManyBoxes:
            return "more than 32 boxes";
        case LevelProblem::NoKeeper:
            return "no keeper";
        case LevelProblem::SeveralKeepers:
            return "more than one keeper";
        case LevelProblem::BoxesAndGoalsDiffer:
            return "boxes and goals differ in number";
        case LevelProblem::OpenFloor:
            return "floor open to the outside";
        case LevelProblem::NothingToDo:
            return "no box off a goal";
    }
    return "unknown problem";
}

LevelProblem levelProblemOf(const std::vector<std::string>& rows) {
    int boxes = 0;
    int goals = 0;
    int boxesOffGoals = 0;
    int keepers = 0;
    int keeperX = 0;
    int keeperY = 0;
    for (const std::string& row : rows) {
        if (row.size() > static_cast<std::size_t>(kBoardWidth)) return LevelProblem::TooWide;
    }
    if (rows.size() > static_cast<std::size_t>(kBoardHeight)) return LevelProblem::TooTall;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char c = rows[y][x];
            boxes += c == '$' || c == '*' ? 1 : 0;
            boxesOffGoals += c == '$' ? 1 : 0;
            goals += c == '.' || c == '+' || c == '*' ? 1 : 0;
            if (c == '@' || c == '+') {
                ++keepers;
                keeperX = static_cast<int>(x);
                keeperY = static_cast<int>(y);
            }
        }
    }
    if (boxes > kMaxBoxes) return LevelProblem::TooManyBoxes;
    if (keepers == 0) return LevelProblem::NoKeeper;
    if (keepers > 1) return LevelProblem::SeveralKeepers;
    if (boxes != goals) return LevelProblem::BoxesAndGoalsDiffer;
    if (floorIsOpen(rows, keeperX, keeperY)) return LevelProblem::OpenFloor;
    if (boxesOffGoals == 0) return LevelProblem::NothingToDo;
    return LevelProblem::None;
}

LevelCollection parseLevelCollection(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());

    LevelCollection collection;
    std::size_t firstLeadIn = 0;  // where the lines right above the first board start: after a blank line
    LeadIn leadIn;
    OpenLevel open;
    int lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::string_view line = nextLine(text, start);
        ++lineNumber;

        const ClassifiedLine classified = classify(line, open.board);
        if (classified.kind == LineKind::Board) {
            if (!open.inBoard) {
                if (collection.levels.size() == kMaxCollectionLevels) {
                    collection.cutShort = true;
                    break;
                }
                CollectionLevel level;
                level.title = leadIn.title;
                level.author = leadIn.author;
                level.name = leadIn.name;
                level.firstLine = lineNumber;
                collection.levels.push_back(std::move(level));
                leadIn = LeadIn{};
                open.inBoard = true;
                open.titleTagged = open.authorTagged = false;
            }
            continue;
        }
        const bool firstBoardSeen = !collection.levels.empty();
        if (open.inBoard) finishBoard(collection.levels.back(), open);
        switch (classified.kind) {
            case LineKind::Blank:
                if (!firstBoardSeen) {
                    leadIn = LeadIn{};  // what is above is the file's, not the level's
                    firstLeadIn = std::min(start, text.size());
                }
                break;
            case LineKind::Title:
            case LineKind::Author: {
                const bool isTitle = classified.kind == LineKind::Title;
                if (!firstBoardSeen) {
                    (isTitle ? leadIn.title : leadIn.author) = classified.value;
                    break;
                }
                CollectionLevel& level = collection.levels.back();
                bool& tagged = isTitle ? open.titleTagged : open.authorTagged;
                if (!tagged && !classified.value.empty()) {
                    (isTitle ? level.title : level.author) = classified.value;
                    tagged = true;
                }
                break;
            }
            case LineKind::Collection:
                if (collection.title.empty()) collection.title = classified.value;
                break;
            case LineKind::Comment:
                leadIn.name = classified.value;
                break;
            case LineKind::Text:
                if (couldBeTitle(classified.value)) leadIn.title = classified.value;
                break;
            case LineKind::Board:
            case LineKind::Remark:
                break;
        }
    }
    if (open.inBoard) finishBoard(collection.levels.back(), open);
    // The description is the file's text above the first level's lead-in, or all of it without a board.
    collection.description = describe(collection.levels.empty() ? text : text.substr(0, firstLeadIn));
    return collection;
}

std::uint64_t boardHash(const std::vector<std::string>& rows) {
    constexpr std::uint64_t kOffsetBasis = 14695981039346656037ull;
    constexpr std::uint64_t kPrime = 1099511628211ull;
    std::uint64_t hash = kOffsetBasis;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (y > 0) hash = (hash ^ static_cast<unsigned char>('\n')) * kPrime;
        for (const char c : rows[y]) hash = (hash ^ static_cast<unsigned char>(c)) * kPrime;
    }
    return hash;
}

bool placeCollectionLevel(const CollectionLevel& level, Board& board, Player& player) {
    for (auto& column : board.cells) {
        for (auto& cell : column) cell = Cell::Floor;
    }
    for (Box& box : board.boxes) box.active = 0;
    board.pastLastLevel = 0;
    // The rows are checked again: a level put together by hand must not write past the grid either.
    if (level.problem != LevelProblem::None || levelProblemOf(level.rows) != LevelProblem::None) {
        board.notFound = 1;
        return false;
    }
    int boxCount = 0;
    for (std::size_t y = 0; y < level.rows.size(); ++y) {
        for (std::size_t x = 0; x < level.rows[y].size(); ++x) {
            const char c = level.rows[y][x];
            board.cells[x][y] = cellOf(c);
            if (c == '@' || c == '+') {
                player.x = static_cast<int>(x);
                player.y = static_cast<int>(y);
            }
            if (c == '$' || c == '*') {
                Box& box = board.boxes[boxCount++];
                box.x = static_cast<int>(x);
                box.y = static_cast<int>(y);
                box.active = kBoxActive;
            }
        }
    }
    board.notFound = 0;
    return true;
}

std::string formatCollectionLevel(const CollectionLevel& level) {
    std::vector<std::string> lines;
    std::string rowsBeforeFirstWall;  // rows without a "#" above the first that has one
    for (const std::string& row : level.rows) {
        const std::string written = row.empty() ? std::string("-") : row;
        if (row.find('#') == std::string::npos) {
            if (lines.empty()) {
                rowsBeforeFirstWall += written + "|";
            } else {
                lines.back() += "|" + written;
            }
        } else {
            lines.push_back(rowsBeforeFirstWall + written);
            rowsBeforeFirstWall.clear();
        }
    }
    if (!rowsBeforeFirstWall.empty()) lines.push_back(rowsBeforeFirstWall);

    std::string text;
    if (!level.name.empty()) text += "; " + level.name + "\n";
    for (const std::string& line : lines) text += line + "\n";
    if (!level.title.empty()) text += "Title: " + level.title + "\n";
    if (!level.author.empty()) text += "Author: " + level.author + "\n";
    return text;
}
