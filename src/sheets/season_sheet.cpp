#include "sheets/season_sheet.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "core/cp932.h"
#include "season/meeting_date.h"
#include "sheets/table_sheet.h"

namespace tovi {
namespace {

// The columns take 672 of the 700 units between the page's margins.
std::vector<SheetColumn> Columns() {
    return {{44, Utf8ToCp932("順位"), true},         {140, Utf8ToCp932("氏名"), false},
            {128, Utf8ToCp932("チーム"), false, 14}, {40, Utf8ToCp932("性別"), false},
            {44, Utf8ToCp932("出場"), true},         {64, Utf8ToCp932("ポイント"), true},
            {64, Utf8ToCp932("ラウンド"), true},     {52, Utf8ToCp932("打数"), true},
            {56, Utf8ToCp932("平均"), true},         {40, Utf8ToCp932("一打"), true}};
}

// The text every meeting with a heading has there, or the empty text when
// they differ or none has a heading.
std::string Shared(const std::vector<SeasonMeeting>& meetings, std::string MeetingHeading::*field) {
    std::optional<std::string> shared;
    for (const SeasonMeeting& meeting : meetings) {
        if (!meeting.heading) continue;
        const std::string& text = (*meeting.heading).*field;
        if (shared && *shared != text) return {};
        shared = text;
    }
    return shared.value_or(std::string());
}

std::string DateText(const MeetingDate& date) {
    return std::to_string(date.year) + Utf8ToCp932("年") + std::to_string(date.month) +
           Utf8ToCp932("月") + std::to_string(date.day) + Utf8ToCp932("日");
}

// The first and the last 開催日 in season order, when a meeting has one.
struct SeasonDays {
    MeetingDate first, last;
    const MeetingHeading* lastHeading = nullptr;  // the last's, for its date as typed
};

std::optional<SeasonDays> DaysOf(const std::vector<SeasonMeeting>& meetings) {
    std::optional<SeasonDays> days;
    for (const std::size_t m : SeasonOrderOfMeetings(meetings)) {
        if (!meetings[m].heading) continue;
        const std::optional<MeetingDate> date = DateOf(*meetings[m].heading);
        if (!date) continue;
        if (!days) days = SeasonDays{*date, *date};
        days->last = *date;
        days->lastHeading = &*meetings[m].heading;
    }
    return days;
}

}  // namespace

int SeasonSheetPages(const std::vector<SeasonRow>& rows) { return SheetPages(rows.size()); }

RankingSheetHeader SeasonSheetHeader(const std::vector<SeasonMeeting>& meetings,
                                     const std::string& listName) {
    RankingSheetHeader header;
    header.title = Shared(meetings, &MeetingHeading::title);
    header.course = Shared(meetings, &MeetingHeading::course);
    header.listName = listName;
    const std::string count = std::to_string(meetings.size()) + Utf8ToCp932("回");
    const std::optional<SeasonDays> days = DaysOf(meetings);
    if (!days) {
        header.meetingName = count;
        return header;
    }
    header.meetingName = DateText(days->first);
    if (days->last != days->first) header.meetingName += Utf8ToCp932("～") + DateText(days->last);
    header.meetingName += Utf8ToCp932("　") + count;
    // The date as the last meeting's own sheets print it.
    header.year = days->lastHeading->year;
    header.month = days->lastHeading->month;
    header.day = days->lastHeading->day;
    return header;
}

void DrawSeasonSheet(DrawingSurface& surface, double scale, const Season& season,
                     const std::vector<SeasonRow>& rows, const std::vector<SeasonMeeting>& meetings,
                     const std::string& listName, int page) {
    SheetTable table{{}, Columns(), {}};
    const std::size_t first = static_cast<std::size_t>(std::max(page, 0)) * kRankingRowsPerPage;
    const std::size_t last =
        std::min(rows.size(), first + static_cast<std::size_t>(kRankingRowsPerPage));
    for (std::size_t i = first; i < last; ++i) {
        const SeasonRow& row = rows[i];
        const SeasonPlayer& player = season.players.at(row.player);
        table.rows.push_back({row.rank ? std::to_string(*row.rank) : std::string(), player.name,
                              player.team, player.gender, std::to_string(player.meetings),
                              std::to_string(player.points), std::to_string(player.rounds),
                              std::to_string(player.strokes), SeasonAverageText(player),
                              std::to_string(player.holesInOne)});
    }
    DrawTableSheet(surface, scale, SeasonSheetHeader(meetings, listName),
                   Utf8ToCp932("年間成績　") + listName, {table}, {});
}

}  // namespace tovi
