#include "results/entry_cursor.h"

#include <cstddef>

namespace tovi {

EntryPosition NextEntryPosition(const std::vector<int>& groupSizes, int rounds, int holes,
                                const EntryPosition& at) {
    const int groups = static_cast<int>(groupSizes.size());
    if (at.group < 0 || at.group >= groups || at.player < 0 ||
        at.player >= groupSizes[static_cast<std::size_t>(at.group)] || at.round < 0 ||
        at.round >= rounds || at.hole < 0 || at.hole >= holes)
        return at;

    if (at.hole + 1 < holes) return {at.group, at.player, at.round, at.hole + 1};
    if (at.round + 1 < rounds) return {at.group, at.player, at.round + 1, 0};
    if (at.player + 1 < groupSizes[static_cast<std::size_t>(at.group)])
        return {at.group, at.player + 1, 0, 0};
    for (int group = at.group + 1; group < groups; ++group)
        if (groupSizes[static_cast<std::size_t>(group)] > 0) return {group, 0, 0, 0};
    return at;
}

}  // namespace tovi
