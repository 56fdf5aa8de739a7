// The ranking of the players and its CSV text.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/tournament_state.h"
#include "results/score_card.h"

namespace tovi {

// A player of the meeting, with the texts of the roster line (CP932).
struct Player {
    MemberKey key;
    std::string name;
    std::string team;
    std::string gender;
    int group = 0;  // group number, 1..MaxGroups
    friend bool operator==(const Player&, const Player&) = default;
};

// The members of groups 1..6 of state.groupList, in group order and within a
// group in the order of the list.  Name, team and gender are the first three
// fields of the member's roster line.  An entry that names no roster line is
// passed over.
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

struct RankedRow {
    std::size_t player = 0;   // index into the players ranked
    std::optional<int> rank;  // nothing while a hole is not entered
    CardSums sums;
};

struct Ranking {
    int rounds = kDefaultRounds;  // the rounds summed, one CSV column each
    std::vector<RankedRow> rows;  // in ranking order
};

// Ranks the players of the list.  Players with every hole entered come first,
// by 合計 (fewer first), then by more holes in one, in two, in three, in four;
// players equal in all of these share a rank, and the rank after them counts
// everyone ahead (1, 2, 2, 4).  Players with a hole not entered follow
// without a rank.  Players equal in rank, and those without one, keep the
// order they are given in, which is to be group order and then the order
// within the group.
Ranking RankPlayers(const std::vector<Player>& players, const Results& results, int holes,
                    RankingList list);

// The ranking as CSV bytes (CP932, every line ending in CR LF): the heading
// 順位,氏名,チーム,性別,組,1R,..,実打数,一打,二打,合計 and one line a row.
// players must be the list the ranking was made from.
std::string FormatRankingCsv(const std::vector<Player>& players, const Ranking& ranking);

}  // namespace tovi
