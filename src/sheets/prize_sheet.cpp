#include "sheets/prize_sheet.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/cp932.h"
#include "sheets/table_sheet.h"

namespace tovi {
namespace {

constexpr std::size_t kRowsPerPage = kRankingRowsPerPage;

std::string Number(const std::optional<int>& value) {
    return value ? std::to_string(*value) : std::string();
}

std::string Group(const Player& player) {
    return player.group != 0 ? std::to_string(player.group) : std::string();
}

// The team columns fill the 700 units between the page's margins.
std::vector<SheetColumn> TeamColumns() {
    return {{44, Utf8ToCp932("順位"), true},
            {160, Utf8ToCp932("チーム"), false, 14},
            {48, Utf8ToCp932("合計"), true},
            {44, Utf8ToCp932("人数"), true},
            {404, Utf8ToCp932("選手"), false, 14, true}};
}

std::vector<SheetColumn> AwardColumns() {
    return {{136, Utf8ToCp932("賞"), false, 14},
            {44, Utf8ToCp932("順位"), true},
            {140, Utf8ToCp932("氏名"), false},
            {128, Utf8ToCp932("チーム"), false, 14},
            {32, Utf8ToCp932("組"), true},
            {48, Utf8ToCp932("合計"), true},
            {172, Utf8ToCp932("備考"), false, 16, true}};
}

std::vector<SheetColumn> HoleInOneColumns() {
    return {{140, Utf8ToCp932("氏名"), false},
            {64, Utf8ToCp932("ラウンド"), true},
            {52, Utf8ToCp932("ホール"), true}};
}

// A run of rows of one of the award sheet's tables on one page.
struct Slice {
    bool holesInOne = false;  // of the hole-in-one table, else of the awards
    std::size_t first = 0, last = 0;
};

// The slices on each page: the awards 36 a page (a first page even without
// any); then the holes in one under their title, which starts where it has
// room for one row under it, else on the next page.
std::vector<std::vector<Slice>> AwardPages(std::size_t awards, std::size_t holesInOne) {
    std::vector<std::vector<Slice>> pages;
    std::size_t first = 0;
    do {
        const std::size_t last = std::min(awards, first + kRowsPerPage);
        pages.push_back({{false, first, last}});
        first = last;
    } while (first < awards);

    constexpr std::size_t titleRows = kSheetTitleRows;
    std::size_t used = pages.back().front().last - pages.back().front().first;
    for (first = 0; first < holesInOne;) {
        if (used + titleRows >= kRowsPerPage) {
            pages.emplace_back();
            used = 0;
        }
        const std::size_t last = std::min(holesInOne, first + kRowsPerPage - used - titleRows);
        pages.back().push_back({true, first, last});
        first = last;
        used = kRowsPerPage;  // the page is full when any are left
    }
    return pages;
}

}  // namespace

int TeamSheetPages(const std::vector<TeamRow>& teams) { return SheetPages(teams.size()); }

void DrawTeamSheet(DrawingSurface& surface, double scale, const RankingSheetHeader& header,
                   const std::vector<Player>& players, const std::vector<TeamRow>& teams,
                   int page) {
    SheetTable table{{}, TeamColumns(), {}};
    const std::size_t first = static_cast<std::size_t>(page) * kRowsPerPage;
    const std::size_t last = std::min(teams.size(), first + kRowsPerPage);
    const std::string separator = Utf8ToCp932("・");
    for (std::size_t i = first; i < last; ++i) {
        const TeamRow& team = teams[i];
        std::string names;
        for (const std::size_t player : team.counted) {
            if (!names.empty()) names += separator;
            names += players.at(player).name;
        }
        table.rows.push_back({Number(team.rank), team.team, Number(team.total),
                              std::to_string(team.counted.size()), std::move(names)});
    }
    DrawTableSheet(surface, scale, header, Utf8ToCp932("団体成績"), {table}, {});
}

int AwardSheetPages(const Prizes& prizes) {
    return static_cast<int>(AwardPages(prizes.awards.size(), prizes.holesInOne.size()).size());
}

void DrawAwardSheet(DrawingSurface& surface, double scale, const RankingSheetHeader& header,
                    const std::vector<Player>& players, const Prizes& prizes, int page) {
    const std::vector<std::vector<Slice>> pages =
        AwardPages(prizes.awards.size(), prizes.holesInOne.size());
    std::vector<SheetTable> tables;
    if (page >= 0 && page < static_cast<int>(pages.size())) {
        for (const Slice& slice : pages[static_cast<std::size_t>(page)]) {
            SheetTable table;
            if (slice.holesInOne) {
                table = {Utf8ToCp932("ホールインワン"), HoleInOneColumns(), {}};
                for (std::size_t i = slice.first; i < slice.last; ++i) {
                    const HoleInOne& hole = prizes.holesInOne[i];
                    table.rows.push_back({players.at(hole.player).name,
                                          std::to_string(hole.round + 1) + "R",
                                          std::to_string(hole.printedHole)});
                }
            } else {
                table = {{}, AwardColumns(), {}};
                for (std::size_t i = slice.first; i < slice.last; ++i) {
                    const AwardRow& award = prizes.awards[i];
                    const Player& player = players.at(award.player);
                    table.rows.push_back({award.award, Number(award.rank), player.name, player.team,
                                          Group(player), Number(award.total), award.note});
                }
            }
            tables.push_back(std::move(table));
        }
    }
    DrawTableSheet(surface, scale, header, Utf8ToCp932("表彰一覧"), tables, {});
}

}  // namespace tovi
