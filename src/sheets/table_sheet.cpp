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

bool LeadByte(char byte) {
    const auto b = static_cast<unsigned char>(byte);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Draws the table with its heading's top at `top`; gives back its bottom.
int DrawTable(SheetPage& p, int top, const SheetTable& table) {
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
                column.cut ? CutText(cells[c], static_cast<std::size_t>(std::max(
                                                   0, (column.width - 2 * kPad) * 2 / height)))
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

void SheetPage::Height(int units) { s_.SetFontHeight(std::max(1, D(units))); }

void SheetPage::Line(int x1, int y1, int x2, int y2) {
    s_.MoveTo(D(x1), D(y1));
    s_.LineTo(D(x2), D(y2));
}

void SheetPage::Start() {
    s_.SetPenColor(kWhite);
    s_.SetBrushColor(kWhite);
    s_.Rectangle(0, 0, D(kRankingPageWidth), D(kRankingPageHeight));
    s_.SetPenColor(kBlack);
    s_.SetPenWidth(0);
    s_.SetFontColor(kBlack);
    s_.SetFontFace(Utf8ToCp932("ＭＳ ゴシック"));
}

void SheetPage::MeetingName(int y, const std::string& meetingName) {
    Height(16);
    Text(kLeft, y, Utf8ToCp932("【大会名】"));
    Text(kLeft + 90, y, meetingName);
}

void SheetPage::MeetingDate(int y, const std::string& year, const std::string& month,
                            const std::string& day) {
    Height(16);
    Text(540, y, year);
    Text(560, y, Utf8ToCp932("年"));
    Text(590, y, month);
    Text(610, y, Utf8ToCp932("月"));
    Text(640, y, day);
    Text(660, y, Utf8ToCp932("日"));
}

std::string CutText(const std::string& text, std::size_t bytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + (LeadByte(text[end]) && end + 1 < text.size() ? 2 : 1);
        if (next > bytes) break;
        end = next;
    }
    return text.substr(0, end);
}

int SheetPages(std::size_t rows) {
    const std::size_t perPage = kRankingRowsPerPage;
    return std::max(1, static_cast<int>((rows + perPage - 1) / perPage));
}

void DrawTableSheet(DrawingSurface& surface, double scale, const RankingSheetHeader& header,
                    const std::string& heading, const std::vector<SheetTable>& tables,
                    const std::string& footnote) {
    SheetPage p(surface, scale);
    p.Start();

    p.Height(26);
    p.Text(kLeft, 0, header.title);
    p.MeetingName(44, header.meetingName);
    p.Text(kLeft, 68, Utf8ToCp932("【コース】"));
    p.Text(kLeft + 90, 68, header.course);
    p.MeetingDate(68, header.year, header.month, header.day);
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
