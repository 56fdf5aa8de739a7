// The automatic division of the players into groups.
#pragma once

#include <string>

#include "core/clock.h"
#include "grouping/random_source.h"
#include "model/tournament_state.h"

namespace tovi {

// How far a run got, which tells the window what to draw afterwards.
enum class GroupingStage {
    Refused,          // a check failed before anything changed
    ResetOnly,        // groups emptied and placements cleared, nothing to redraw
    Redraw,           // the groups are to be drawn, the marks and tallies refreshed
    LeadersMismatch,  // members dealt but leaders do not fit; nothing is redrawn
};

// What a run has to tell the organiser; the window words it.
enum class GroupingNotice {
    None,
    NoPlayers,         // nobody is marked to play
    NoGroupCount,      // the group-count box is empty
    TooManyGroups,     // more than MaxGroups groups asked for
    TooFewLeaders,     // more players than the leaders can head, MaxGroupSize each
    MoreGroupsNeeded,  // the players do not fit into the groups asked for
    LeadersShort,      // balanced, with leaders: the players do not fit into the groups
    LeadersMismatch,   // the group count is not the number of leaders
};

struct GroupingOutcome {
    GroupingStage stage = GroupingStage::Refused;
    GroupingNotice notice = GroupingNotice::None;
};

// One run of automatic grouping over the current tallies (which must be
// fresh).  groupCountText is the text of the group-count box.  A group count
// that is not a whole number throws ConversionError before anything changes.
GroupingOutcome RunAutomaticGrouping(TournamentState& state, const std::string& groupCountText,
                                     bool balanced, RandomSource& random, Clock& clock);

}  // namespace tovi
