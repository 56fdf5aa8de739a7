// The printed season (年間成績): one list (全体, 男子 or 女子) on A4 portrait
// pages laid out like the printed ranking's.
//
// On top, the 表題 and the コース when every meeting with a heading has the
// same, in the meeting-name line the first and the last 開催日 of the season
// and the number of meetings (2026年4月12日～2026年11月8日　8回), and in the
// date's place the last 開催日 as typed: the day the standings were made up
// to.
// Then the heading 年間成績　LIST and the table of 順位, 氏名, チーム, 性別,
// 出場, ポイント, ラウンド, 打数, 平均 and 一打, 36 rows a page.
#pragma once

#include <string>
#include <vector>

#include "core/drawing_surface.h"
#include "season/season.h"
#include "sheets/ranking_sheet.h"

namespace tovi {

// The number of pages the list takes: one for every 36 rows, at least one.
int SeasonSheetPages(const std::vector<SeasonRow>& rows);

// The header of the season's pages, as above.  A season without a dated
// meeting has the number of meetings alone and no date.
RankingSheetHeader SeasonSheetHeader(const std::vector<SeasonMeeting>& meetings,
                                     const std::string& listName);

// Draws page `page` (from 0) of a ranked list of the season; listName is
// CP932.  meetings must be those the season was summed from.
void DrawSeasonSheet(DrawingSurface& surface, double scale, const Season& season,
                     const std::vector<SeasonRow>& rows, const std::vector<SeasonMeeting>& meetings,
                     const std::string& listName, int page);

}  // namespace tovi
