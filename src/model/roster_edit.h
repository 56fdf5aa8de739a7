// Changes to the roster and the marks that presses on the member list make.
#pragma once

#include "model/tournament_state.h"

namespace tovi {

// True when row holds a member.
bool HoldsMember(const TournamentState& state, int row);

// Moves the line at source so that it stands directly above the member that
// was on row target.  A target more than one row below the last member is
// refused (false, nothing changes).
bool MoveMember(TournamentState& state, int source, int target);

// Removes the member on row; false when the row holds none.
bool DeleteMember(TournamentState& state, int row);

// Participation press: toggles the player mark; on a leader it only takes the
// leadership away.  False when the row holds no member.
bool ToggleEntry(TournamentState& state, int row);

// Leader press: toggles the leader mark; the member plays either way.
bool ToggleLeader(TournamentState& state, int row);

// Clears the player, leader and placed marks of the first MemberCapacity slots.
void ClearMemberFlags(TournamentState& state);

}  // namespace tovi
