#include <cstdio>
#include <cstdlib>

#include "levels/cli/commands.h"

bool parseNumber(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty() || text.size() > 18) return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0' && value >= low && value <= high;
}

bool scanOrComplain(const std::string& path, std::vector<LevelEntry>& levels) {
    if (scanLevelFile(path, levels)) return true;
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
}
