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

constexpr char kNoPlayers[] = "出場者がありません";
constexpr char kNoGroupCount[] = "組数を入力して下さい";
constexpr char kTooManyGroups[] = "６組を超えています";
constexpr char kTooFewLeaders[] = "リダー数が足りません";
constexpr char kMoreGroupsNeeded[] = "組数を増やして下さい";
constexpr char kLeadersShort[] = "リーダ数が足りません";
constexpr char kLeadersMismatch[] = "リーダ数と組数が合いませんe";

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

void kMarkPlaced(TournamentState& state, const std::string& entry) {
    const std::int32_t position = StrToInt(entry);
    if (IsFlagSlot(position)) state.PlacedFlag[static_cast<std::size_t>(position)] = 1;
}

// Members of the roster, in roster order, that the predicate accepts.
template <typename Accept>
void PoolFromRoster(TournamentState& state, Accept accept) {
    state.DrawPool.clear();
    const std::size_t count = std::min<std::size_t>(state.RosterList.size(), kFlagSlots);
    for (std::size_t p = 0; p < count; ++p) {
        if (accept(p)) state.DrawPool.push_back(std::to_string(p));
    }
}

// Non-leaders from a gender list of 1-based member numbers, in its order.
void PoolFromMembers(TournamentState& state, const std::vector<int>& memberNumbers) {
    state.DrawPool.clear();
    for (const int number : memberNumbers) {
        const std::int64_t position = static_cast<std::int64_t>(number) - 1;
        if (!IsFlagSlot(position)) continue;
        if (state.LeaderFlag[static_cast<std::size_t>(position)] == 0) {
            state.DrawPool.push_back(std::to_string(position));
        }
    }
}

// Deals the whole pool round the groups, one member a group, starting at
// `group` and wrapping after groupCount; `group` is left at the next group
// due so that a second pool continues the same round.
void DealPool(TournamentState& state, int groupCount, int& group, RandomSource& random) {
    if (state.DrawPool.empty()) return;
    if (groupCount < 1 || groupCount > MaxGroups) return;
    const std::size_t count = state.DrawPool.size();
    for (std::size_t k = 0; k < count; ++k) {
        std::string entry = DrawFromPool(state.DrawPool, random);
        kMarkPlaced(state, entry);
        state.GroupList[static_cast<std::size_t>(group)].push_back(std::move(entry));
        if (++group > groupCount) group = 1;
    }
}

// Redraws every member of each group in a fresh random order, so that the
// men dealt first do not always head the group.
void ShuffleGroups(TournamentState& state, int groupCount, RandomSource& random) {
    for (int g = 1; g <= groupCount && g <= MaxGroups; ++g) {
        auto& group = state.GroupList[static_cast<std::size_t>(g)];
        state.DrawPool = std::move(group);
        group.clear();
        while (!state.DrawPool.empty()) group.push_back(DrawFromPool(state.DrawPool, random));
    }
}

void ResetGroups(TournamentState& state) {
    state.DrawPool.clear();
    for (auto& group : state.GroupList) group.clear();
    for (int p = 0; p < kPlacedSlotsCleared; ++p) state.PlacedFlag[static_cast<std::size_t>(p)] = 0;
}

// Puts one leader at the head of each of groups 1..groupCount.  The leader
// for a group is chosen by the millisecond of the clock, read for each one.
void PlaceLeaders(TournamentState& state, int groupCount, Clock& clock) {
    PoolFromRoster(state, [&](std::size_t p) { return state.LeaderFlag[p] == 1; });
    for (int k = 1; k <= groupCount && k <= MaxGroups && !state.DrawPool.empty(); ++k) {
        std::string leader =
            TakeFromPool(state.DrawPool, PoolIndex(clock.Milliseconds(), state.DrawPool.size()));
        kMarkPlaced(state, leader);
        auto& group = state.GroupList[static_cast<std::size_t>(k)];
        group.insert(group.begin(), std::move(leader));
    }
}

GroupingOutcome Outcome(GroupingStage stage, std::string message = {}) {
    return GroupingOutcome{stage, std::move(message)};
}

}  // namespace

GroupingOutcome RunAutomaticGrouping(TournamentState& state, const std::string& groupCountText,
                                     bool balanced, RandomSource& random, Clock& clock) {
    // The generator is seeded with whole seconds on every run, whatever follows,
    // so two runs within one second deal alike.
    random.Seed(static_cast<std::uint32_t>(clock.Seconds()));
    random.Next();

    if (state.EntryCount == 0) return Outcome(GroupingStage::Refused, kNoPlayers);
    if (groupCountText.empty()) return Outcome(GroupingStage::Refused, kNoGroupCount);
    const std::int32_t groupCount = StrToInt(groupCountText);
    if (groupCount > MaxGroups) return Outcome(GroupingStage::Refused, kTooManyGroups);
    const bool leaderMode = state.LeaderCount >= 1;
    // Products in 64 bits: the count may be any 32-bit value down to INT32_MIN.
    const std::int64_t entryCount = state.EntryCount;
    if (leaderMode && std::int64_t{MaxGroupSize} * state.LeaderCount < entryCount) {
        return Outcome(GroupingStage::Refused, kTooFewLeaders);
    }
    const std::int64_t capacity = std::int64_t{MaxGroupSize} * groupCount;

    ResetGroups(state);

    if (!balanced) {
        PoolFromRoster(state, [&](std::size_t p) {
            return state.EntryFlag[p] == 1 && state.LeaderFlag[p] == 0;
        });
        if (capacity < static_cast<std::int64_t>(state.DrawPool.size())) {
            state.DrawPool.clear();
            if (!leaderMode) return Outcome(GroupingStage::ResetOnly, kMoreGroupsNeeded);
            // With leaders the count cannot match them here; the leader check
            // below reports it.
        } else {
            int group = 1;
            DealPool(state, groupCount, group, random);
        }
    } else {
        if (capacity < entryCount) {
            return Outcome(GroupingStage::Redraw, leaderMode ? kLeadersShort : kMoreGroupsNeeded);
        }
        // Men then women in one round, so the totals stay even.
        int group = 1;
        PoolFromMembers(state, state.MaleList);
        DealPool(state, groupCount, group, random);
        PoolFromMembers(state, state.FemaleList);
        DealPool(state, groupCount, group, random);
        ShuffleGroups(state, groupCount, random);
    }

    if (leaderMode) {
        if (groupCount != state.LeaderCount) {
            state.DrawPool.clear();
            return Outcome(GroupingStage::LeadersMismatch, kLeadersMismatch);
        }
        PlaceLeaders(state, groupCount, clock);
    }
    state.DrawPool.clear();
    return Outcome(GroupingStage::Redraw);
}

}  // namespace tovi
