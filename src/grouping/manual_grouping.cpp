#include "grouping/manual_grouping.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/int_conversion.h"

namespace tovi {
namespace {

// Name rows of a group box start 3 pixels down, one every GroupRowPitch.
constexpr int kGroupBoxTopMargin = 3;

bool IsFlagSlot(std::int64_t position) { return position >= 0 && position < kFlagSlots; }

std::vector<std::string>& GroupAt(TournamentState& state, int group) {
    if (group < 1 || group > MaxGroups) throw std::out_of_range("group number outside 1..6");
    return state.groupList[static_cast<std::size_t>(group)];
}

}  // namespace

bool CanPick(const TournamentState& state, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= state.rosterList.size()) return false;
    if (!IsFlagSlot(row)) return false;
    return state.placedFlag[static_cast<std::size_t>(row)] != 1;
}

PasteResult PasteIntoGroup(TournamentState& state, const std::string& picked, int group) {
    auto& members = GroupAt(state, group);
    if (picked.empty()) return PasteResult::NothingPicked;
    const std::int32_t member = StrToInt(picked);
    // A pick is only ever a roster row; anything else places nobody.
    if (!IsFlagSlot(member)) return PasteResult::NothingPicked;
    // Nor does a member placed since the pick (by a run of the automatic
    // grouping, which keeps the pick): a member stands in one group at most.
    if (state.placedFlag[static_cast<std::size_t>(member)] == 1) return PasteResult::NothingPicked;
    if (members.size() >= static_cast<std::size_t>(MaxGroupSize)) return PasteResult::GroupFull;
    members.push_back(picked);
    state.placedFlag[static_cast<std::size_t>(member)] = 1;
    return PasteResult::Pasted;
}

std::int64_t GroupRowAt(int y) {
    // Integer division truncating toward zero: y = 0..20 is row 0.
    return (static_cast<std::int64_t>(y) - kGroupBoxTopMargin) / GroupRowPitch;
}

ReturnResult ReturnFromGroup(TournamentState& state, int group, int y) {
    auto& members = GroupAt(state, group);
    const std::int64_t row = GroupRowAt(y);
    // A press above the first name (possible only off the box) hits nothing.
    if (row < 0 || row > static_cast<std::int64_t>(members.size()) - 1) {
        return ReturnResult::OutOfRange;
    }
    const auto index = static_cast<std::size_t>(row);
    const std::int32_t member = StrToInt(members[index]);
    if (IsFlagSlot(member)) state.placedFlag[static_cast<std::size_t>(member)] = 0;
    members.erase(members.begin() + static_cast<std::ptrdiff_t>(index));
    return ReturnResult::Returned;
}

}  // namespace tovi
