#include "scoresheet/score_sheet.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/cp932.h"
#include "model/int_conversion.h"

namespace tovi {
namespace {

// The sheet is laid out on a landscape page of 1215 x 715 design units.
constexpr int kDesignPageWidth = 1215;
constexpr int kDesignPageHeight = 715;
constexpr int kTableRowCount = 7;  // the heading row and six player rows
constexpr int kTotalsColumns = 4;

// Every device value of the sheet is truncated toward zero.  Products far out
// of any device's range are clamped so the conversion stays defined.
int Trunc(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

// The layout quantities of one drawing, in device units, each truncated once.
struct SheetGeometry {
    double scaleX = 0.0;
    double scaleY = 0.0;
    int holeColumns = 0;  // ruled hole columns: 10 or 12
    int holeCount = 0;    // columns that receive a hole number
    int cellWidth = 0;
    int cellHeight = 0;
    int tableLeft = 0;
    int headerTop = 0;
    int holeLeft = 0;  // right edge of the name column
    int tableTop = 0;
    int totalsLeft = 0;
    int tableRight = 0;
    int tableBottom = 0;
    int thickPen = 0;
    int thinPen = 0;

    // A text position: a whole device base plus an offset in design units.
    int X(int base, double offset) const { return Trunc(base + offset * scaleX); }
    int Y(int base, double offset) const { return Trunc(base + offset * scaleY); }
    // Top of player row i (0-based), i.e. of table row i + 1.
    int PlayerRowTop(int i) const { return tableTop + (i + 1) * cellHeight; }
};

SheetGeometry ComputeGeometry(double scaleX, double scaleY, int holeCountValue) {
    SheetGeometry g;
    g.scaleX = scaleX;
    g.scaleY = scaleY;
    const bool wide = holeCountValue >= 11;
    g.holeColumns = wide ? 12 : 10;
    g.holeCount = std::min(holeCountValue, 12);
    g.cellWidth = Trunc((wide ? 60 : 68) * scaleX);
    g.cellHeight = Trunc(68 * scaleY);
    g.tableLeft = Trunc(45 * scaleX);
    g.headerTop = Trunc(100 * scaleY);
    g.holeLeft = Trunc(g.tableLeft + 200 * scaleX);
    g.tableTop = Trunc(g.headerTop + 120 * scaleY);
    g.totalsLeft = g.holeLeft + g.holeColumns * g.cellWidth;
    g.tableRight = g.holeLeft + (g.holeColumns + kTotalsColumns) * g.cellWidth;
    g.tableBottom = g.tableTop + kTableRowCount * g.cellHeight;
    g.thickPen = Trunc(2 * scaleX);
    g.thinPen = Trunc(1 * scaleX);
    return g;
}

const std::string& SheetFace() {
    static const std::string face = Utf8ToCp932("ＭＳ ゴシック");
    return face;
}

// Sets the cell height of a text given in design units.
void SetTextHeight(DrawingSurface& surface, const SheetGeometry& g, int designHeight) {
    surface.SetFontHeight(Trunc(designHeight * g.scaleY));
}

void Line(DrawingSurface& surface, int x1, int y1, int x2, int y2) {
    surface.MoveTo(x1, y1);
    surface.LineTo(x2, y2);
}

void RuleTable(DrawingSurface& surface, const SheetGeometry& g) {
    const auto horizontal = [&](int y) { Line(surface, g.tableLeft, y, g.tableRight, y); };
    const auto vertical = [&](int x) { Line(surface, x, g.tableTop, x, g.tableBottom); };

    surface.SetPenWidth(g.thickPen);
    horizontal(g.tableTop);
    horizontal(g.tableTop + g.cellHeight);

    surface.SetPenWidth(g.thinPen);
    for (int k = 2; k <= 6; ++k) horizontal(g.tableTop + k * g.cellHeight);

    surface.SetPenWidth(g.thickPen);
    horizontal(g.tableBottom);
    for (int x : {g.tableLeft, g.holeLeft, g.totalsLeft, g.tableRight}) vertical(x);

    // Every column boundary right of the name column; totalsLeft comes again, thin.
    surface.SetPenWidth(g.thinPen);
    for (int k = 1; k <= g.holeColumns + 3; ++k) vertical(g.holeLeft + k * g.cellWidth);

    // The split heading cell of the name column.
    Line(surface, g.tableLeft, g.tableTop, g.holeLeft, g.tableTop + g.cellHeight);

    // Each hole cell of the player rows is crossed from its top-right to its
    // bottom-left corner.  The crossings line up, so they are drawn as long
    // lines: from the top of row 1 down to the left edge of the hole columns,
    // from the top of row 1 down to the bottom, and from the left edge of the
    // totals columns down to the bottom.
    const int rowOneTop = g.tableTop + g.cellHeight;
    for (int j = 1; j <= 6; ++j)
        Line(surface, g.holeLeft + j * g.cellWidth, rowOneTop, g.holeLeft,
             g.tableTop + (j + 1) * g.cellHeight);
    for (int j = 7; j <= g.holeColumns - 1; ++j)
        Line(surface, g.holeLeft + j * g.cellWidth, rowOneTop, g.holeLeft + (j - 6) * g.cellWidth,
             g.tableBottom);
    for (int i = 1; i <= 6; ++i)
        Line(surface, g.totalsLeft, g.tableTop + i * g.cellHeight,
             g.holeLeft + (g.holeColumns - 7 + i) * g.cellWidth, g.tableBottom);
}

// The roster row of a member position written as decimal text, or nothing
// when the text is no position of the table.
const RosterRow* RowOfPosition(const TournamentState& state, const std::string& entry) {
    std::int32_t position = 0;
    try {
        position = StrToInt(entry);
    } catch (const ConversionError&) {
        return nullptr;
    }
    if (position < 0 || static_cast<std::size_t>(position) >= state.rosterTable.size())
        return nullptr;
    return &state.rosterTable[static_cast<std::size_t>(position)];
}

const std::string& Cell(const RosterRow* row, int column) {
    static const std::string empty;
    return row ? (*row)[static_cast<std::size_t>(column)] : empty;
}

// Writes the names and teams of the members of pool (positions as decimal
// text) into the player rows.  DrawScoreSheet has set the name height and computed the geometry.  A
// position that names no row of the table leaves its row's texts empty.
void WritePlayerNamesAndTeams(DrawingSurface& surface, const TournamentState& state,
                              const std::vector<std::string>& pool, const SheetGeometry& g) {
    for (std::size_t i = 0; i < pool.size(); ++i) {
        const int top = g.PlayerRowTop(static_cast<int>(i));
        surface.TextOut(g.X(g.tableLeft, 10), g.Y(top, 27), Cell(RowOfPosition(state, pool[i]), 0));
    }
    SetTextHeight(surface, g, 15);
    for (std::size_t i = 0; i < pool.size(); ++i) {
        // The team sits above the name, measured from the page's left edge.
        const int top = g.PlayerRowTop(static_cast<int>(i));
        surface.TextOut(g.X(0, 65), g.Y(top, 7), Cell(RowOfPosition(state, pool[i]), 1));
    }
}

// holeCount: the count as the sheet draws it (SheetHoleCount); startHole the
// group's start hole as typed.
void DrawHeader(DrawingSurface& surface, const SheetGeometry& g, const ScoreSheetSettings& s,
                const std::string& holeCount, const std::string& startHole) {
    SetTextHeight(surface, g, 28);
    surface.TextOut(g.X(0, 380), g.Y(g.headerTop, 1), s.title);

    struct Placed {
        std::string_view text;  // UTF-8
        int xBase;
        int dx;
        int yBase;
        int dy;
    };
    const int left = g.tableLeft, head = g.headerTop, top = g.tableTop;
    const Placed captions[] = {
        {"【大会名】", left, 5, head, 55},
        {"【コース】", left, 5, head, 81},
        {"【ホール数】", left, 340, head, 83},
        {"組", left, 710, head, 83},
        {"番ホールスタート", left, 800, head, 83},
        {"年", left, 1025, head, 80},
        {"月", left, 1075, head, 80},
        {"日", left, 1126, head, 80},
        {"氏　名", left, 43, top, 40},
        {"ホール番号", left, 106, top, 13},
    };
    SetTextHeight(surface, g, 16);
    for (const auto& c : captions)
        surface.TextOut(g.X(c.xBase, c.dx), g.Y(c.yBase, c.dy), Utf8ToCp932(c.text));

    const struct {
        const std::string& text;
        int dx;
        int dy;
    } values[] = {
        {s.meetingName, 90, 55}, {s.course, 90, 81}, {holeCount, 450, 83}, {s.groupNumber, 690, 83},
        {startHole, 777, 83},    {s.year, 1005, 80}, {s.month, 1053, 80},  {s.day, 1105, 80},
    };
    for (const auto& v : values) surface.TextOut(g.X(left, v.dx), g.Y(head, v.dy), v.text);
}

void DrawHoleNumbers(DrawingSurface& surface, const SheetGeometry& g,
                     const std::string& startHole) {
    // After the last hole the numbers go round to 1.
    const std::vector<int> numbers = SheetHoleNumbers(StrToInt(startHole), g.holeCount);
    for (int c = 0; c < g.holeCount; ++c)
        surface.TextOut(g.X(g.holeLeft + c * g.cellWidth, 23), g.Y(g.tableTop, 19),
                        std::to_string(numbers[static_cast<std::size_t>(c)]));
}

void DrawTotalsCaptions(DrawingSurface& surface, const SheetGeometry& g) {
    SetTextHeight(surface, g, 14);
    const int y = g.Y(g.tableTop, 24);
    surface.TextOut(g.X(g.totalsLeft, 11), y, Utf8ToCp932("実打数"));
    surface.TextOut(g.X(g.totalsLeft + g.cellWidth, 17), y, Utf8ToCp932("一打"));
    surface.TextOut(g.X(g.totalsLeft + 2 * g.cellWidth, 17), y, Utf8ToCp932("二打"));
    surface.TextOut(g.X(g.totalsLeft + 3 * g.cellWidth, 17), y, Utf8ToCp932("合計"));
}

}  // namespace

ScoreSheetSettings DefaultScoreSheetSettings() {
    // Each text is constructed in place: assigning short literals to the
    // default-constructed strings trips GCC 12's false -Wrestrict alarm at -O2.
    return ScoreSheetSettings{
        .title = Utf8ToCp932("　　　　　楓林会スコア表"),
        .meetingName = Utf8ToCp932("秋季親睦会"),
        .course = Utf8ToCp932("市民公園グラウンド"),
        .holeCount = "10",
        .groupNumber = "1",
        .startHole = "1",
        .year = "10",
        .month = "10",
        .day = "10",
        .hideHoleNumbers = false,
    };
}

SheetScale PrintScale(int dotsPerInchX, int dotsPerInchY) {
    return {dotsPerInchX * 0.0091, dotsPerInchY * 0.0104};
}

PageSize SheetPageSize(double scaleX, double scaleY) {
    return {Trunc(kDesignPageWidth * scaleX), Trunc(kDesignPageHeight * scaleY)};
}

std::string SheetHoleCount(const std::string& holeCount) {
    try {
        if (StrToInt(holeCount) > 11) return "12";
    } catch (const ConversionError&) {}
    return holeCount;
}

int SheetNumberedHoles(const std::string& holeCount) { return std::min(StrToInt(holeCount), 12); }

std::string SheetStartHoleText(const ScoreSheetSettings& settings, int group) {
    if (settings.startPerGroup && group >= 1 && group <= MaxGroups)
        return std::to_string(settings.groupStartHoles[static_cast<std::size_t>(group - 1)]);
    return settings.startHole;
}

StartHoles SheetStartHoles(const ScoreSheetSettings& settings) {
    StartHoles starts;
    starts.perGroup = settings.startPerGroup;
    if (settings.hideHoleNumbers) return starts;
    for (int g = 1; g <= MaxGroups; ++g) {
        try {
            starts.groups[static_cast<std::size_t>(g - 1)] =
                StrToInt(SheetStartHoleText(settings, g));
        } catch (const ConversionError&) {}
    }
    return starts;
}

PageSize DrawScoreSheet(DrawingSurface& surface, const TournamentState& state,
                        const ScoreSheetSettings& settings, SheetScale scale) {
    const double scaleX = scale.x;
    const double scaleY = scale.y;
    const PageSize page = SheetPageSize(scaleX, scaleY);

    // A blank page first; the texts are set on the white brush that stays.
    surface.SetBrushColor(kWhite);
    surface.SetPenColor(kWhite);
    surface.Rectangle(0, 0, page.width, page.height);
    surface.SetPenColor(kBlack);

    surface.SetFontFace(SheetFace());
    surface.SetFontColor(kBlack);

    const std::int32_t holeCountValue = StrToInt(settings.holeCount);
    const SheetGeometry g = ComputeGeometry(scaleX, scaleY, holeCountValue);

    RuleTable(surface, g);
    // With 組ごと the header and the hole numbers take the group's own start
    // hole; a group number that is no number is reported below, as ever.
    std::string startHole = settings.startHole;
    try {
        startHole = SheetStartHoleText(settings, StrToInt(settings.groupNumber));
    } catch (const ConversionError&) {}
    DrawHeader(surface, g, settings, SheetHoleCount(settings.holeCount), startHole);

    SetTextHeight(surface, g, 22);
    const std::int32_t group = StrToInt(settings.groupNumber);
    // No such group: the sheet goes without names.
    if (group >= 1 && group <= MaxGroups)
        WritePlayerNamesAndTeams(surface, state, state.groupList[static_cast<std::size_t>(group)],
                                 g);

    SetTextHeight(surface, g, 24);
    if (!settings.hideHoleNumbers) DrawHoleNumbers(surface, g, startHole);

    DrawTotalsCaptions(surface, g);
    return page;
}

}  // namespace tovi
