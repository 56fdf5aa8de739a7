#include "sheets/printed_list.h"

#include <algorithm>
#include <utility>

#include "core/cp932.h"
#include "sheets/prize_sheet.h"
#include "sheets/season_sheet.h"
#include "sheets/table_sheet.h"

namespace tovi {

const char* RankingListName(RankingList list) {
    switch (list) {
        case RankingList::All:
            return "全体";
        case RankingList::Men:
            return "男子";
        case RankingList::Women:
            return "女子";
    }
    return "";
}

RankingPrintedList::RankingPrintedList(RankingSheetHeader header, RankingList list,
                                       const std::vector<Player>& players, const Ranking& ranking)
    : header_(std::move(header)), list_(list), players_(players), ranking_(ranking) {
    header_.listName = Utf8ToCp932(RankingListName(list));
}

std::string RankingPrintedList::Title() const {
    return std::string("成績表_") + RankingListName(list_);
}

int RankingPrintedList::Pages() const { return RankingSheetPages(ranking_); }

void RankingPrintedList::DrawPage(DrawingSurface& surface, double scale, int page) const {
    DrawRankingSheet(surface, scale, header_, players_, ranking_, page);
}

std::string RankingPrintedList::Csv() const { return FormatRankingCsv(players_, ranking_); }

TeamPrintedList::TeamPrintedList(const RankingSheetHeader& header,
                                 const std::vector<Player>& players, std::vector<TeamRow> teams)
    : header_(header), players_(players), teams_(std::move(teams)) {}

std::string TeamPrintedList::Title() const { return "団体成績"; }

int TeamPrintedList::Pages() const { return TeamSheetPages(teams_); }

void TeamPrintedList::DrawPage(DrawingSurface& surface, double scale, int page) const {
    DrawTeamSheet(surface, scale, header_, players_, teams_, page);
}

std::string TeamPrintedList::Csv() const { return FormatTeamCsv(players_, teams_); }

AwardPrintedList::AwardPrintedList(const RankingSheetHeader& header,
                                   const std::vector<Player>& players, Prizes prizes)
    : header_(header), players_(players), prizes_(std::move(prizes)) {}

std::string AwardPrintedList::Title() const { return "表彰一覧"; }

int AwardPrintedList::Pages() const { return AwardSheetPages(prizes_); }

void AwardPrintedList::DrawPage(DrawingSurface& surface, double scale, int page) const {
    DrawAwardSheet(surface, scale, header_, players_, prizes_, page);
}

std::string AwardPrintedList::Csv() const { return FormatAwardsCsv(players_, prizes_); }

CardCheckPrintedList::CardCheckPrintedList(const RankingSheetHeader& header,
                                           const std::vector<Player>& players,
                                           std::vector<CardCheckRow> rows)
    : header_(header), players_(players), rows_(std::move(rows)) {}

std::string CardCheckPrintedList::Title() const { return "検算"; }

int CardCheckPrintedList::Pages() const { return SheetPages(rows_.size()); }

void CardCheckPrintedList::DrawPage(DrawingSurface& surface, double scale, int page) const {
    SheetTable table{{},
                     {{32, Utf8ToCp932("組"), true},
                      {140, Utf8ToCp932("氏名"), false},
                      {64, Utf8ToCp932("ラウンド"), true},
                      {56, Utf8ToCp932("入力計"), true},
                      {64, Utf8ToCp932("カード計"), true}},
                     {}};
    const std::size_t first = static_cast<std::size_t>(std::max(page, 0)) * kRankingRowsPerPage;
    for (std::size_t i = first; i < std::min(rows_.size(), first + kRankingRowsPerPage); ++i) {
        const CardCheckRow& row = rows_[i];
        const Player& player = players_.at(row.player);
        table.rows.push_back(
            {player.group != 0 ? std::to_string(player.group) : std::string(), player.name,
             std::to_string(row.round + 1) + "R",
             row.mismatch.holesSum ? std::to_string(*row.mismatch.holesSum) : std::string(),
             std::to_string(row.mismatch.cardTotal)});
    }
    DrawTableSheet(surface, scale, header_, Utf8ToCp932("検算"), {table}, {});
}

std::string CardCheckPrintedList::Csv() const { return FormatCardCheckCsv(players_, rows_); }

SeasonPrintedList::SeasonPrintedList(RankingList list, const Season& season,
                                     const std::vector<SeasonRow>& rows,
                                     const std::vector<SeasonMeeting>& meetings)
    : list_(list), season_(season), rows_(rows), meetings_(meetings) {}

std::string SeasonPrintedList::Title() const {
    return std::string("年間成績_") + RankingListName(list_);
}

int SeasonPrintedList::Pages() const { return SeasonSheetPages(rows_); }

void SeasonPrintedList::DrawPage(DrawingSurface& surface, double scale, int page) const {
    DrawSeasonSheet(surface, scale, season_, rows_, meetings_, Utf8ToCp932(RankingListName(list_)),
                    page);
}

std::string SeasonPrintedList::Csv() const { return FormatSeasonCsv(season_, rows_); }

}  // namespace tovi
