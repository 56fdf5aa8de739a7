#include "scoresheet/score_sheet.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string_view>

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
    double ScaleX = 0.0;
    double ScaleY = 0.0;
    int HoleColumns = 0;  // ruled hole columns: 10 or 12
    int HoleCount = 0;    // columns that receive a hole number
    int CellWidth = 0;
    int CellHeight = 0;
    int TableLeft = 0;
    int HeaderTop = 0;
    int HoleLeft = 0;  // right edge of the name column
    int TableTop = 0;
    int TotalsLeft = 0;
    int TableRight = 0;
    int TableBottom = 0;
    int ThickPen = 0;
    int ThinPen = 0;

    // A text position: a whole device base plus an offset in design units.
    int X(int base, double offset) const { return Trunc(base + offset * ScaleX); }
    int Y(int base, double offset) const { return Trunc(base + offset * ScaleY); }
    // Top of player row i (0-based), i.e. of table row i + 1.
    int PlayerRowTop(int i) const { return TableTop + (i + 1) * CellHeight; }
};

SheetGeometry ComputeGeometry(double scaleX, double scaleY, int holeCountValue) {
    SheetGeometry g;
    g.ScaleX = scaleX;
    g.ScaleY = scaleY;
    const bool wide = holeCountValue >= 11;
    g.HoleColumns = wide ? 12 : 10;
    g.HoleCount = std::min(holeCountValue, 12);
    g.CellWidth = Trunc((wide ? 60 : 68) * scaleX);
    g.CellHeight = Trunc(68 * scaleY);
    g.TableLeft = Trunc(45 * scaleX);
    g.HeaderTop = Trunc(100 * scaleY);
    g.HoleLeft = Trunc(g.TableLeft + 200 * scaleX);
    g.TableTop = Trunc(g.HeaderTop + 120 * scaleY);
    g.TotalsLeft = g.HoleLeft + g.HoleColumns * g.CellWidth;
    g.TableRight = g.HoleLeft + (g.HoleColumns + kTotalsColumns) * g.CellWidth;
    g.TableBottom = g.TableTop + kTableRowCount * g.CellHeight;
    g.ThickPen = Trunc(2 * scaleX);
    g.ThinPen = Trunc(1 * scaleX);
    return g;
}

const std::string& SheetFace() {
    static const std::string face = Utf8ToCp932("ＭＳ ゴシック");
    return face;
}

// Sets the cell height of a text given in design units.
void SetTextHeight(DrawingSurface& surface, const SheetGeometry& g, int designHeight) {
    surface.SetFontHeight(Trunc(designHeight * g.ScaleY));
}

void Line(DrawingSurface& surface, int x1, int y1, int x2, int y2) {
    surface.MoveTo(x1, y1);
    surface.LineTo(x2, y2);
}

void RuleTable(DrawingSurface& surface, const SheetGeometry& g) {
    const auto horizontal = [&](int y) { Line(surface, g.TableLeft, y, g.TableRight, y); };
    const auto vertical = [&](int x) { Line(surface, x, g.TableTop, x, g.TableBottom); };

    surface.SetPenWidth(g.ThickPen);
    horizontal(g.TableTop);
    horizontal(g.TableTop + g.CellHeight);

    surface.SetPenWidth(g.ThinPen);
    for (int k = 2; k <= 6; ++k) horizontal(g.TableTop + k * g.CellHeight);

    surface.SetPenWidth(g.ThickPen);
    horizontal(g.TableBottom);
    for (int x : {g.TableLeft, g.HoleLeft, g.TotalsLeft, g.TableRight}) vertical(x);

    // Every column boundary right of the name column; TotalsLeft comes again, thin.
    surface.SetPenWidth(g.ThinPen);
    for (int k = 1; k <= g.HoleColumns + 3; ++k) vertical(g.HoleLeft + k * g.CellWidth);

    // The split heading cell of the name column.
    Line(surface, g.TableLeft, g.TableTop, g.HoleLeft, g.TableTop + g.CellHeight);

    // Each hole cell of the player rows is crossed from its top-right to its
    // bottom-left corner.  The crossings line up, so they are drawn as long
    // lines: from the top of row 1 down to the left edge of the hole columns,
    // from the top of row 1 down to the bottom, and from the left edge of the
    // totals columns down to the bottom.
    const int rowOneTop = g.TableTop + g.CellHeight;
    for (int j = 1; j <= 6; ++j)
        Line(surface, g.HoleLeft + j * g.CellWidth, rowOneTop, g.HoleLeft,
             g.TableTop + (j + 1) * g.CellHeight);
    for (int j = 7; j <= g.HoleColumns - 1; ++j)
        Line(surface, g.HoleLeft + j * g.CellWidth, rowOneTop, g.HoleLeft + (j - 6) * g.CellWidth,
             g.TableBottom);
    for (int i = 1; i <= 6; ++i)
        Line(surface, g.TotalsLeft, g.TableTop + i * g.CellHeight,
             g.HoleLeft + (g.HoleColumns - 7 + i) * g.CellWidth, g.TableBottom);
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
    if (position < 0 || static_cast<std::size_t>(position) >= state.RosterTable.size())
        return nullptr;
    return &state.RosterTable[static_cast<std::size_t>(position)];
}

const std::string& Cell(const RosterRow* row, int column) {
    static const std::string empty;
    return row ? (*row)[static_cast<std::size_t>(column)] : empty;
}

