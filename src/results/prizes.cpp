#include "results/prizes.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <set>
#include <string_view>
#include <utility>

#include "core/cp932.h"
#include "core/line_end.h"
#include "model/member_line.h"

namespace tovi {
namespace {

void AppendNumber(std::string& csv, std::optional<int> value) {
    if (value) csv += std::to_string(*value);
}

// The players of the ranking in its order, then any player it leaves out in
// the order given.
std::vector<std::size_t> ListOrder(const std::vector<Player>& players, const Ranking& ranking) {
    std::vector<std::size_t> order;
    std::vector<bool> listed(players.size(), false);
    for (const RankedRow& row : ranking.rows) {
        if (row.player >= players.size() || listed[row.player]) continue;
        listed[row.player] = true;
        order.push_back(row.player);
    }
    for (std::size_t i = 0; i < players.size(); ++i)
        if (!listed[i]) order.push_back(i);
    return order;
}

// The holes in one of a player's card: by round, the holes (from 0) taken in
// one stroke, within the rounds and holes played.
std::array<std::vector<int>, kMaxRounds> HolesInOneOf(const Results& results, const Player& player,
                                                      int holes) {
    std::array<std::vector<int>, kMaxRounds> found;
    const auto card = results.cards.find(player.key);
    if (card == results.cards.end()) return found;
    const int rounds = std::clamp(results.settings.rounds, kMinRounds, kMaxRounds);
    holes = std::clamp(holes, kMinHoles, kMaxHoles);
    for (int round = 0; round < rounds; ++round)
        for (int hole = 0; hole < holes; ++hole)
            if (card->second.Strokes(round, hole) == 1)
                found[static_cast<std::size_t>(round)].push_back(hole);
    return found;
}

}  // namespace

std::vector<TeamRow> RankTeams(const std::vector<Player>& players, const Ranking& overall,
                               int teamSize) {
    const std::size_t counted = static_cast<std::size_t>(std::max(teamSize, kMinTeamSize));
    // The teams in the order their first player appears, with their ranked
    // players in ranking order.
    std::vector<TeamRow> teams;
    std::map<std::string, std::size_t> found;
    for (const std::size_t player : ListOrder(players, overall)) {
        const std::string& team = players[player].team;
        if (team.empty()) continue;
        if (found.try_emplace(team, teams.size()).second)
            teams.push_back({std::nullopt, team, std::nullopt, {}});
    }
    for (const RankedRow& row : overall.rows) {
        if (!row.rank || row.player >= players.size() || players[row.player].team.empty()) continue;
        TeamRow& team = teams[found.at(players[row.player].team)];
        if (team.counted.size() >= counted) continue;
        team.counted.push_back(row.player);
        team.total = team.total.value_or(0) + row.sums.total;
    }

    // Stable, so that teams equal in rank, and the teams without one, keep
    // the order of their first players.
    const auto full = std::stable_partition(teams.begin(), teams.end(), [&](const TeamRow& team) {
        return team.counted.size() == counted;
    });
    std::stable_sort(teams.begin(), full,
                     [](const TeamRow& a, const TeamRow& b) { return *a.total < *b.total; });
    for (auto team = teams.begin(); team != full; ++team) {
        const bool tied = team != teams.begin() && team->total == std::prev(team)->total;
        team->rank = tied ? std::prev(team)->rank
                          : std::optional<int>(static_cast<int>(team - teams.begin()) + 1);
    }
    return teams;
}

std::string FormatTeamCsv(const std::vector<Player>& players, const std::vector<TeamRow>& teams) {
    const std::string separator = Utf8ToCp932("・");
    std::string csv = Utf8ToCp932("順位,チーム,合計,人数,選手");
    csv += kCrLf;
    for (const TeamRow& team : teams) {
        AppendNumber(csv, team.rank);
        csv += ',';
        AppendCommaTextField(csv, team.team);
        csv += ',';
        AppendNumber(csv, team.total);
        csv += ',';
        csv += std::to_string(team.counted.size());
        csv += ',';
        std::string names;
        for (std::size_t i = 0; i < team.counted.size(); ++i) {
            if (i > 0) names += separator;
            names += players.at(team.counted[i]).name;
        }
        AppendCommaTextField(csv, names);
        csv += kCrLf;
    }
    return csv;
}

Prizes AwardPrizes(const std::vector<Player>& players, const Results& results, int holes,
                   const StartHoles& starts) {
    const PrizeSettings& settings = results.prizes;
    const Ranking overall = RankPlayers(players, results, holes, RankingList::All);
    Prizes prizes;
    std::set<std::size_t> awarded;  // a place, 飛び賞 or booby prize each at most
    // Given to ranked players only.
    const auto give = [&](AwardKind kind, std::string award, const RankedRow& row) {
        prizes.awards.push_back(
            {kind, std::move(award), row.player, row.rank, row.sums.total, std::string()});
        awarded.insert(row.player);
    };

    // 入賞, by the ranks of the list the places are given in.
    const auto place = [&](const Ranking& ranking, const std::string& prefix) {
        for (const RankedRow& row : ranking.rows) {
            if (!row.rank || *row.rank > settings.places || awarded.contains(row.player)) continue;
            give(AwardKind::Place, prefix + std::to_string(*row.rank) + Utf8ToCp932("位"), row);
        }
    };
    if (settings.division == PrizeDivision::BySex) {
        place(RankPlayers(players, results, holes, RankingList::Men), Utf8ToCp932("男子"));
        place(RankPlayers(players, results, holes, RankingList::Women), Utf8ToCp932("女子"));
    } else {
        place(overall, std::string());
    }

    // The rest by the 全体 ranks; a player already awarded is passed over,
    // the prize going to nobody else in their stead.
    const auto byRank = [&](AwardKind kind, const std::string& award, auto wins) {
        for (const RankedRow& row : overall.rows)
            if (row.rank && wins(*row.rank) && !awarded.contains(row.player))
                give(kind, award, row);
    };
    if (settings.tobiEvery > 0) {
        byRank(AwardKind::Tobi, Utf8ToCp932("飛び賞"),
               [&](int rank) { return rank % settings.tobiEvery == 0; });
    }
    std::vector<int> ranks;  // the ranks that occur, best first
    for (const RankedRow& row : overall.rows)
        if (row.rank && (ranks.empty() || ranks.back() != *row.rank)) ranks.push_back(*row.rank);
    const auto rankedCount =
        std::count_if(overall.rows.begin(), overall.rows.end(),
                      [](const RankedRow& row) { return row.rank.has_value(); });
    if (rankedCount >= 3) {
        if (settings.booby && ranks.size() >= 2) {
            const int booby = ranks[ranks.size() - 2];
            byRank(AwardKind::Booby, Utf8ToCp932("ブービー賞"),
                   [&](int rank) { return rank == booby; });
        }
        if (settings.boobyMaker) {
            const int last = ranks.back();
            byRank(AwardKind::BoobyMaker, Utf8ToCp932("ブービーメーカー賞"),
                   [&](int rank) { return rank == last; });
        }
    }

    // The holes in one, whoever made them, in the order of the 全体 list.
    std::map<std::size_t, const RankedRow*> rowOf;
    for (const RankedRow& row : overall.rows) rowOf.try_emplace(row.player, &row);
    std::vector<AwardRow> diamonds;
    for (const std::size_t player : ListOrder(players, overall)) {
        const auto found = HolesInOneOf(results, players[player], holes);
        int count = 0;
        std::string rounds;  // the rounds of three or more
        for (std::size_t round = 0; round < found.size(); ++round) {
            for (const int hole : found[round])
                prizes.holesInOne.push_back(
                    {player, static_cast<int>(round), hole,
                     PrintedHoleNumber(starts, players[player].group, hole, holes)});
            count += static_cast<int>(found[round].size());
            if (found[round].size() < 3) continue;
            if (!rounds.empty()) rounds += Utf8ToCp932("・");
            rounds += std::to_string(round + 1) + 'R';
        }
        if (count == 0) continue;
        const auto row = rowOf.find(player);
        const std::optional<int> rank = row != rowOf.end() ? row->second->rank : std::nullopt;
        const std::optional<int> total =
            rank ? std::optional<int>(row->second->sums.total) : std::nullopt;
        prizes.awards.push_back({AwardKind::HoleInOne, Utf8ToCp932("ホールインワン賞"), player,
                                 rank, total, std::to_string(count) + Utf8ToCp932("回")});
        if (!rounds.empty())
            diamonds.push_back(
                {AwardKind::Diamond, Utf8ToCp932("ダイヤモンド賞"), player, rank, total, rounds});
    }
    prizes.awards.insert(prizes.awards.end(), std::make_move_iterator(diamonds.begin()),
                         std::make_move_iterator(diamonds.end()));
    return prizes;
}

std::string FormatAwardsCsv(const std::vector<Player>& players, const Prizes& prizes) {
    std::string csv = Utf8ToCp932("賞,順位,氏名,チーム,組,合計,備考");
    csv += kCrLf;
    for (const AwardRow& award : prizes.awards) {
        const Player& player = players.at(award.player);
        AppendCommaTextField(csv, award.award);
        csv += ',';
        AppendNumber(csv, award.rank);
        csv += ',';
        AppendCommaTextField(csv, player.name);
        csv += ',';
        AppendCommaTextField(csv, player.team);
        csv += ',';
        if (player.group != 0) csv += std::to_string(player.group);
        csv += ',';
        AppendNumber(csv, award.total);
        csv += ',';
        AppendCommaTextField(csv, award.note);
        csv += kCrLf;
    }
    return csv;
}

}  // namespace tovi
