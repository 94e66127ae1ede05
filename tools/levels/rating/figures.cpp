#include "levels/rating/figures.h"

#include <algorithm>
#include <cstdio>

std::string figureText(const char* pattern, double first, double second) {
    char text[200];
    std::snprintf(text, sizeof text, pattern, first, second);
    return text;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}
