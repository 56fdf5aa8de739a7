#include "model/start_holes.h"

namespace tovi {

std::vector<int> SheetHoleNumbers(int startHole, int holeCount) {
    std::vector<int> numbers;
    int hole = startHole;
    for (int column = 0; column < holeCount; ++column) {
        numbers.push_back(hole);
        hole = hole < holeCount ? hole + 1 : 1;
    }
    return numbers;
}

int PrintedHoleNumber(const StartHoles& starts, int group, int column, int holeCount) {
    if (group < 1 || group > MaxGroups || column < 0 || column >= holeCount) return column + 1;
    const std::optional<int> start = starts.groups[static_cast<std::size_t>(group - 1)];
    if (!start) return column + 1;
    return SheetHoleNumbers(*start, holeCount)[static_cast<std::size_t>(column)];
}

std::array<int, MaxGroups> SpreadStartHoles(const TournamentState& state, int holeCount) {
    std::array<int, MaxGroups> starts{};
    starts.fill(1);
    int groups = 0;
    for (int g = 1; g <= MaxGroups; ++g)
        if (!state.groupList[static_cast<std::size_t>(g)].empty()) ++groups;
    int index = 0;
    for (int g = 1; g <= MaxGroups; ++g) {
        if (state.groupList[static_cast<std::size_t>(g)].empty()) continue;
        if (holeCount >= 1)
            starts[static_cast<std::size_t>(g - 1)] = 1 + index * holeCount / groups;
        ++index;
    }
    return starts;
}

}  // namespace tovi
