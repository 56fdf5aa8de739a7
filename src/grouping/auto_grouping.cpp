#include "grouping/auto_grouping.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/int_conversion.h"

namespace tovi {
namespace {

bool IsFlagSlot(std::int64_t position) { return position >= 0 && position < kFlagSlots; }

// Index into a pool of `size` entries for a drawn number; never negative,
// whatever the source hands back.
std::size_t PoolIndex(std::int64_t drawn, std::size_t size) {
    const auto n = static_cast<std::int64_t>(size);
    return static_cast<std::size_t>(((drawn % n) + n) % n);
}

std::string TakeFromPool(std::vector<std::string>& pool, std::size_t index) {
    std::string entry = std::move(pool[index]);
    pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(index));
    return entry;
}

std::string DrawFromPool(std::vector<std::string>& pool, RandomSource& random) {
    return TakeFromPool(pool, PoolIndex(random.Next(), pool.size()));
}

void MarkPlaced(TournamentState& state, const std::string& entry) {
    const std::int32_t position = StrToInt(entry);
    if (IsFlagSlot(position)) state.placedFlag[static_cast<std::size_t>(position)] = 1;
}

// Members of the roster, in roster order, that the predicate accepts.
// The pools hold member positions as decimal text, as the groups do.
using Pool = std::vector<std::string>;

template <typename Accept>
Pool PoolFromRoster(const TournamentState& state, Accept accept) {
    Pool pool;
    const std::size_t count = std::min<std::size_t>(state.rosterList.size(), kFlagSlots);
    for (std::size_t p = 0; p < count; ++p) {
        if (accept(p)) pool.push_back(std::to_string(p));
    }
    return pool;
}

// Non-leaders from a gender list of 1-based member numbers, in its order.
Pool PoolFromMembers(const TournamentState& state, const std::vector<int>& memberNumbers) {
    Pool pool;
    for (const int number : memberNumbers) {
        const std::int64_t position = static_cast<std::int64_t>(number) - 1;
        if (!IsFlagSlot(position)) continue;
        if (state.leaderFlag[static_cast<std::size_t>(position)] == 0) {
            pool.push_back(std::to_string(position));
        }
    }
    return pool;
}

// Deals the whole pool round the groups, one member a group, starting at
// `group` and wrapping after groupCount; `group` is left at the next group
// due so that a second pool continues the same round.
void DealPool(TournamentState& state, Pool pool, int groupCount, int& group, RandomSource& random) {
    if (pool.empty()) return;
    if (groupCount < 1 || groupCount > MaxGroups) return;
    const std::size_t count = pool.size();
    for (std::size_t k = 0; k < count; ++k) {
        std::string entry = DrawFromPool(pool, random);
        MarkPlaced(state, entry);
        state.groupList[static_cast<std::size_t>(group)].push_back(std::move(entry));
        if (++group > groupCount) group = 1;
    }
}

// Redraws every member of each group in a fresh random order, so that the
// men dealt first do not always head the group.
void ShuffleGroups(TournamentState& state, int groupCount, RandomSource& random) {
    for (int g = 1; g <= groupCount && g <= MaxGroups; ++g) {
        auto& group = state.groupList[static_cast<std::size_t>(g)];
        Pool pool = std::move(group);
        group.clear();
        while (!pool.empty()) group.push_back(DrawFromPool(pool, random));
    }
}

void ResetGroups(TournamentState& state) {
    for (auto& group : state.groupList) group.clear();
    for (int p = 0; p < kPlacedSlotsCleared; ++p) state.placedFlag[static_cast<std::size_t>(p)] = 0;
}

// Puts one leader at the head of each of groups 1..groupCount.  The leader
// for a group is chosen by the millisecond of the clock, read for each one.
void PlaceLeaders(TournamentState& state, int groupCount, Clock& clock) {
    Pool pool = PoolFromRoster(state, [&](std::size_t p) { return state.leaderFlag[p] == 1; });
    for (int k = 1; k <= groupCount && k <= MaxGroups && !pool.empty(); ++k) {
        std::string leader = TakeFromPool(pool, PoolIndex(clock.Milliseconds(), pool.size()));
        MarkPlaced(state, leader);
        auto& group = state.groupList[static_cast<std::size_t>(k)];
        group.insert(group.begin(), std::move(leader));
    }
}

GroupingOutcome Outcome(GroupingStage stage, GroupingNotice notice = GroupingNotice::None) {
    return GroupingOutcome{stage, notice};
}

}  // namespace

GroupingOutcome RunAutomaticGrouping(TournamentState& state, const std::string& groupCountText,
                                     bool balanced, RandomSource& random, Clock& clock) {
    // The generator is seeded with whole seconds on every run, whatever follows,
    // so two runs within one second deal alike.
    random.Seed(static_cast<std::uint32_t>(clock.Seconds()));
    random.Next();

    if (state.entryCount == 0) return Outcome(GroupingStage::Refused, GroupingNotice::NoPlayers);
    if (groupCountText.empty())
        return Outcome(GroupingStage::Refused, GroupingNotice::NoGroupCount);
    const std::int32_t groupCount = StrToInt(groupCountText);
    if (groupCount > MaxGroups)
        return Outcome(GroupingStage::Refused, GroupingNotice::TooManyGroups);
    const bool leaderMode = state.leaderCount >= 1;
    // Products in 64 bits: the count may be any 32-bit value down to INT32_MIN.
    const std::int64_t entryCount = state.entryCount;
    if (leaderMode && std::int64_t{MaxGroupSize} * state.leaderCount < entryCount) {
        return Outcome(GroupingStage::Refused, GroupingNotice::TooFewLeaders);
    }
    const std::int64_t capacity = std::int64_t{MaxGroupSize} * groupCount;

    ResetGroups(state);

    if (!balanced) {
        Pool pool = PoolFromRoster(state, [&](std::size_t p) {
            return state.entryFlag[p] == 1 && state.leaderFlag[p] == 0;
        });
        if (capacity < static_cast<std::int64_t>(pool.size())) {
            if (!leaderMode)
                return Outcome(GroupingStage::ResetOnly, GroupingNotice::MoreGroupsNeeded);
            // With leaders the count cannot match them here; the leader check
            // below reports it.
        } else {
            int group = 1;
            DealPool(state, std::move(pool), groupCount, group, random);
        }
    } else {
        if (capacity < entryCount) {
            return Outcome(GroupingStage::Redraw, leaderMode ? GroupingNotice::LeadersShort
                                                             : GroupingNotice::MoreGroupsNeeded);
        }
        // Men then women in one round, so the totals stay even.
        int group = 1;
        DealPool(state, PoolFromMembers(state, state.maleList), groupCount, group, random);
        DealPool(state, PoolFromMembers(state, state.femaleList), groupCount, group, random);
        ShuffleGroups(state, groupCount, random);
    }

    if (leaderMode) {
        if (groupCount != state.leaderCount) {
            return Outcome(GroupingStage::LeadersMismatch, GroupingNotice::LeadersMismatch);
        }
        PlaceLeaders(state, groupCount, clock);
    }
    return Outcome(GroupingStage::Redraw);
}

}  // namespace tovi
