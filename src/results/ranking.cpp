#include "results/ranking.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <set>
#include <span>
#include <string_view>
#include <tuple>
#include <utility>

#include "core/cp932.h"
#include "core/line_end.h"
#include "model/cp932_literals.h"
#include "model/int_conversion.h"
#include "model/member_line.h"
#include "model/roster_table.h"

namespace tovi {
namespace {

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

// Where a member stands in the organiser's decisions: which decision holds
// it and its place there.  A member held twice counts where it first stands.
struct DecidedPlace {
    std::size_t decision = 0;
    std::size_t position = 0;
};

std::map<MemberKey, DecidedPlace> DecidedPlaces(
    const std::vector<std::vector<MemberKey>>& decisions) {
    std::map<MemberKey, DecidedPlace> places;
    for (std::size_t d = 0; d < decisions.size(); ++d)
        for (std::size_t p = 0; p < decisions[d].size(); ++p)
            places.try_emplace(decisions[d][p], DecidedPlace{d, p});
    return places;
}

// What orders the players of a tie by age, the older less: the date of
// birth, a player without one after every date.
std::pair<bool, BirthDate> AgeKey(const Player& player) {
    return {!player.born, player.born.value_or(BirthDate{})};
}

// The rows of one tie, all with the same rank.  With olderFirst they are
// first ordered by age.  Then the decisions: the members of each decision
// take the tie's rows they hold, in the decided order; the tie is decided
// when one decision holds all its players.  Otherwise, with olderFirst, a
// row born on the day of the one before shares its rank, any other takes the
// tie's rank plus its place, and a tie so parted is decided.
void DecideTie(std::span<RankedRow> tie, const std::vector<Player>& players,
               const std::map<MemberKey, DecidedPlace>& places, bool olderFirst) {
    const auto age = [&](const RankedRow& row) { return AgeKey(players[row.player]); };
    if (olderFirst)
        std::stable_sort(tie.begin(), tie.end(),
                         [&](const RankedRow& a, const RankedRow& b) { return age(a) < age(b); });
    // The rows of the tie each decision holds, by decision.
    std::map<std::size_t, std::vector<std::size_t>> held;
    for (std::size_t i = 0; i < tie.size(); ++i) {
        const auto place = places.find(players[tie[i].player].key);
        if (place != places.end()) held[place->second.decision].push_back(i);
    }
    const auto position = [&](const RankedRow& row) {
        return places.at(players[row.player].key).position;
    };
    for (const auto& [decision, rows] : held) {
        std::vector<RankedRow> members;
        for (const std::size_t i : rows) members.push_back(tie[i]);
        std::stable_sort(
            members.begin(), members.end(),
            [&](const RankedRow& a, const RankedRow& b) { return position(a) < position(b); });
        for (std::size_t k = 0; k < rows.size(); ++k) tie[rows[k]] = std::move(members[k]);
    }
    if (tie.size() < 2) return;
    if (held.size() == 1 && held.begin()->second.size() == tie.size()) {
        for (std::size_t k = 0; k < tie.size(); ++k) {
            tie[k].rank = *tie[k].tie + static_cast<int>(k);
            tie[k].decided = true;
        }
        return;
    }
    if (!olderFirst) return;
    bool parted = false;
    for (std::size_t k = 1; k < tie.size(); ++k) {
        if (age(tie[k]) == age(tie[k - 1])) {
            tie[k].rank = tie[k - 1].rank;
        } else {
            tie[k].rank = *tie[k].tie + static_cast<int>(k);
            parted = true;
        }
    }
    if (parted)
        for (RankedRow& row : tie) row.decided = true;
}

}  // namespace

Player PlayerOf(const MemberKey& key, int group) {
    std::vector<std::string> fields = SplitCommaText(key.line);
    return {key,
            FieldOr(fields, 0),
            FieldOr(fields, 1),
            FieldOr(fields, 2),
            ReadBirthDateField(FieldOr(fields, 3)),
            group};
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
        if (!InList(players[i].gender, list)) continue;
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
        ranking.rows[i].tie = ranking.rows[i].rank;
    }
    const std::map<MemberKey, DecidedPlace> places = DecidedPlaces(results.decisions);
    for (auto first = ranking.rows.begin(); first != ranking.rows.end();) {
        const auto last = std::find_if(first, ranking.rows.end(),
                                       [&](const RankedRow& row) { return row.tie != first->tie; });
        DecideTie(std::span<RankedRow>(first, last), players, places, results.olderFirst);
        first = last;
    }
    ranking.rows.insert(ranking.rows.end(), std::make_move_iterator(unranked.begin()),
                        std::make_move_iterator(unranked.end()));
    return ranking;
}

