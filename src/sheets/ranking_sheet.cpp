#include "sheets/ranking_sheet.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "core/cp932.h"
#include "sheets/table_sheet.h"

namespace tovi {
namespace {

std::vector<SheetColumn> Columns(int rounds) {
    std::vector<SheetColumn> columns = {{44, Utf8ToCp932("順位"), true},
                                        {140, Utf8ToCp932("氏名"), false},
                                        {128, Utf8ToCp932("チーム"), false, 14},
                                        {32, Utf8ToCp932("組"), true}};
    for (int round = 1; round <= rounds; ++round)
        columns.push_back({44, std::to_string(round) + "R", true});
    columns.push_back({52, Utf8ToCp932("実打数"), true});
    columns.push_back({40, Utf8ToCp932("一打"), true});
    columns.push_back({40, Utf8ToCp932("二打"), true});
    columns.push_back({48, Utf8ToCp932("合計"), true});
    return columns;
}

}  // namespace

double RankingSheetScale(int deviceWidth, int deviceHeight) {
    return std::min(static_cast<double>(deviceWidth) / kRankingPageWidth,
                    static_cast<double>(deviceHeight) / kRankingPageHeight);
}

int RankingSheetPages(const Ranking& ranking) { return SheetPages(ranking.rows.size()); }

void DrawRankingSheet(DrawingSurface& surface, double scale, const RankingSheetHeader& header,
                      const std::vector<Player>& players, const Ranking& ranking, int page) {
    const std::string decidedMark = Utf8ToCp932("※");
    SheetTable table{{}, Columns(ranking.rounds), {}};
    bool decided = false;
    const std::size_t first = static_cast<std::size_t>(page) * kRankingRowsPerPage;
    const std::size_t last =
        std::min(ranking.rows.size(), first + static_cast<std::size_t>(kRankingRowsPerPage));
    for (std::size_t i = first; i < last; ++i) {
        const RankedRow& row = ranking.rows[i];
        const Player& player = players.at(row.player);
        std::string rank;  // none for a player not ranked
        if (row.rank) rank = std::to_string(*row.rank) + (row.decided ? decidedMark : "");
        decided = decided || (row.rank && row.decided);
        std::vector<std::string> cells = {
            rank, player.name, player.team,
            player.group != 0 ? std::to_string(player.group) : std::string()};
        for (const int sum : row.sums.roundSums) cells.push_back(std::to_string(sum));
        for (const int value :
             {row.sums.strokes, row.sums.holesIn[0], row.sums.holesIn[1], row.sums.total})
            cells.push_back(std::to_string(value));
        table.rows.push_back(std::move(cells));
    }
    DrawTableSheet(surface, scale, header, Utf8ToCp932("成績表　") + header.listName, {table},
                   decided ? Utf8ToCp932("※ 同成績のため順位を決定") : std::string());
}

}  // namespace tovi
