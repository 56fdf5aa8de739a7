#include "season/season.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <tuple>
#include <utility>

#include "core/cp932.h"
#include "core/line_end.h"
#include "model/cp932_literals.h"
#include "model/int_conversion.h"
#include "model/member_line.h"
#include "model/tournament_state.h"
#include "season/meeting_date.h"

namespace tovi {
namespace {

// The rounds and holes a meeting counts, within what a card holds.
int RoundsOf(const SeasonMeeting& meeting) {
    return std::clamp(meeting.results.settings.rounds, kMinRounds, kMaxRounds);
}
int HolesOf(const SeasonMeeting& meeting) { return std::clamp(meeting.holes, 0, kMaxHoles); }

// True when the card holds a stroke within the meeting's rounds and holes.
bool Played(const SeasonMeeting& meeting, const ScoreCard& card) {
    const int holes = HolesOf(meeting);
    for (int round = 0; round < RoundsOf(meeting); ++round)
        for (int hole = 0; hole < holes; ++hole)
            if (card.Strokes(round, hole)) return true;
    return false;
}

// The highest hole (from 1) with a stroke in any card within the rounds
// played; 0 when there is none.
int HighestHoleEntered(const Results& results) {
    const int rounds = std::clamp(results.settings.rounds, kMinRounds, kMaxRounds);
    int highest = 0;
    for (const auto& [key, card] : results.cards)
        for (int round = 0; round < rounds; ++round)
            for (int hole = highest; hole < kMaxHoles; ++hole)
                if (card.Strokes(round, hole)) highest = hole + 1;
    return highest;
}

// The players of the meeting before ranking: the seated ones by group and
// within a group in seat order, as the results window seats them, then the
// other cards in key order.  Only cards with a stroke count.
std::vector<Player> MeetingEntrants(const SeasonMeeting& meeting) {
    const Results& results = meeting.results;
    const auto played = [&](const MemberKey& key) {
        const auto card = results.cards.find(key);
        return card != results.cards.end() && Played(meeting, card->second);
    };
    std::vector<Player> players;
    std::set<MemberKey> listed;
    for (int group = 1; group <= MaxGroups; ++group)
        for (const Seat& seat : results.seats)
            if (seat.group == group && played(seat.key) && listed.insert(seat.key).second)
                players.push_back(PlayerOf(seat.key, group));
    for (const auto& [key, card] : results.cards)
        if (played(key) && listed.insert(key).second) players.push_back(PlayerOf(key, 0));
    return players;
}

// The figures one card adds to a player in a meeting.
struct CardFigures {
    int rounds = 0;
    int strokes = 0;
    int holesInOne = 0;
};

CardFigures FiguresOf(const SeasonMeeting& meeting, const ScoreCard& card) {
    CardFigures figures;
    const int holes = HolesOf(meeting);
    for (int round = 0; round < RoundsOf(meeting); ++round) {
        int strokes = 0;
        bool complete = holes > 0;
        for (int hole = 0; hole < holes; ++hole) {
            const std::optional<int> entered = card.Strokes(round, hole);
            if (!entered) {
                complete = false;
                continue;
            }
            strokes += *entered;
            figures.holesInOne += *entered == 1;
        }
        if (!complete) continue;
        ++figures.rounds;
        figures.strokes += strokes;
    }
    return figures;
}

// -1, 0 or 1 as a's average is lower than, equal to or higher than b's,
// compared as the fractions; a player without rounds has none and comes
// after every average.
int CompareAverages(const SeasonPlayer& a, const SeasonPlayer& b) {
    if (a.rounds == 0 || b.rounds == 0) return (a.rounds == 0) - (b.rounds == 0);
    const std::int64_t left = static_cast<std::int64_t>(a.strokes) * b.rounds;
    const std::int64_t right = static_cast<std::int64_t>(b.strokes) * a.rounds;
    return (left > right) - (left < right);
}

// -1, 0 or 1 as a stands before, level with or after b: by ポイント, then
// by 平均; or by 平均, then by ポイント.
int CompareByPoints(const SeasonPlayer& a, const SeasonPlayer& b) {
    if (a.points != b.points) return a.points > b.points ? -1 : 1;
    return CompareAverages(a, b);
}
int CompareByAverage(const SeasonPlayer& a, const SeasonPlayer& b) {
    if (const int average = CompareAverages(a, b); average != 0) return average;
    return a.points != b.points ? (a.points > b.points ? -1 : 1) : 0;
}

}  // namespace

bool IsValidSeasonSettings(const SeasonSettings& settings) {
    const auto points = [](int value) { return value >= 0 && value <= kMaxPoints; };
    return !settings.pointsTable.empty() &&
           settings.pointsTable.size() <= static_cast<std::size_t>(kMaxPointsTableSize) &&
           std::all_of(settings.pointsTable.begin(), settings.pointsTable.end(), points) &&
           points(settings.attendancePoints) && settings.minimumRounds >= kMinMinimumRounds &&
           settings.minimumRounds <= kMaxMinimumRounds &&
           (settings.order == SeasonOrder::Points || settings.order == SeasonOrder::Average);
}

std::optional<std::vector<int>> ParsePointsTable(std::string_view text) {
    std::vector<int> table;
    for (std::size_t from = 0;;) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        std::string_view field = text.substr(from, comma - from);
        const std::size_t first = field.find_first_not_of(' ');
        field = first == std::string_view::npos
                    ? std::string_view()
                    : field.substr(first, field.find_last_not_of(' ') - first + 1);
        const std::optional<int> points = ParseDigitField(field, 0, kMaxPoints);
        if (!points || table.size() == static_cast<std::size_t>(kMaxPointsTableSize))
            return std::nullopt;
        table.push_back(*points);
        if (comma == text.size()) return table;
        from = comma + 1;
    }
}

