// The page that the printed sheets share: the texts on top (the sheet's
// title, meeting name, course and date, then the sheet's heading line) and
// ruled tables of cells under them, in the design units of the printed
// ranking (1/100 inch, 720 x 1040).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/drawing_surface.h"
#include "sheets/ranking_sheet.h"

namespace tovi {

struct SheetColumn {
    int width = 0;        // design units
    std::string heading;  // CP932
    bool number = false;  // cells right-aligned
    int textHeight = 16;  // of the cells, design units
    // Cells are cut after the last character that fits within the column;
    // otherwise a long text runs on over the next column.
    bool cut = false;
};

// A titled table takes this many rows of a page more than an untitled one:
// the title and the room round it.
inline constexpr int kSheetTitleRows = 3;

struct SheetTable {
    std::string title;  // CP932, drawn above the table; empty for none
    std::vector<SheetColumn> columns;
    // The rows on this page, one CP932 text a column; an empty text draws
    // nothing.
    std::vector<std::vector<std::string>> rows;
};

// The pages a table of `rows` rows takes alone: one for every 36, at least one.
int SheetPages(std::size_t rows);

// Draws one page: the header's title, meeting name, course and date, the
// heading line, then the tables one under the other from the same top, and
// the footnote under the last table when it is not empty.  The tables must
// hold kRankingRowsPerPage rows at most together, a title counting as
// kSheetTitleRows rows.
void DrawTableSheet(DrawingSurface& surface, double scale, const RankingSheetHeader& header,
                    const std::string& heading, const std::vector<SheetTable>& tables,
                    const std::string& footnote);

}  // namespace tovi
