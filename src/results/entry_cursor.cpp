#include "results/entry_cursor.h"

#include <cstddef>
#include <utility>

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

EntryPath::EntryPath(std::vector<int> groupSizes, int rounds, int holes)
    : groupSizes_(std::move(groupSizes)), rounds_(rounds), holes_(holes) {}

bool EntryPath::Contains(const EntryPosition& at) const {
    return at.group >= 0 && at.group < static_cast<int>(groupSizes_.size()) && at.player >= 0 &&
           at.player < groupSizes_[static_cast<std::size_t>(at.group)] && at.round >= 0 &&
           at.round < rounds_ && at.hole >= 0 && at.hole < holes_;
}

EntryPosition EntryPath::Next(const EntryPosition& at) const {
    return NextEntryPosition(groupSizes_, rounds_, holes_, at);
}

EntryPosition EntryPath::FirstOpen(const std::function<bool(const EntryPosition&)>& filled) const {
    EntryPosition first{0, 0, 0, 0};
    while (first.group < static_cast<int>(groupSizes_.size()) &&
           groupSizes_[static_cast<std::size_t>(first.group)] == 0)
        ++first.group;
    if (!Contains(first)) return {0, 0, 0, 0};
    for (EntryPosition at = first;;) {
        if (!filled(at)) return at;
        const EntryPosition next = Next(at);
        if (next == at) return first;  // every cell filled
        at = next;
    }
}

}  // namespace tovi