// Writes the names and teams of the members in state.DrawPool into the player
// rows.  Draw has set the name height and computed the geometry.  A position
// that names no row of the table leaves its row's texts empty.
void TokuName(DrawingSurface& surface, const TournamentState& state, const SheetGeometry& g) {
    const auto& pool = state.DrawPool;
    for (std::size_t i = 0; i < pool.size(); ++i) {
        const int top = g.PlayerRowTop(static_cast<int>(i));
        surface.TextOut(g.X(g.TableLeft, 10), g.Y(top, 27), Cell(RowOfPosition(state, pool[i]), 0));
    }
    SetTextHeight(surface, g, 15);
    for (std::size_t i = 0; i < pool.size(); ++i) {
        // The team sits above the name, measured from the page's left edge.
        const int top = g.PlayerRowTop(static_cast<int>(i));
        surface.TextOut(g.X(0, 65), g.Y(top, 7), Cell(RowOfPosition(state, pool[i]), 1));
    }
}

void DrawHeader(DrawingSurface& surface, const SheetGeometry& g, const ScoreSheetSettings& s) {
    SetTextHeight(surface, g, 28);
    surface.TextOut(g.X(0, 380), g.Y(g.HeaderTop, 1), s.Title);

    struct Placed {
        std::string_view text;  // UTF-8
        int xBase;
        int dx;
        int yBase;
        int dy;
    };
    const int left = g.TableLeft, head = g.HeaderTop, top = g.TableTop;
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
        {s.MeetingName, 90, 55},  {s.Course, 90, 81},     {s.HoleCount, 450, 83},
        {s.GroupNumber, 690, 83}, {s.StartHole, 777, 83}, {s.Year, 1005, 80},
        {s.Month, 1053, 80},      {s.Day, 1105, 80},
    };
    for (const auto& v : values) surface.TextOut(g.X(left, v.dx), g.Y(head, v.dy), v.text);
}

void DrawHoleNumbers(DrawingSurface& surface, const SheetGeometry& g,
                     const std::string& startHole) {
    int hole = StrToInt(startHole);
    for (int c = 0; c < g.HoleCount; ++c) {
        surface.TextOut(g.X(g.HoleLeft + c * g.CellWidth, 23), g.Y(g.TableTop, 19),
                        std::to_string(hole));
        // After the last hole the numbers go round to 1.
        hole = hole < g.HoleCount ? hole + 1 : 1;
    }
}

void DrawTotalsCaptions(DrawingSurface& surface, const SheetGeometry& g) {
    SetTextHeight(surface, g, 14);
    const int y = g.Y(g.TableTop, 24);
    surface.TextOut(g.X(g.TotalsLeft, 11), y, Utf8ToCp932("実打数"));
    surface.TextOut(g.X(g.TotalsLeft + g.CellWidth, 17), y, Utf8ToCp932("一打"));
    surface.TextOut(g.X(g.TotalsLeft + 2 * g.CellWidth, 17), y, Utf8ToCp932("二打"));
    surface.TextOut(g.X(g.TotalsLeft + 3 * g.CellWidth, 17), y, Utf8ToCp932("合計"));
}

}  // namespace

ScoreSheetSettings DefaultScoreSheetSettings() {
    // Each text is constructed in place: assigning short literals to the
    // default-constructed strings trips GCC 12's false -Wrestrict alarm at -O2.
    return ScoreSheetSettings{
        .Title = Utf8ToCp932("　　　　　楓林会スコア表"),
        .MeetingName = Utf8ToCp932("秋季親睦会"),
        .Course = Utf8ToCp932("市民公園グラウンド"),
        .HoleCount = "10",
        .GroupNumber = "1",
        .StartHole = "1",
        .Year = "10",
        .Month = "10",
        .Day = "10",
        .HideHoleNumbers = false,
    };
}

SheetScale PrintScale(int dotsPerInchX, int dotsPerInchY) {
    return {dotsPerInchX * 0.0091, dotsPerInchY * 0.0104};
}

PageSize SheetPageSize(double scaleX, double scaleY) {
    return {Trunc(kDesignPageWidth * scaleX), Trunc(kDesignPageHeight * scaleY)};
}

PageSize Draw(DrawingSurface& surface, TournamentState& state, ScoreSheetSettings& settings) {
    const double scaleX = state.ScaleX;
    const double scaleY = state.ScaleY;
    const PageSize page = SheetPageSize(scaleX, scaleY);

    // A blank page first; the texts are set on the white brush that stays.
    surface.SetBrushColor(kWhite);
    surface.SetPenColor(kWhite);
    surface.Rectangle(0, 0, page.width, page.height);
    surface.SetPenColor(kBlack);

    surface.SetFontFace(SheetFace());
    surface.SetFontColor(kBlack);

    const std::int32_t holeCountValue = StrToInt(settings.HoleCount);
    if (holeCountValue > 11) settings.HoleCount = "12";
    const SheetGeometry g = ComputeGeometry(scaleX, scaleY, holeCountValue);

    RuleTable(surface, g);
    DrawHeader(surface, g, settings);

    SetTextHeight(surface, g, 22);
    const std::int32_t group = StrToInt(settings.GroupNumber);
    if (group >= 1 && group <= MaxGroups) {
        state.DrawPool = state.GroupList[static_cast<std::size_t>(group)];
        TokuName(surface, state, g);
    } else {
        // No such group: the sheet goes without names.
        state.DrawPool.clear();
    }

    SetTextHeight(surface, g, 24);
    if (!settings.HideHoleNumbers) DrawHoleNumbers(surface, g, settings.StartHole);

    DrawTotalsCaptions(surface, g);
    return page;
}

}  // namespace tovi
