// The ranking of the players and its CSV text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/birth_date.h"
#include "model/tournament_state.h"
#include "results/score_card.h"

namespace tovi {

// A player of the meeting, with the texts of the roster line (CP932).
struct Player {
    MemberKey key;
    std::string name;
    std::string team;
    std::string gender;
    std::optional<BirthDate> born;  // from the fourth field; nothing when it holds no date
    int group = 0;                  // group number, 1..MaxGroups
    friend bool operator==(const Player&, const Player&) = default;
};

// The player a member key names: name, team, gender and date of birth from
// its line.
Player PlayerOf(const MemberKey& key, int group);

// The members of groups 1..6 of state.groupList, in group order and within a
// group in the order of the list.  Name, team and gender are the first three
// fields of the member's roster line, the date of birth the fourth.  An
// entry that names no roster line is passed over.
std::vector<Player> PlayersInGroupOrder(const TournamentState& state);

// The members with strokes entered who are not among the grouped players
// (組なし), group 0: first those on the roster, in roster order, then those
// whose line the roster no longer holds, in the order of their lines.
std::vector<Player> PlayersInNoGroup(const std::vector<Player>& grouped,
                                     const std::vector<std::string>& rosterLines,
                                     const Results& results);

enum class RankingList {
    All,    // 全体
    Men,    // 男子: gender 男
    Women,  // 女子: gender 女
};

// Whether a player of this gender (CP932 男 or 女) belongs in the list.
bool InList(std::string_view gender, RankingList list);

struct RankedRow {
    std::size_t player = 0;   // index into the players ranked
    std::optional<int> rank;  // nothing while a hole is not entered
    CardSums sums;
    // The rank shared by every player equal in the sums, before age or any
    // decision: the players of one tie have the same.
    std::optional<int> tie;
    // The rank comes from a decision of the organiser, or from age parting
    // the tie (shown with ※).
    bool decided = false;
};

struct Ranking {
    int rounds = kDefaultRounds;  // the rounds summed, one CSV column each
    std::vector<RankedRow> rows;  // in ranking order
};

// Ranks the players of the list.  Players with every hole entered come first,
// by 合計 (fewer first), then by more holes in one, in two, in three, in four;
// players equal in all of these are a tie, and the rank after them counts
// everyone ahead (1, 2, 2, 4).  Players with a hole not entered follow
// without a rank.  Players equal in rank, and those without one, keep the
// order they are given in, which is to be group order and then the order
// within the group.
//
// With results.olderFirst the older of a tie stand higher: its players are
// ordered by date of birth, the earlier first; a player without a date
// counts as born the day before the meeting, after everyone with one.
// Walking the tie in that order, a player born on the day the one before
// was (or, like it, without a date) shares its rank; any other takes the
// tie's rank plus its place in the tie (1, 2, 2, 4 within a tie of rank 1).
// When that parts the tie, all its players are marked decided.
//
// The organiser's decisions (results.decisions) stand above age: they then
// order the players of a tie, the members of one decision take the places of
// the tie that they hold in the decided order.  When every player of the tie
// is in one decision, the tie is decided: its players take consecutive ranks
// from the shared one (1, 2 instead of 1, 1), marked decided.  Otherwise the
// ranks by age, as above, are taken over the order the players then stand
// in.  A decision whose players the sums part orders nothing.
//
// RankedRow::tie stays the rank the sums give, shared by the whole tie.
Ranking RankPlayers(const std::vector<Player>& players, const Results& results, int holes,
                    RankingList list);

// Moves the player of ranking.rows[row] one place up (step -1) or down
// (step +1) among the players sharing its tie, and records the order that
// results as a decision in decisions: the decision that holds all of the
// tie's players is reordered in place, its other members keeping their
// places; otherwise the tie's players leave any other decision (one left
// with fewer than two members lapses) and their order becomes a decision of
// its own, the last.  False, and nothing changes, when the row is not
// ranked, shares its tie with nobody, or has no neighbour of its tie on that
// side.  ranking must be the one RankPlayers made of players with these
// decisions.
bool MoveWithinTie(const std::vector<Player>& players, const Ranking& ranking, std::size_t row,
                   int step, std::vector<std::vector<MemberKey>>& decisions);

// The ranking as CSV bytes (CP932, every line ending in CR LF): the heading
// 順位,氏名,チーム,性別,組,1R,..,実打数,一打,二打,合計 and one line a row.
// A decided rank is written as the plain number; 組 is empty for a player in
// no group.
// players must be the list the ranking was made from.
std::string FormatRankingCsv(const std::vector<Player>& players, const Ranking& ranking);

}  // namespace tovi
