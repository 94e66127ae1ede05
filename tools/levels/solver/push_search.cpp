#include "levels/solver/push_search.h"

std::string spellPushes(const SolverLevel& level, const std::vector<PushStep>& pushes) {
    std::vector<std::uint8_t> boxAt = boxOccupancy(level.boxes);
    int keeper = level.keeper;
    std::string letters;
    for (const PushStep& push : pushes) {
        keeperWalk(level, boxAt, keeper, push.from - kCellStep[push.direction], letters);
        letters += kPushLetter[push.direction];
        boxAt[push.from] = 0;
        boxAt[push.from + kCellStep[push.direction]] = 1;
        keeper = push.from;
    }
    return letters;
}

void countSolutionLetters(SolveResult& result) {
    result.moves = static_cast<int>(result.solution.size());
    result.pushes = static_cast<int>(std::count_if(result.solution.begin(), result.solution.end(),
                                                   [](char c) { return c >= 'A' && c <= 'Z'; }));
}
