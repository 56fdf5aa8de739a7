// The printed ranking: one list (全体, 男子 or 女子) on A4 portrait pages,
// drawn at any scale on a drawing surface.
//
// The page is laid out in design units of 1/100 inch, 720 wide and 1040
// high: the score sheet's title, meeting name, course and date on top, the
// name of the list, then a ruled table of 順位, 氏名, チーム, 組, one column
// per round, 実打数, 一打, 二打 and 合計 with 36 rows a page.  A rank the
// organiser decided reads 1※, and a page holding one says why under the
// table.
#pragma once

#include <string>
#include <vector>

#include "core/drawing_surface.h"
#include "results/ranking.h"

namespace tovi {

inline constexpr int kRankingPageWidth = 720;
inline constexpr int kRankingPageHeight = 1040;
inline constexpr int kRankingRowsPerPage = 36;

// The texts on top of every page, CP932.
struct RankingSheetHeader {
    std::string title;
    std::string meetingName;
    std::string course;
    std::string year;
    std::string month;
    std::string day;
    std::string listName;  // 全体, 男子 or 女子
    friend bool operator==(const RankingSheetHeader&, const RankingSheetHeader&) = default;
};

// Device units per design unit that fit the page into a printable area of
// the given device size, the same across and down.
double RankingSheetScale(int deviceWidth, int deviceHeight);

// The number of pages the ranking takes: one for every 36 rows, at least one.
int RankingSheetPages(const Ranking& ranking);

// Draws page `page` (from 0) of the ranking.  players must be the list the
// ranking was made from.
void DrawRankingSheet(DrawingSurface& surface, double scale, const RankingSheetHeader& header,
                      const std::vector<Player>& players, const Ranking& ranking, int page);

}  // namespace tovi
