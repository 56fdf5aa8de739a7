// The rules of grouping by hand: picking a member on the list, pasting the
// picked member into a group, returning a member from a group.
#pragma once

#include <cstdint>
#include <string>

#include "model/tournament_state.h"

namespace tovi {

// A member can be picked when the row holds a member who is in no group.
bool CanPick(const TournamentState& state, int row);

enum class PasteResult { NothingPicked, GroupFull, Pasted };

// Appends the picked member (picked, a member position as decimal text;
// empty when none is picked) to group (1..6) and marks it placed.  A pick of
// a member who is placed already pastes nothing.  The pick itself is left to
// the caller to clear.
PasteResult PasteIntoGroup(TournamentState& state, const std::string& picked, int group);

enum class ReturnResult { OutOfRange, Returned };

// The name row of a group box that y (pixels from the top of the box) falls
// in; above the first name it is negative, below the last past the names.
std::int64_t GroupRowAt(int y);

// Takes out of group (1..6) the member whose name row holds y.
ReturnResult ReturnFromGroup(TournamentState& state, int group, int y);

}  // namespace tovi
