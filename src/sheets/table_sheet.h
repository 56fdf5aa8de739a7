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

// Writes design-unit places as device units at one scale, for every printed
// sheet of this folder.
class SheetPage {
public:
    SheetPage(DrawingSurface& surface, double scale) : s_(surface), scale_(scale) {}
    int D(int units) const { return static_cast<int>(units * scale_); }
    // The text height in design units.
    void Height(int units);
    void Text(int x, int y, const std::string& text) { s_.TextOut(D(x), D(y), text); }
    // Text ending at right: in the sheets' face a byte of CP932 is half a
    // character cell wide (a digit half, a kanji a whole one).
    void RightText(int right, int y, int height, const std::string& text) {
        Text(right - static_cast<int>(text.size()) * height / 2, y, text);
    }
    void Line(int x1, int y1, int x2, int y2);
    // A white page, then black rules as thin as the surface draws them and
    // black text in the sheets' face.
    void Start();
    // 【大会名】 and the meeting's name at the left of line y, 16 units high.
    void MeetingName(int y, const std::string& meetingName);
    // The date at the right of line y, the numbers as typed with 年, 月 and
    // 日, 16 units high.
    void MeetingDate(int y, const std::string& year, const std::string& month,
                     const std::string& day);

private:
    DrawingSurface& s_;
    double scale_;
};

// The longest head of text (CP932) in whole characters that is at most
// `bytes` bytes long.
std::string CutText(const std::string& text, std::size_t bytes);

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