bool MoveWithinTie(const std::vector<Player>& players, const Ranking& ranking, std::size_t row,
                   int step, std::vector<std::vector<MemberKey>>& decisions) {
    if (row >= ranking.rows.size() || (step != -1 && step != 1)) return false;
    const std::optional<int> tie = ranking.rows[row].tie;
    if (!tie) return false;
    // The tie's rows follow one another.
    std::size_t first = row;
    while (first > 0 && ranking.rows[first - 1].tie == tie) --first;
    std::size_t last = row + 1;
    while (last < ranking.rows.size() && ranking.rows[last].tie == tie) ++last;
    if (step < 0 ? row == first : row + 1 == last) return false;

    std::vector<MemberKey> order;
    for (std::size_t i = first; i < last; ++i)
        order.push_back(players.at(ranking.rows[i].player).key);
    std::swap(order[row - first], order[row + step - first]);

    // The decision that holds every player of the tie: their places in it
    // take the new order, its other members stay where they are.
    const std::map<MemberKey, DecidedPlace> places = DecidedPlaces(decisions);
    const auto held = places.find(order.front());
    const bool whole = std::all_of(order.begin(), order.end(), [&](const MemberKey& key) {
        const auto place = places.find(key);
        return held != places.end() && place != places.end() &&
               place->second.decision == held->second.decision;
    });
    if (whole) {
        std::vector<std::size_t> positions;
        for (const MemberKey& key : order) positions.push_back(places.at(key).position);
        std::sort(positions.begin(), positions.end());
        std::vector<MemberKey>& decision = decisions[held->second.decision];
        for (std::size_t k = 0; k < order.size(); ++k) decision[positions[k]] = order[k];
        return true;
    }

    // Otherwise the tie's players leave the decisions they were in, which
    // lapse when fewer than two remain, and their order is a decision anew.
    const std::set<MemberKey> moved(order.begin(), order.end());
    std::vector<std::vector<MemberKey>> kept;
    for (std::vector<MemberKey>& decision : decisions) {
        const std::size_t before = decision.size();
        std::erase_if(decision, [&](const MemberKey& key) { return moved.contains(key); });
        if (decision.size() == before || decision.size() >= 2) kept.push_back(std::move(decision));
    }
    kept.push_back(std::move(order));
    decisions = std::move(kept);
    return true;
}

std::string FormatRankingCsv(const std::vector<Player>& players, const Ranking& ranking) {
    std::string csv = Utf8ToCp932("順位,氏名,チーム,性別,組");
    for (int round = 1; round <= ranking.rounds; ++round) {
        csv += ',';
        csv += std::to_string(round);
        csv += 'R';
    }
    csv += Utf8ToCp932(",実打数,一打,二打,合計");
    csv += kCrLf;

    for (const RankedRow& row : ranking.rows) {
        const Player& player = players.at(row.player);
        if (row.rank) csv += std::to_string(*row.rank);
        for (const std::string* text : {&player.name, &player.team, &player.gender}) {
            csv += ',';
            AppendCommaTextField(csv, *text);
        }
        csv += ',';
        if (player.group != 0) csv += std::to_string(player.group);
        const auto number = [&csv](int value) {
            csv += ',';
            csv += std::to_string(value);
        };
        for (const int sum : row.sums.roundSums) number(sum);
        number(row.sums.strokes);
        number(row.sums.holesIn[0]);
        number(row.sums.holesIn[1]);
        number(row.sums.total);
        csv += kCrLf;
    }
    return csv;
}

bool InList(std::string_view gender, RankingList list) {
    switch (list) {
        case RankingList::All:
            return true;
        case RankingList::Men:
            return gender == cp932::kMale;
        case RankingList::Women:
            return gender == cp932::kFemale;
    }
    return false;
}

}  // namespace tovi