std::string FormatPointsTable(const std::vector<int>& table) {
    std::string text;
    for (const int points : table) {
        if (!text.empty()) text += ',';
        text += std::to_string(points);
    }
    return text;
}

SeasonMeetingRead ReadSeasonMeeting(std::string_view bytes, std::string fileName) {
    SeasonMeetingRead read{ParseResultsFile(bytes), std::nullopt};
    if (read.parse.status != ResultsFileStatus::Ok) return read;
    SeasonMeeting meeting{std::move(fileName), read.parse.heading, 0, read.parse.results};
    // A version 1 file records no hole count: the holes its cards reach.
    meeting.holes = meeting.heading ? meeting.heading->holes : HighestHoleEntered(meeting.results);
    read.meeting = std::move(meeting);
    return read;
}

std::vector<Player> MeetingPlayers(const SeasonMeeting& meeting) {
    const std::vector<Player> entrants = MeetingEntrants(meeting);
    const Ranking ranking =
        RankPlayers(entrants, meeting.results, std::max(1, HolesOf(meeting)), RankingList::All);
    std::vector<Player> players;
    for (const RankedRow& row : ranking.rows) players.push_back(entrants.at(row.player));
    return players;
}

int MeetingPlayerCount(const SeasonMeeting& meeting) {
    return static_cast<int>(MeetingEntrants(meeting).size());
}

std::vector<std::size_t> SeasonOrderOfMeetings(const std::vector<SeasonMeeting>& meetings) {
    // The key of a meeting: dated meetings first by date, then the undated,
    // then those without a heading; the index keeps the order given.
    using Key = std::tuple<int, int, int, int, std::size_t>;
    std::vector<Key> keys;
    for (std::size_t i = 0; i < meetings.size(); ++i) {
        const std::optional<MeetingHeading>& heading = meetings[i].heading;
        if (!heading) {
            keys.emplace_back(2, 0, 0, 0, i);
            continue;
        }
        if (const std::optional<MeetingDate> date = DateOf(*heading))
            keys.emplace_back(0, date->year, date->month, date->day, i);
        else
            keys.emplace_back(1, 0, 0, 0, i);
    }
    std::sort(keys.begin(), keys.end());
    std::vector<std::size_t> order;
    for (const Key& key : keys) order.push_back(std::get<4>(key));
    return order;
}

std::string SeasonAverageText(const SeasonPlayer& player) {
    if (player.rounds <= 0) return {};
    // Hundredths, rounded half up, without floating point.
    const std::int64_t rounds = player.rounds;
    const std::int64_t hundredths = (std::int64_t{player.strokes} * 200 + rounds) / (2 * rounds);
    const std::int64_t cents = hundredths % 100;
    return std::to_string(hundredths / 100) + (cents < 10 ? ".0" : ".") + std::to_string(cents);
}

