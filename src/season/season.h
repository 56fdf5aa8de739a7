// The season (年間成績): a club's meetings, each a results file, summed per
// player into attendance, points, rounds, strokes, average and holes in one,
// and ranked.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/ranking.h"
#include "results/results_file.h"
#include "results/score_card.h"

namespace tovi {

inline constexpr int kMaxPointsTableSize = 20;
inline constexpr int kMaxPoints = 999;
inline constexpr int kMinMinimumRounds = 1;
inline constexpr int kMaxMinimumRounds = 99;

enum class SeasonOrder {
    Points = 0,   // ポイント順
    Average = 1,  // 平均順
};

struct SeasonSettings {
    std::vector<int> pointsTable = {10, 8, 6, 5, 4, 3, 2, 1};  // rank 1, 2, ...; beyond it 0
    int attendancePoints = 1;                                  // 参加点, 0..999
    int minimumRounds = 1;  // 最低ラウンド (平均順), 1..99
    SeasonOrder order = SeasonOrder::Points;
    friend bool operator==(const SeasonSettings&, const SeasonSettings&) = default;
};

bool IsValidSeasonSettings(const SeasonSettings& settings);

// The points table typed as a comma list ("10,8,6,5,4,3,2,1"): 1..20 whole
// numbers 0..999, spaces around them allowed.  Nothing for anything else.
std::optional<std::vector<int>> ParsePointsTable(std::string_view text);
// The table as the comma list it is typed as.
std::string FormatPointsTable(const std::vector<int>& table);

// One meeting of the season: a results file read.
struct SeasonMeeting {
    std::string fileName;                   // as shown, UTF-8 (the file's name without its folder)
    std::optional<MeetingHeading> heading;  // nothing for a version 1 file
    int holes = 0;  // the heading's; for version 1 the highest hole with a stroke
    Results results;
    friend bool operator==(const SeasonMeeting&, const SeasonMeeting&) = default;
};

// The meeting a results file's bytes hold, or the parse that refused it.
struct SeasonMeetingRead {
    ResultsParse parse;                    // status Ok when read
    std::optional<SeasonMeeting> meeting;  // when read
};
SeasonMeetingRead ReadSeasonMeeting(std::string_view bytes, std::string fileName);

// The players of a meeting (every card with a stroke) in the order of its
// 全体 list, and that list: seated players in seat order, then the other
// cards in key order, ranked with the meeting's decisions.
std::vector<Player> MeetingPlayers(const SeasonMeeting& meeting);
// The number of players with strokes.
int MeetingPlayerCount(const SeasonMeeting& meeting);

// Orders the meetings: by 開催日 (year, month, day as numbers; a date that is
// not three numbers sorts after those that are), then in the order given; a
// version 1 meeting (no heading) last.  Returns the indices in that order.
std::vector<std::size_t> SeasonOrderOfMeetings(const std::vector<SeasonMeeting>& meetings);

// A player of the season: the same 氏名 and 性別 bytes across meetings.
struct SeasonPlayer {
    std::string name;    // CP932
    std::string team;    // of the latest meeting the player played in (in season order)
    std::string gender;  // CP932
    int meetings = 0;    // 出場: meetings with a stroke
    int points = 0;      // ポイント
    int rounds = 0;      // ラウンド: rounds with every hole entered
    int strokes = 0;     // 打数 of those rounds, before any deduction
    int holesInOne = 0;  // 一打 over all entered holes
    friend bool operator==(const SeasonPlayer&, const SeasonPlayer&) = default;
};

// 平均 as shown: 打数 / ラウンド with two decimals ("27.50"); empty when
// ラウンド is 0.
std::string SeasonAverageText(const SeasonPlayer& player);

struct SeasonRow {
    std::size_t player = 0;   // index into the season's players
    std::optional<int> rank;  // nothing for a player below 最低ラウンド (平均順)
    friend bool operator==(const SeasonRow&, const SeasonRow&) = default;
};

struct Season {
    std::vector<SeasonPlayer> players;      // in order of first appearance
    std::vector<std::size_t> meetingOrder;  // SeasonOrderOfMeetings
};

// Sums the meetings (in season order) into the players, each in the order of
// first appearance: meeting by meeting, within a meeting in its 全体 list's
// order.
Season SumSeason(const std::vector<SeasonMeeting>& meetings, const SeasonSettings& settings);

// What one meeting gives its players whatever the settings: each player's
// place in its 全体 list and the figures of their card, in that list's order.
// Worked out once a meeting, so that a change of the settings sums only.
struct MeetingStanding {
    struct Placing {
        std::string name;    // CP932
        std::string team;    // CP932
        std::string gender;  // CP932
        std::optional<int> rank;
        int rounds = 0;   // with every hole entered
        int strokes = 0;  // of those rounds
        int holesInOne = 0;
    };
    std::vector<Placing> placings;
};
MeetingStanding StandingOf(const SeasonMeeting& meeting);
// SumSeason with the standings of the meetings (standings[i] of meetings[i])
// worked out before.
Season SumStandings(const std::vector<SeasonMeeting>& meetings,
                    const std::vector<MeetingStanding>& standings, const SeasonSettings& settings);

// Ranks one list (全体, 男子, 女子) of the season by the settings' order:
// ポイント順: more ポイント, then lower 平均 (empty last); 平均順: players with at
// least 最低ラウンド rounds by lower 平均 (compared exactly, as the fraction),
// then more ポイント; the others follow without a rank in ポイント order.  Equal
// players share a rank (1, 2, 2, 4) and keep the order of first appearance.
std::vector<SeasonRow> RankSeason(const Season& season, const SeasonSettings& settings,
                                  RankingList list);

// The CSV bytes (CP932, CR LF) of a ranked list:
// 順位,氏名,チーム,性別,出場,ポイント,ラウンド,打数,平均,一打.
std::string FormatSeasonCsv(const Season& season, const std::vector<SeasonRow>& rows);

// The season file: the settings and the meetings' paths relative to the
// season file's folder (CP932 text, CR LF):
//   年間成績,1
//   ポイント,10,8,6,5,4,3,2,1
//   参加点,1
//   最低ラウンド,1
//   順位,0            0 ポイント順, 1 平均順
//   PATH              one line per meeting, quoted by the roster's rule
struct SeasonFile {
    SeasonSettings settings;
    std::vector<std::string> paths;  // UTF-8, with '/' between folders
    friend bool operator==(const SeasonFile&, const SeasonFile&) = default;
};
struct SeasonFileBytes {
    std::string bytes;
    // Paths that CP932 cannot spell, or that hold a line end: not written.
    std::vector<std::string> leftOut;
};
SeasonFileBytes FormatSeasonFile(const SeasonFile& file);
// Nothing when the bytes are not a season file of this version, or a line
// is malformed or out of range.
std::optional<SeasonFile> ParseSeasonFile(std::string_view bytes);
// True when the bytes begin with the season file's marker (for telling the
// organiser that a season file is not a meeting).
bool IsSeasonFile(std::string_view bytes);

}  // namespace tovi
