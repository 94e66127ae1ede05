// Treats arbitrary bytes as the lines of a level file and writes them out again with LF, with CRLF, and
// with trailing spaces on every line. Line ends and padding are not part of a level: each of the first
// levels must load to the same board, keeper and outcome from every variant.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/board.h"
#include "core/level_file.h"

namespace {

// The input's lines without their ends. A carriage return anywhere is dropped: within a line it would be
// an ordinary character in one variant and part of the line end in another.
std::vector<std::string> splitLines(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else if (data[i] != '\r')
            lines.back().push_back(static_cast<char>(data[i]));
    }
    if (lines.back().empty()) lines.pop_back();  // the input's last line end, or no input at all
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines, const char* end, std::size_t padding) {
    std::string text;
    for (const std::string& line : lines) text += line + std::string(padding, ' ') + end;
    return text;
}

struct Loaded {
    Board board;
    Player player;
};

Loaded load(std::string text, int level) {
    Loaded loaded;
    loaded.player.level = level;
    loaded.player.x = 3;
    loaded.player.y = 4;
    std::FILE* file = fmemopen(text.data(), text.size(), "rb");
    if (file == nullptr) {
        // fmemopen refuses an empty buffer: read an empty file instead.
        file = std::tmpfile();
        if (file == nullptr) std::abort();
    }
    loadLevelFromFile(loaded.board, loaded.player, file);
    std::fclose(file);
    return loaded;
}

bool sameLoad(const Loaded& a, const Loaded& b) {
    if (a.board.notFound != b.board.notFound || a.player.x != b.player.x || a.player.y != b.player.y)
        return false;
    if (std::memcmp(a.board.cells, b.board.cells, sizeof a.board.cells) != 0) return false;
    for (int i = 0; i < kMaxBoxes; ++i) {
        const Box& boxA = a.board.boxes[i];
        const Box& boxB = b.board.boxes[i];
        if (boxA.active != boxB.active || (boxA.active != 0 && (boxA.x != boxB.x || boxA.y != boxB.y)))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = splitLines(data, size);
    const std::size_t padding = 1 + size % 40;  // sometimes past the board's last column
    const std::string variants[] = {joinLines(lines, "\n", 0), joinLines(lines, "\r\n", 0),
                                    joinLines(lines, "\n", padding), joinLines(lines, "\r\n", padding)};
    for (int level = 1; level <= 4; ++level) {
        const Loaded reference = load(variants[0], level);
        for (std::size_t v = 1; v < sizeof variants / sizeof variants[0]; ++v)
            if (!sameLoad(reference, load(variants[v], level))) std::abort();
    }
    return 0;
}
