#include "levels/solver/level_set.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string_view>

#include "core/level_file.h"

namespace {

bool isBlank(const std::string& line) {
    return line.find_first_not_of(' ') == std::string::npos;
}

// Splits the file into lines the way the loader reads them: "\n" ends a line and one "\r" right before
// it, or right before the end of the file, belongs to the terminator.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool terminated = end != std::string::npos;
        if (!terminated) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = terminated ? end + 1 : end;
    }
    return lines;
}

int countOf(const std::vector<std::string>& rows, const std::string& characters) {
    int count = 0;
    for (const std::string& row : rows) {
        for (const char c : row) {
            if (characters.find(c) != std::string::npos) ++count;
        }
    }
    return count;
}

}  // namespace

bool isGameSetFile(const std::string& path) {
    constexpr std::string_view kSetExtension = ".lvt";
    return path.size() >= kSetExtension.size() &&
           path.compare(path.size() - kSetExtension.size(), kSetExtension.size(), kSetExtension) == 0;
}

bool scanLevelFile(const std::string& path, std::vector<LevelEntry>& levels) {
    levels.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    if (!isGameSetFile(path)) {
        for (CollectionLevel& level : parseLevelCollection(text).levels) {
            LevelEntry entry;
            entry.number = static_cast<int>(levels.size()) + 1;
            entry.title = level.title;
            entry.rows = level.rows;
            entry.collected = std::move(level);
            levels.push_back(std::move(entry));
        }
        return true;
    }
    const std::vector<std::string> lines = splitLines(text);
    const std::size_t count = lines.size();
    // The loader tests for the end of the file after every read, so reading the last line already ends
    // the search for a level.
    std::size_t next = 0;
    for (;;) {
        do {
            if (next + 1 >= count) return true;
        } while (!isBlank(lines[next++]));
        std::string title;
        for (;;) {
            if (next + 1 >= count) return true;
            const std::string& line = lines[next++];
            if (isLevelLine(line)) break;
            if (!isBlank(line)) title = line;
        }
        LevelEntry entry;
        entry.number = static_cast<int>(levels.size()) + 1;
        entry.title = title;
        for (std::size_t row = next - 1; row < count && isLevelLine(lines[row]); ++row) {
            entry.rows.push_back(lines[row]);
        }
        levels.push_back(std::move(entry));
    }
}

bool loadLevelNumber(const std::string& path, int number, Board& board, Player& player) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    player.level = number;
    loadLevelFromFile(board, player, file);
    std::fclose(file);
    return board.notFound == 0;
}

bool loadEntry(const std::string& path, const LevelEntry& entry, Board& board, Player& player) {
    if (entry.collected) return placeCollectionLevel(*entry.collected, board, player);
    return loadLevelNumber(path, entry.number, board, player);
}

bool isClosedByWalls(const Board& board, const Player& player, const std::vector<std::string>& rows) {
    // Cells the rows do not spell are floor on the board, so stepping onto one is walking out.
    auto spelled = [&](int x, int y) {
        return isInsideGrid(x, y) && y < static_cast<int>(rows.size()) &&
               x < static_cast<int>(rows[y].size());
    };
    if (!spelled(player.x, player.y)) return false;
    constexpr int kStepX[4] = {0, 0, -1, 1};
    constexpr int kStepY[4] = {-1, 1, 0, 0};
    std::vector<std::vector<bool>> seen(kBoardWidth, std::vector<bool>(kBoardHeight, false));
    std::vector<std::pair<int, int>> queue{{player.x, player.y}};
    seen[player.x][player.y] = true;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        for (int direction = 0; direction < 4; ++direction) {
            const int x = queue[head].first + kStepX[direction];
            const int y = queue[head].second + kStepY[direction];
            if (!spelled(x, y)) return false;
            if (board.cells[x][y] == Cell::Wall || seen[x][y]) continue;
            seen[x][y] = true;
            queue.push_back({x, y});
        }
    }
    return true;
}

LevelReport checkLevel(const std::string& path, const LevelEntry& entry, const SolveOptions& options) {
    LevelReport report;
    report.number = entry.number;
    report.height = static_cast<int>(entry.rows.size());
    for (const std::string& row : entry.rows) {
        const std::size_t end = row.find_last_not_of(' ');
        if (end != std::string::npos) report.width = std::max(report.width, static_cast<int>(end) + 1);
    }
    report.boxes = countOf(entry.rows, "$*");
    report.goals = countOf(entry.rows, ".*+");

    Board board;
    Player player;
    player.x = player.y = -1;  // the loader leaves the keeper alone when the level has none
    if (entry.collected) {
        report.title = entry.collected->title;
        report.readerProblem = entry.collected->problem;
    }
    if (report.readerProblem != LevelProblem::None) {
        report.problem = CheckProblem::RefusedByReader;
    } else if (!loadEntry(path, entry, board, player)) {
        report.problem = CheckProblem::RefusedByLoader;
    } else if (!isInsideGrid(player.x, player.y)) {
        report.problem = CheckProblem::NoKeeper;
    } else if (report.boxes == 0) {
        report.problem = CheckProblem::NoBoxes;
    } else if (report.boxes != report.goals) {
        report.problem = CheckProblem::BoxesGoalsDiffer;
    } else if (!isClosedByWalls(board, player, entry.rows)) {
        report.problem = CheckProblem::NotClosed;
    } else {
        report.solve = solveLevel(solverLevelFromBoard(board, player), options);
        if (report.solve.status == SolveStatus::NoSolution) report.problem = CheckProblem::NoSolution;
        if (report.solve.status == SolveStatus::LimitReached) report.problem = CheckProblem::Unsolved;
    }
    return report;
}

std::string describeReport(const LevelReport& report, const SolveOptions& options) {
    const std::string title = report.title.empty() ? std::string() : " \"" + report.title + "\"";
    std::string line = "level " + std::to_string(report.number) + title + ": " +
                       std::to_string(report.width) + " x " + std::to_string(report.height) + ", boxes " +
                       std::to_string(report.boxes) + ", goals " + std::to_string(report.goals) + ", ";
    switch (report.problem) {
        case CheckProblem::None:
            return line + "solved in " + std::to_string(report.solve.moves) + " moves, " +
                   std::to_string(report.solve.pushes) + " pushes (" +
                   std::to_string(report.solve.statesStored) + " positions searched)";
        case CheckProblem::RefusedByLoader:
            return line + "unplayable: refused by the loader (more than 32 x 24 cells or 32 boxes)";
        case CheckProblem::RefusedByReader:
            return line + "unplayable: " + levelProblemText(report.readerProblem);
        case CheckProblem::NoKeeper:
            return line + "unplayable: no keeper";
        case CheckProblem::NoBoxes:
            return line + "unplayable: no boxes";
        case CheckProblem::BoxesGoalsDiffer:
            return line + "unplayable: boxes and goals differ in number";
        case CheckProblem::NotClosed:
            return line + "unplayable: not closed by walls";
        case CheckProblem::NoSolution:
            return line + "unplayable: no solution exists";
        case CheckProblem::Unsolved:
            return line + "unsolved within the search limit (" + std::to_string(options.maxStates) +
                   " positions or " + std::to_string(static_cast<int>(options.maxSeconds)) + " seconds)";
    }
    return line;
}
