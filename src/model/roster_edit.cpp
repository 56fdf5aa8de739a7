#include "model/roster_edit.h"

namespace tovi {

bool HoldsMember(const TournamentState& state, int row) {
    return row >= 0 && row < static_cast<int>(state.rosterList.size());
}

bool MoveMember(TournamentState& state, int source, int target) {
    auto& lines = state.rosterList;
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
    state.rosterList.erase(state.rosterList.begin() + row);
    return true;
}

bool ToggleEntry(TournamentState& state, int row) {
    if (!HoldsMember(state, row)) return false;
    const int old = state.entryFlag[row];
    state.entryFlag[row] = old == 0 ? 1 : 0;
    if (old == 1 && state.leaderFlag[row] == 1) {
        state.entryFlag[row] = 1;
        state.leaderFlag[row] = 0;
    }
    return true;
}

bool ToggleLeader(TournamentState& state, int row) {
    if (!HoldsMember(state, row)) return false;
    state.leaderFlag[row] = state.leaderFlag[row] == 0 ? 1 : 0;
    state.entryFlag[row] = 1;
    return true;
}

void ClearMemberFlags(TournamentState& state) {
    for (int i = 0; i < MemberCapacity; ++i) {
        state.entryFlag[i] = 0;
        state.leaderFlag[i] = 0;
        state.placedFlag[i] = 0;
    }
}

}  // namespace tovi
