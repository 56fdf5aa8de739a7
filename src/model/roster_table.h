// From the member lines to the parsed roster table and the tallies.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/tournament_state.h"

namespace tovi {

// True for a CP932 lead byte (0x81-0x9F, 0xE0-0xFC).
bool IsLeadByte(unsigned char byte);

// Splits one line into fields by the comma-text rule: double-byte characters
// taken whole, quoted fields with doubled quotes, bytes 01..20 separating.
std::vector<std::string> SplitCommaText(std::string_view line);

// Sets columns 1..8 of rows 0..40 to a full-width space (column 0 is kept).
void BlankRosterTable(TournamentState& state);

// Parses every member line into columns 0..6 of its row; fields a line lacks
// become empty texts.  Rows beyond the roster keep what they held.
void ParseRoster(TournamentState& state);

struct TallyResult {
    // More than MaxEntrants players: the warning is due, and the leader count
    // and the group-count proposal were not updated.
    bool overLimit = false;
    // New text of the group-count box, when it is to change.
    std::optional<std::string> groupCountText;
};

// Recomputes the participant, gender, placed and leader tallies from the flags.
TallyResult ComputeTallies(TournamentState& state);

}  // namespace tovi
