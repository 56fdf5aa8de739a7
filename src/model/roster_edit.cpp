#include "model/roster_edit.h"

namespace tovi {

bool HoldsMember(const TournamentState& state, int row) {
    return row >= 0 && row < static_cast<int>(state.RosterList.size());
}

bool MoveMember(TournamentState& state, int source, int target) {
    auto& lines = state.RosterList;
    const int count = static_cast<int>(lines.size());
    if (!HoldsMember(state, source) || target < 0) return false;
    const std::string moved = lines[source];
    if (target > source) {
        if (target > count) return false;
        lines.insert(lines.begin() + target, moved);
        lines.erase(lines.begin() + source);
    } else {
        lines.erase(lines.begin() + source);
        lines.insert(lines.begin() + target, moved);
    }
    return true;
}

bool DeleteMember(TournamentState& state, int row) {
    if (!HoldsMember(state, row)) return false;
    state.RosterList.erase(state.RosterList.begin() + row);
    return true;
}

bool ToggleEntry(TournamentState& state, int row) {
    if (!HoldsMember(state, row)) return false;
    state.SelectedRow = row;
    const int old = state.EntryFlag[row];
    state.EntryFlag[row] = old == 0 ? 1 : 0;
    if (old == 1 && state.LeaderFlag[row] == 1) {
        state.EntryFlag[row] = 1;
        state.LeaderFlag[row] = 0;
    }
    return true;
}

bool ToggleLeader(TournamentState& state, int row) {
    if (!HoldsMember(state, row)) return false;
    state.SelectedRow = row;
    state.LeaderFlag[row] = state.LeaderFlag[row] == 0 ? 1 : 0;
    state.EntryFlag[row] = 1;
    return true;
}

void ClearMemberFlags(TournamentState& state) {
    for (int i = 0; i < MemberCapacity; ++i) {
        state.EntryFlag[i] = 0;
        state.LeaderFlag[i] = 0;
        state.PlacedFlag[i] = 0;
    }
}

}  // namespace tovi
