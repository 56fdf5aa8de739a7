// A list the organiser prints or saves as CSV: 順位 (全体, 男子 or 女子), 団体,
// 表彰, 検算 and 年間成績.  Each window's 印刷 and CSV保存 take the list it shows
// through this one interface, so that what is printed and what is saved
// come from the same figures.
#pragma once

#include <string>
#include <vector>

#include "core/drawing_surface.h"
#include "results/card_check.h"
#include "results/prizes.h"
#include "results/ranking.h"
#include "season/season.h"
#include "sheets/ranking_sheet.h"

namespace tovi {

class PrintedList {
public:
    virtual ~PrintedList() = default;

    // The title of the print job, which is also the name a PDF or CSV file
    // is offered under (UTF-8): 成績表_全体, 団体成績, 表彰一覧, 年間成績_男子 ...
    virtual std::string Title() const = 0;
    // The number of pages the print takes (A4 portrait).
    virtual int Pages() const = 0;
    // Draws page `page` (from 0) at scale (RankingSheetScale).
    virtual void DrawPage(DrawingSurface& surface, double scale, int page) const = 0;
    // The CSV file's bytes (CP932, CR LF).
    virtual std::string Csv() const = 0;
};

// The name of a ranking list, UTF-8: 全体, 男子 or 女子.
const char* RankingListName(RankingList list);

// The lists hold references: what they are made from must outlive them.

// The ranking of one list; header.listName is set from list.
class RankingPrintedList final : public PrintedList {
public:
    RankingPrintedList(RankingSheetHeader header, RankingList list,
                       const std::vector<Player>& players, const Ranking& ranking);
    std::string Title() const override;
    int Pages() const override;
    void DrawPage(DrawingSurface& surface, double scale, int page) const override;
    std::string Csv() const override;

private:
    RankingSheetHeader header_;
    RankingList list_;
    const std::vector<Player>& players_;
    const Ranking& ranking_;
};

// 団体: the teams ranked.
class TeamPrintedList final : public PrintedList {
public:
    TeamPrintedList(const RankingSheetHeader& header, const std::vector<Player>& players,
                    std::vector<TeamRow> teams);
    std::string Title() const override;
    int Pages() const override;
    void DrawPage(DrawingSurface& surface, double scale, int page) const override;
    std::string Csv() const override;

private:
    const RankingSheetHeader& header_;
    const std::vector<Player>& players_;
    std::vector<TeamRow> teams_;
};

// 表彰: the awards and the holes in one.
class AwardPrintedList final : public PrintedList {
public:
    AwardPrintedList(const RankingSheetHeader& header, const std::vector<Player>& players,
                     Prizes prizes);
    std::string Title() const override;
    int Pages() const override;
    void DrawPage(DrawingSurface& surface, double scale, int page) const override;
    std::string Csv() const override;

private:
    const RankingSheetHeader& header_;
    const std::vector<Player>& players_;
    Prizes prizes_;
};

// 検算: the rounds whose カード計 does not agree with their holes.
class CardCheckPrintedList final : public PrintedList {
public:
    CardCheckPrintedList(const RankingSheetHeader& header, const std::vector<Player>& players,
                         std::vector<CardCheckRow> rows);
    std::string Title() const override;
    int Pages() const override;
    void DrawPage(DrawingSurface& surface, double scale, int page) const override;
    std::string Csv() const override;

private:
    const RankingSheetHeader& header_;
    const std::vector<Player>& players_;
    std::vector<CardCheckRow> rows_;
};

// 年間成績: the season's figures in one list's order.
class SeasonPrintedList final : public PrintedList {
public:
    SeasonPrintedList(RankingList list, const Season& season, const std::vector<SeasonRow>& rows,
                      const std::vector<SeasonMeeting>& meetings);
    std::string Title() const override;
    int Pages() const override;
    void DrawPage(DrawingSurface& surface, double scale, int page) const override;
    std::string Csv() const override;

private:
    RankingList list_;
    const Season& season_;
    const std::vector<SeasonRow>& rows_;
    const std::vector<SeasonMeeting>& meetings_;
};

}  // namespace tovi
