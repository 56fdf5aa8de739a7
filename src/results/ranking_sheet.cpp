#include "results/ranking_sheet.h"

#include <algorithm>
#include <cstddef>

#include "core/cp932.h"

namespace tovi {
namespace {

// Places in design units.
constexpr int kLeft = 10;
constexpr int kTableTop = 134;
constexpr int kHeadingHeight = 28;
constexpr int kRowHeight = 24;
constexpr int kPad = 4;

struct Column {
    int width;
    std::string heading;  // CP932
    bool number;          // right-aligned
};

std::vector<Column> Columns(int rounds) {
    std::vector<Column> columns = {{44, Utf8ToCp932("順位"), true},
                                   {140, Utf8ToCp932("氏名"), false},
                                   {128, Utf8ToCp932("チーム"), false},
                                   {32, Utf8ToCp932("組"), true}};
    for (int round = 1; round <= rounds; ++round)
        columns.push_back({44, std::to_string(round) + "R", true});
    columns.push_back({52, Utf8ToCp932("実打数"), true});
    columns.push_back({40, Utf8ToCp932("一打"), true});
    columns.push_back({40, Utf8ToCp932("二打"), true});
    columns.push_back({48, Utf8ToCp932("合計"), true});
    return columns;
}

// Writes design-unit places as device units at one scale.
class Page {
public:
    Page(DrawingSurface& surface, double scale) : s_(surface), scale_(scale) {}
    int D(int units) const { return static_cast<int>(units * scale_); }
    void Height(int units) { s_.SetFontHeight(std::max(1, D(units))); }
    void Text(int x, int y, const std::string& text) { s_.TextOut(D(x), D(y), text); }
    // Text of ASCII digits ending at right: the face's digits are half as
    // wide as it is high.
    void RightText(int right, int y, int height, const std::string& text) {
        Text(right - static_cast<int>(text.size()) * height / 2, y, text);
    }
    void Line(int x1, int y1, int x2, int y2) {
        s_.MoveTo(D(x1), D(y1));
        s_.LineTo(D(x2), D(y2));
    }
    DrawingSurface& Surface() { return s_; }

private:
    DrawingSurface& s_;
    double scale_;
};

}  // namespace

double RankingSheetScale(int deviceWidth, int deviceHeight) {
    return std::min(static_cast<double>(deviceWidth) / kRankingPageWidth,
                    static_cast<double>(deviceHeight) / kRankingPageHeight);
}

int RankingSheetPages(const Ranking& ranking) {
    const int rows = static_cast<int>(ranking.rows.size());
    return std::max(1, (rows + kRankingRowsPerPage - 1) / kRankingRowsPerPage);
}

void DrawRankingSheet(DrawingSurface& surface, double scale, const RankingSheetHeader& header,
                      const std::vector<Player>& players, const Ranking& ranking, int page) {
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
    p.Text(kLeft, 100, Utf8ToCp932("成績表　") + header.listName);

    const std::vector<Column> columns = Columns(ranking.rounds);
    const std::size_t first = static_cast<std::size_t>(page) * kRankingRowsPerPage;
    const std::size_t last =
        std::min(ranking.rows.size(), first + static_cast<std::size_t>(kRankingRowsPerPage));
    const int rows = static_cast<int>(last > first ? last - first : 0);
    int right = kLeft;
    for (const Column& column : columns) right += column.width;
    const int bottom = kTableTop + kHeadingHeight + rows * kRowHeight;

    // The rules: round the heading and every row, and between the columns.
    p.Line(kLeft, kTableTop, right, kTableTop);
    for (int row = 0; row <= rows; ++row) {
        const int y = kTableTop + kHeadingHeight + row * kRowHeight;
        p.Line(kLeft, y, right, y);
    }
    for (int x = kLeft, i = 0; i <= static_cast<int>(columns.size()); ++i) {
        p.Line(x, kTableTop, x, bottom);
        if (i < static_cast<int>(columns.size())) x += columns[static_cast<std::size_t>(i)].width;
    }

    p.Height(14);
    for (int x = kLeft; const Column& column : columns) {
        p.Text(x + kPad, kTableTop + 7, column.heading);
        x += column.width;
    }

    for (std::size_t i = first; i < last; ++i) {
        const RankedRow& row = ranking.rows[i];
        const Player& player = players.at(row.player);
        const int y = kTableTop + kHeadingHeight + static_cast<int>(i - first) * kRowHeight + 4;
        std::vector<std::string> cells = {row.rank ? std::to_string(*row.rank) : std::string(),
                                          player.name, player.team, std::to_string(player.group)};
        for (const int sum : row.sums.roundSums) cells.push_back(std::to_string(sum));
        for (const int value :
             {row.sums.strokes, row.sums.holesIn[0], row.sums.holesIn[1], row.sums.total})
            cells.push_back(std::to_string(value));
        int x = kLeft;
        for (std::size_t c = 0; c < columns.size() && c < cells.size(); ++c) {
            const int left = x;
            x += columns[c].width;
            if (cells[c].empty()) continue;       // the rank of a player not ranked
            const int height = c == 2 ? 14 : 16;  // the team a little smaller
            p.Height(height);
            if (columns[c].number)
                p.RightText(x - kPad, y, height, cells[c]);
            else
                p.Text(left + kPad, y, cells[c]);
        }
    }
}

}  // namespace tovi
