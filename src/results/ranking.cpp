#include "results/ranking.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <set>
#include <string_view>
#include <tuple>
#include <utility>

#include "core/cp932.h"
#include "model/cp932_literals.h"
#include "model/int_conversion.h"
#include "model/member_line.h"
#include "model/roster_table.h"

namespace tovi {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool InList(const Player& player, RankingList list) {
    switch (list) {
        case RankingList::All:
            return true;
        case RankingList::Men:
            return player.gender == cp932::kMale;
        case RankingList::Women:
            return player.gender == cp932::kFemale;
    }
    return false;
}

// What decides the order of two complete players, the better one less:
// 合計, then holes in one, two, three and four, more being better.
auto Standing(const CardSums& sums) {
    return std::make_tuple(sums.total, -sums.holesIn[0], -sums.holesIn[1], -sums.holesIn[2],
                           -sums.holesIn[3]);
}

// The field at index of a roster line's fields, or the empty text.
std::string FieldOr(std::vector<std::string>& fields, std::size_t index) {
    return index < fields.size() ? std::move(fields[index]) : std::string();
}

}  // namespace

Player PlayerOf(const MemberKey& key, int group) {
    std::vector<std::string> fields = SplitCommaText(key.line);
    return {key, FieldOr(fields, 0), FieldOr(fields, 1), FieldOr(fields, 2), group};
}

std::vector<Player> PlayersInGroupOrder(const TournamentState& state) {
    const std::vector<MemberKey> keys = MemberKeys(state.rosterList);
    std::vector<Player> players;
    for (int group = 1; group <= MaxGroups; ++group) {
        for (const std::string& entry : state.groupList[static_cast<std::size_t>(group)]) {
            std::int32_t position = -1;
            try {
                position = StrToInt(entry);
            } catch (const ConversionError&) {
                continue;
            }
            if (position < 0 || static_cast<std::size_t>(position) >= keys.size()) continue;
            players.push_back(PlayerOf(keys[static_cast<std::size_t>(position)], group));
        }
    }
    return players;
}

std::vector<Player> PlayersInNoGroup(const std::vector<Player>& grouped,
                                     const std::vector<std::string>& rosterLines,
                                     const Results& results) {
    std::set<MemberKey> shown;
    for (const Player& player : grouped) shown.insert(player.key);
    const auto apart = [&](const MemberKey& key) {
        const auto card = results.cards.find(key);
        return card != results.cards.end() && !card->second.IsEmpty() && !shown.contains(key);
    };
    std::vector<Player> players;
    for (const MemberKey& key : MemberKeys(rosterLines)) {
        if (!apart(key)) continue;
        players.push_back(PlayerOf(key, 0));
        shown.insert(key);
    }
    for (const auto& [key, card] : results.cards)
        if (apart(key)) players.push_back(PlayerOf(key, 0));
    return players;
}

Ranking RankPlayers(const std::vector<Player>& players, const Results& results, int holes,
                    RankingList list) {
    static const ScoreCard kNothingEntered;
    Ranking ranking;
    ranking.rounds = std::clamp(results.settings.rounds, kMinRounds, kMaxRounds);
    std::vector<RankedRow> unranked;
    for (std::size_t i = 0; i < players.size(); ++i) {
        if (!InList(players[i], list)) continue;
        const auto card = results.cards.find(players[i].key);
        RankedRow row{i, std::nullopt,
                      SumCard(card == results.cards.end() ? kNothingEntered : card->second,
                              results.settings, holes),
                      std::nullopt, false};
        (row.sums.complete ? ranking.rows : unranked).push_back(std::move(row));
    }
    // Stable, so that equal players stay in the order given.
    std::stable_sort(
        ranking.rows.begin(), ranking.rows.end(),
        [](const RankedRow& a, const RankedRow& b) { return Standing(a.sums) < Standing(b.sums); });
    for (std::size_t i = 0; i < ranking.rows.size(); ++i) {
        const bool tied =
            i > 0 && Standing(ranking.rows[i].sums) == Standing(ranking.rows[i - 1].sums);
        ranking.rows[i].rank = tied ? ranking.rows[i - 1].rank : static_cast<int>(i + 1);
    }
    ranking.rows.insert(ranking.rows.end(), std::make_move_iterator(unranked.begin()),
                        std::make_move_iterator(unranked.end()));
    return ranking;
}

std::string FormatRankingCsv(const std::vector<Player>& players, const Ranking& ranking) {
    std::string csv = Utf8ToCp932("順位,氏名,チーム,性別,組");
    for (int round = 1; round <= ranking.rounds; ++round) {
        csv += ',';
        csv += std::to_string(round);
        csv += 'R';
    }
    csv += Utf8ToCp932(",実打数,一打,二打,合計");
    csv += kLineEnd;

    for (const RankedRow& row : ranking.rows) {
        const Player& player = players.at(row.player);
        if (row.rank) csv += std::to_string(*row.rank);
        for (const std::string* text : {&player.name, &player.team, &player.gender}) {
            csv += ',';
            AppendCommaTextField(csv, *text);
        }
        csv += ',';
        csv += std::to_string(player.group);
        const auto number = [&csv](int value) {
            csv += ',';
            csv += std::to_string(value);
        };
        for (const int sum : row.sums.roundSums) number(sum);
        number(row.sums.strokes);
        number(row.sums.holesIn[0]);
        number(row.sums.holesIn[1]);
        number(row.sums.total);
        csv += kLineEnd;
    }
    return csv;
}

}  // namespace tovi
