#include "sheets/table_sheet.h"

#include <algorithm>

#include "core/cp932.h"

namespace tovi {
namespace {

// Places in design units.
constexpr int kLeft = 10;
constexpr int kTableTop = 134;
constexpr int kHeadingHeight = 28;
constexpr int kRowHeight = 24;
constexpr int kPad = 4;
constexpr int kTitleHeight = 16;
constexpr int kFootnoteHeight = 12;

// Writes design-unit places as device units at one scale.
class Page {
public:
    Page(DrawingSurface& surface, double scale) : s_(surface), scale_(scale) {}
    int D(int units) const { return static_cast<int>(units * scale_); }
    void Height(int units) { s_.SetFontHeight(std::max(1, D(units))); }
    void Text(int x, int y, const std::string& text) { s_.TextOut(D(x), D(y), text); }
    // Text ending at right: in the sheets' face a byte of CP932 is half a
    // character cell wide (a digit half, a kanji a whole one).
    void RightText(int right, int y, int height, const std::string& text) {
        Text(right - static_cast<int>(text.size()) * height / 2, y, text);
    }
    void Line(int x1, int y1, int x2, int y2) {
        s_.MoveTo(D(x1), D(y1));
        s_.LineTo(D(x2), D(y2));
    }

private:
    DrawingSurface& s_;
    double scale_;
};

bool LeadByte(char byte) {
    const auto b = static_cast<unsigned char>(byte);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The longest head of text in whole characters that is at most `bytes`
// bytes long.
std::string Cut(const std::string& text, std::size_t bytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + (LeadByte(text[end]) && end + 1 < text.size() ? 2 : 1);
        if (next > bytes) break;
        end = next;
    }
    return text.substr(0, end);
}

// Draws the table with its heading's top at `top`; gives back its bottom.
int DrawTable(Page& p, int top, const SheetTable& table) {
    const std::vector<SheetColumn>& columns = table.columns;
    const int rows = static_cast<int>(table.rows.size());
    int right = kLeft;
    for (const SheetColumn& column : columns) right += column.width;
    const int bottom = top + kHeadingHeight + rows * kRowHeight;

    // The rules: round the heading and every row, and between the columns.
    p.Line(kLeft, top, right, top);
    for (int row = 0; row <= rows; ++row) {
        const int y = top + kHeadingHeight + row * kRowHeight;
        p.Line(kLeft, y, right, y);
    }
    for (int x = kLeft, i = 0; i <= static_cast<int>(columns.size()); ++i) {
        p.Line(x, top, x, bottom);
        if (i < static_cast<int>(columns.size())) x += columns[static_cast<std::size_t>(i)].width;
    }

    p.Height(14);
    for (int x = kLeft; const SheetColumn& column : columns) {
        p.Text(x + kPad, top + 7, column.heading);
        x += column.width;
    }

    for (int row = 0; row < rows; ++row) {
        const std::vector<std::string>& cells = table.rows[static_cast<std::size_t>(row)];
        const int y = top + kHeadingHeight + row * kRowHeight + 4;
        int x = kLeft;
        for (std::size_t c = 0; c < columns.size() && c < cells.size(); ++c) {
            const SheetColumn& column = columns[c];
            const int left = x;
            x += column.width;
            if (cells[c].empty()) continue;
            const int height = column.textHeight;
            const std::string text =
                column.cut ? Cut(cells[c], static_cast<std::size_t>(
                                               std::max(0, (column.width - 2 * kPad) * 2 / height)))
                           : cells[c];
            p.Height(height);
            if (column.number)
                p.RightText(x - kPad, y, height, text);
            else
                p.Text(left + kPad, y, text);
        }
    }
    return bottom;
}

}  // namespace

int SheetPages(std::size_t rows) {
    const std::size_t perPage = kRankingRowsPerPage;
    return std::max(1, static_cast<int>((rows + perPage - 1) / perPage));
}

void DrawTableSheet(DrawingSurface& surface, double scale, const RankingSheetHeader& header,
                    const std::string& heading, const std::vector<SheetTable>& tables,
                    const std::string& footnote) {
    Page p(surface, scale);
    surface.SetPenColor(kWhite);
    surface.SetBrushColor(kWhite);
    surface.Rectangle(0, 0, p.D(kRankingPageWidth), p.D(kRankingPageHeight));
    surface.SetPenColor(kBlack);
    surface.SetPenWidth(0);
    surface.SetFontColor(kBlack);
    surface.SetFontFace(Utf8ToCp932("ＭＳ ゴシック"));

    p.Height(26);
    p.Text(kLeft, 0, header.title);
    p.Height(16);
    p.Text(kLeft, 44, Utf8ToCp932("【大会名】"));
    p.Text(kLeft + 90, 44, header.meetingName);
    p.Text(kLeft, 68, Utf8ToCp932("【コース】"));
    p.Text(kLeft + 90, 68, header.course);
    p.Text(540, 68, header.year);
    p.Text(560, 68, Utf8ToCp932("年"));
    p.Text(590, 68, header.month);
    p.Text(610, 68, Utf8ToCp932("月"));
    p.Text(640, 68, header.day);
    p.Text(660, 68, Utf8ToCp932("日"));
    p.Height(20);
    p.Text(kLeft, 100, heading);

    // A title stands in the room of kSheetTitleRows rows less the heading's
    // height, a little under the middle.
    constexpr int titleRoom = kSheetTitleRows * kRowHeight - kHeadingHeight;
    int y = kTableTop;
    for (const SheetTable& table : tables) {
        if (!table.title.empty()) {
            p.Height(kTitleHeight);
            p.Text(kLeft, y + titleRoom - kTitleHeight - 12, table.title);
            y += titleRoom;
        }
        y = DrawTable(p, y, table);
    }

    // Under a full page of rows, 14 units are left to the page's foot.
    if (!footnote.empty()) {
        p.Height(kFootnoteHeight);
        p.Text(kLeft, y + 1, footnote);
    }
}

}  // namespace tovi
