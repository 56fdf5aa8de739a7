// The recovery file: what a run had entered, written at every score, so that
// a run that ends without closing its window (a crash, a power cut, a killed
// process) loses nothing that had been entered.  It holds the meeting as far
// as the scores need it to be found again: the roster, who plays, who leads
// and the groups, the score sheet's hole count, and the results with the
// score sheet's heading.  CP932 text, every line ending in CR LF:
//
//   成績復元,1              marker and format version
//   ホール数,TEXT           the text of the hole-count box, one field
//   名簿,COUNT              then COUNT roster lines exactly as the roster holds them
//   出場,P,P,..             the positions of the players (from 0)
//   リーダ,P,P,..           the positions of the leaders
//   組,G,P,P,..             one line per group G = 1..6, its members in order
//   成績,4 ...              the results file (results/results_file.h) to the end
//
// A file written before the results file had a heading holds a version 1
// results file; it is read all the same, with an empty heading.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/tournament_state.h"
#include "results/results_file.h"
#include "results/score_card.h"

namespace tovi {

inline constexpr std::size_t kMaxRecoveryFileBytes = 2 * 1024 * 1024;

struct RecoveryRecord {
    std::string holeCount;                               // CP932
    std::vector<std::string> roster;                     // member lines, CP932
    std::vector<int> players;                            // positions with the player mark
    std::vector<int> leaders;                            // positions with the leader mark
    std::array<std::vector<int>, MaxGroups + 1> groups;  // [1..6]; [0] unused
    Results results;
    // The score sheet's heading; empty texts and hole count 0 when read from
    // a file whose results hold none.
    MeetingHeading heading;
    friend bool operator==(const RecoveryRecord&, const RecoveryRecord&) = default;
};

// The record of the state, the hole-count text, the results and the
// heading.  Group entries that name no member or a member named before, and
// the marks of slots past the roster, are left out.
RecoveryRecord MakeRecoveryRecord(const TournamentState& state, const std::string& holeCount,
                                  const Results& results, const MeetingHeading& heading);

// The bytes of the file; nothing when a roster line holds a line end or a
// NUL, which the file could not give back.
std::optional<std::string> FormatRecoveryFile(const RecoveryRecord& record);

// The record the bytes hold; nothing when they are not a whole recovery file
// of this version: any line missing, malformed or out of range.
std::optional<RecoveryRecord> ParseRecoveryFile(std::string_view bytes);

// Puts the record's roster, marks and groups into the state: the roster
// replaced, the marks and groups set as recorded and everything else of the
// marks cleared.  The tallies and the table are left for the window's redraw.
void ApplyRecoveryRecord(const RecoveryRecord& record, TournamentState& state);

}  // namespace tovi