MeetingStanding StandingOf(const SeasonMeeting& meeting) {
    MeetingStanding standing;
    const std::vector<Player> entrants = MeetingEntrants(meeting);
    const Ranking ranking =
        RankPlayers(entrants, meeting.results, std::max(1, HolesOf(meeting)), RankingList::All);
    standing.placings.reserve(ranking.rows.size());
    for (const RankedRow& row : ranking.rows) {
        const Player& entrant = entrants.at(row.player);
        const CardFigures figures = FiguresOf(meeting, meeting.results.cards.at(entrant.key));
        standing.placings.push_back({entrant.name, entrant.team, entrant.gender, row.rank,
                                     figures.rounds, figures.strokes, figures.holesInOne});
    }
    return standing;
}

Season SumSeason(const std::vector<SeasonMeeting>& meetings, const SeasonSettings& settings) {
    std::vector<MeetingStanding> standings;
    standings.reserve(meetings.size());
    for (const SeasonMeeting& meeting : meetings) standings.push_back(StandingOf(meeting));
    return SumStandings(meetings, standings, settings);
}

Season SumStandings(const std::vector<SeasonMeeting>& meetings,
                    const std::vector<MeetingStanding>& standings, const SeasonSettings& settings) {
    Season season;
    season.meetingOrder = SeasonOrderOfMeetings(meetings);
    // The season's player of a name and gender.
    std::map<std::pair<std::string, std::string>, std::size_t> found;
    for (const std::size_t m : season.meetingOrder) {
        // A name and gender held by two cards of one meeting is one player
        // there: attending once, with the points of the better place, and
        // the rounds of both cards.
        std::set<std::size_t> attended;
        for (const MeetingStanding::Placing& placing : standings.at(m).placings) {
            const auto [at, added] =
                found.try_emplace({placing.name, placing.gender}, season.players.size());
            if (added) season.players.push_back({placing.name, {}, placing.gender});
            SeasonPlayer& player = season.players[at->second];
            if (attended.insert(at->second).second) {
                player.team = placing.team;
                ++player.meetings;
                player.points += settings.attendancePoints;
                if (placing.rank && *placing.rank >= 1 &&
                    static_cast<std::size_t>(*placing.rank) <= settings.pointsTable.size())
                    player.points +=
                        settings.pointsTable[static_cast<std::size_t>(*placing.rank - 1)];
            }
            player.rounds += placing.rounds;
            player.strokes += placing.strokes;
            player.holesInOne += placing.holesInOne;
        }
    }
    return season;
}

std::vector<SeasonRow> RankSeason(const Season& season, const SeasonSettings& settings,
                                  RankingList list) {
    const bool byAverage = settings.order == SeasonOrder::Average;
    const int minimumRounds = std::max(settings.minimumRounds, kMinMinimumRounds);
    const auto compare = byAverage ? CompareByAverage : CompareByPoints;
    std::vector<std::size_t> ranked, unranked;
    for (std::size_t i = 0; i < season.players.size(); ++i) {
        const SeasonPlayer& player = season.players[i];
        if (!InList(player.gender, list)) continue;
        (!byAverage || player.rounds >= minimumRounds ? ranked : unranked).push_back(i);
    }
    const auto before = [&season](auto order) {
        return [&season, order](std::size_t a, std::size_t b) {
            return order(season.players[a], season.players[b]) < 0;
        };
    };
    // Stable, so that equal players keep the order of first appearance.
    std::stable_sort(ranked.begin(), ranked.end(), before(compare));
    std::stable_sort(unranked.begin(), unranked.end(), before(CompareByPoints));

    std::vector<SeasonRow> rows;
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        const bool tied =
            i > 0 && compare(season.players[ranked[i]], season.players[ranked[i - 1]]) == 0;
        rows.push_back({ranked[i], tied ? rows.back().rank : static_cast<int>(i + 1)});
    }
    for (const std::size_t player : unranked) rows.push_back({player, std::nullopt});
    return rows;
}

std::string FormatSeasonCsv(const Season& season, const std::vector<SeasonRow>& rows) {
    std::string csv = Utf8ToCp932("順位,氏名,チーム,性別,出場,ポイント,ラウンド,打数,平均,一打");
    csv += kCrLf;
    for (const SeasonRow& row : rows) {
        const SeasonPlayer& player = season.players.at(row.player);
        if (row.rank) csv += std::to_string(*row.rank);
        for (const std::string* text : {&player.name, &player.team, &player.gender}) {
            csv += ',';
            AppendCommaTextField(csv, *text);
        }
        for (const int value : {player.meetings, player.points, player.rounds, player.strokes})
            csv.append(",").append(std::to_string(value));
        csv.append(",").append(SeasonAverageText(player));
        csv.append(",").append(std::to_string(player.holesInOne));
        csv += kCrLf;
    }
    return csv;
}

}  // namespace tovi
