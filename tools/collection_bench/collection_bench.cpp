// Figures for large level collections, not a test.
//
//     collection_bench make COUNT SOURCE OUT   writes COUNT levels in the genre's notation to OUT: the levels
//                                              of SOURCE, each in its eight turns and mirror images, over
//                                              and over
//     collection_bench read FILE...            reads and parses each file 7 times; prints its level count
//                                              and the median and slowest time, in milliseconds

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/level_collection.h"
#include "profiles/level_folder.h"

namespace {

// One of the eight symmetries of the square: turned a quarter `turns` times, then mirrored left to right.
std::vector<std::string> transformed(const std::vector<std::string>& rows, int turns, bool mirrored) {
    std::vector<std::string> grid = rows;
    std::size_t width = 0;
    for (const std::string& row : grid) width = std::max(width, row.size());
    for (std::string& row : grid) row.resize(width, ' ');
    for (int turn = 0; turn < turns; ++turn) {
        std::vector<std::string> turned(width, std::string(grid.size(), ' '));
        for (std::size_t y = 0; y < grid.size(); ++y) {
            for (std::size_t x = 0; x < width; ++x) turned[x][grid.size() - 1 - y] = grid[y][x];
        }
        width = grid.size();
        grid = turned;
    }
    if (mirrored) {
        for (std::string& row : grid) std::reverse(row.begin(), row.end());
    }
    for (std::string& row : grid) row.erase(row.find_last_not_of(' ') + 1);
    return grid;
}

int make(int count, const char* source, const char* out) {
    std::string bytes;
    if (readCollectionFile(source, bytes) != CollectionFileResult::Ok) return 1;
    const LevelCollection classic = parseLevelCollection(bytes);
    if (classic.levels.empty()) return 1;
    std::string text = "Collection: Turned and mirrored\n\n";
    for (int i = 0; i < count; ++i) {
        const int symmetry = (i / static_cast<int>(classic.levels.size())) % 8;
        CollectionLevel level = classic.levels[i % classic.levels.size()];
        level.rows = transformed(level.rows, symmetry % 4, symmetry >= 4);
        level.name.clear();
        level.title = "Level " + std::to_string(i + 1);
        text += formatCollectionLevel(level) + "\n";
    }
    std::FILE* file = std::fopen(out, "wb");
    if (file == nullptr) return 1;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}

int read(int count, char** files) {
    for (int f = 0; f < count; ++f) {
        std::vector<double> times;
        std::size_t levels = 0;
        for (int run = 0; run < 7; ++run) {
            const auto start = std::chrono::steady_clock::now();
            std::string bytes;
            if (readCollectionFile(files[f], bytes) != CollectionFileResult::Ok) return 1;
            levels = parseLevelCollection(bytes).levels.size();
            times.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::sort(times.begin(), times.end());
        std::printf("%s: %zu levels, median %.1f ms, slowest %.1f ms\n", files[f], levels, times[3],
                    times[6]);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "make") == 0) return make(std::atoi(argv[2]), argv[3], argv[4]);
    if (argc >= 3 && std::strcmp(argv[1], "read") == 0) return read(argc - 2, argv + 2);
    std::fprintf(stderr, "usage: %s make COUNT SOURCE OUT | read FILE...\n", argv[0]);
    return 2;
}
