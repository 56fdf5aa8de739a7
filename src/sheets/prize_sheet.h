// The printed prize-giving: the team results (団体成績) and the awards
// (表彰一覧), on pages laid out like the printed ranking's, with its header
// on top (the header's list name is not used: these sheets name themselves).
//
// The team results: 順位, チーム, 合計, 人数 and 選手, the names of the
// players counted joined by ・ and cut at the column's edge; 36 teams a page.
//
// The awards: 賞, 順位, 氏名, チーム, 組, 合計 and 備考, then, when there is
// a hole in one, the table ホールインワン of 氏名, ラウンド and ホール, one
// row a hole in one.  The two tables share the 36 rows of a page, the
// second's title counting as three; it starts on a page with room for its
// title and one row, and goes on over the pages after under its title.
#pragma once

#include <vector>

#include "core/drawing_surface.h"
#include "results/prizes.h"
#include "results/ranking.h"
#include "sheets/ranking_sheet.h"

namespace tovi {

// The number of pages the team results take, at least one.
int TeamSheetPages(const std::vector<TeamRow>& teams);

// Draws page `page` (from 0) of the team results.  players must be the list
// the teams were made from.
void DrawTeamSheet(DrawingSurface& surface, double scale, const RankingSheetHeader& header,
                   const std::vector<Player>& players, const std::vector<TeamRow>& teams, int page);

// The number of pages the awards and the holes in one take, at least one.
int AwardSheetPages(const Prizes& prizes);

// Draws page `page` (from 0) of the awards.  players must be the list the
// prizes were given from.
void DrawAwardSheet(DrawingSurface& surface, double scale, const RankingSheetHeader& header,
                    const std::vector<Player>& players, const Prizes& prizes, int page);

}  // namespace tovi
