// The prize-giving: the team results (団体) and the awards (表彰) of a
// meeting, with their CSV texts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/start_holes.h"
#include "results/ranking.h"
#include "results/score_card.h"

namespace tovi {

// A team: the players of one non-empty チーム text.
struct TeamRow {
    std::optional<int> rank;  // nothing for a team with fewer ranked players than counted
    std::string team;         // CP932
    // The sum of the 合計 of the players counted; nothing for a team without
    // a ranked player.
    std::optional<int> total;
    // The players counted, indices into the players, in ranking order: the
    // team's best `teamSize` ranked players (all its ranked players when it
    // has fewer).
    std::vector<std::size_t> counted;
    friend bool operator==(const TeamRow&, const TeamRow&) = default;
};

// Ranks the teams by the 全体 ranking (overall, made of players, with its
// decisions).  Teams with teamSize ranked players come first, by the sum of
// the 合計 of their teamSize best-ranked players, fewer first; equal sums
// share a rank (1, 2, 2, 4).  Teams with fewer ranked players follow without
// a rank.  Teams equal in rank, and those without one, keep the order in
// which their first player appears in the 全体 list.  A teamSize below 1 is
// taken as 1.
std::vector<TeamRow> RankTeams(const std::vector<Player>& players, const Ranking& overall,
                               int teamSize);

// The team results as CSV bytes (CP932, CR LF): 順位,チーム,合計,人数,選手,
// 人数 being the number of players counted and 選手 their names joined by ・
// (one field); 順位 and 合計 are empty where the team has none.
std::string FormatTeamCsv(const std::vector<Player>& players, const std::vector<TeamRow>& teams);

enum class AwardKind {
    Place,       // 入賞
    Tobi,        // 飛び賞
    Booby,       // ブービー賞
    BoobyMaker,  // ブービーメーカー賞
    HoleInOne,   // ホールインワン賞
    Diamond,     // ダイヤモンド賞: three holes in one or more in one round
};

// One award to one player.
struct AwardRow {
    AwardKind kind = AwardKind::Place;
    std::string award;         // 賞, CP932: 男子1位, 女子2位, 1位, 飛び賞 ...
    std::size_t player = 0;    // index into the players
    std::optional<int> rank;   // 順位: in the place's list, otherwise in the 全体 list
    std::optional<int> total;  // 合計, with the rank
    std::string note;          // 備考, CP932: 2回 for holes in one, 1R・2R for a diamond
    friend bool operator==(const AwardRow&, const AwardRow&) = default;
};

// A hole in one: the player, and the round and hole (both from 0), and the
// number the player's score sheet prints over that hole.
struct HoleInOne {
    std::size_t player = 0;
    int round = 0;
    int hole = 0;
    int printedHole = 1;
    friend bool operator==(const HoleInOne&, const HoleInOne&) = default;
};

struct Prizes {
    std::vector<AwardRow> awards;       // in the order they are given
    std::vector<HoleInOne> holesInOne;  // in the 全体 list's order, then round and hole
    friend bool operator==(const Prizes&, const Prizes&) = default;
};

// The awards of the meeting by results.prizes, over the rounds of the
// settings and `holes` holes a round:
// - 入賞: for 男女別 the 男子 list then the 女子 list, for 全体 the 全体 list;
//   every player whose rank in that list is at most the places awarded.
// - 飛び賞: the players of the 全体 list whose rank is a multiple of n.
// - ブービー賞: the players at the second-to-last rank of the 全体 list, the
//   largest rank below the last that occurs; ブービーメーカー賞: those at the
//   last.  None with fewer than three ranked.
// - A player receives at most one of these four, the first in that order;
//   the others pass over them.
// - ホールインワン賞: every player with a hole in one, complete or not, in the
//   全体 list's order; ダイヤモンド賞: every player with three or more in one
//   round, after all of those.
// The rank and 合計 of every award but a place are those of the 全体 list,
// nothing for a player without a rank.
// The holes in one are named as the sheets of the players' groups number
// them from their start holes.
Prizes AwardPrizes(const std::vector<Player>& players, const Results& results, int holes,
                   const StartHoles& starts = {});

// The awards as CSV bytes (CP932, CR LF): 賞,順位,氏名,チーム,組,合計,備考;
// 組 is empty for a player in no group.
std::string FormatAwardsCsv(const std::vector<Player>& players, const Prizes& prizes);

}  // namespace tovi
