// The picture surface takes short cuts (fills for thin straight lines and
// outlines, text boxes set once and copied, erasing texts that leave no
// trace).  Each must give exactly the pixels of drawing every call with
// QPainter as it comes, which is what these tests compare.
#include <QImage>
#include <QPainter>
#include <QtMath>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "platform/fonts.h"
#include "platform/qt_surface.h"

namespace tovi {
namespace {

QColor ToColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// Draws each call on its own painter, with no short cut.
class PlainSurface final : public DrawingSurface {
public:
    explicit PlainSurface(QImage* image) : image_(image) {}
    void SetPenColor(Rgb c) override { pen_ = c; }
    void SetPenWidth(int w) override { penWidth_ = w; }
    void SetBrushColor(Rgb c) override { brush_ = c; }
    // A new face keeps the size, given in points or as a cell height.
    void SetFontFace(const std::string& f) override {
        face_ = QString::fromStdString(Cp932ToUtf8(f));
        font_ =
            cellHeight_ > 0 ? FontForCellHeight(face_, cellHeight_) : FontForPoints(face_, points_);
    }
    void SetFontHeight(int h) override {
        cellHeight_ = h;
        font_ = FontForCellHeight(face_, h);
    }
    void SetFontSize(int p) override {
        points_ = p;
        cellHeight_ = 0;
        font_ = FontForPoints(face_, p);
    }
    void SetFontColor(Rgb c) override { text_ = c; }
    void TextOut(int x, int y, const std::string& t) override {
        const QString shown = QString::fromStdString(Cp932ToUtf8(t));
        QPainter p(image_);
        p.setFont(font_);
        const QFontMetrics m = p.fontMetrics();
        p.fillRect(QRect(x, y, m.horizontalAdvance(shown), m.height()), ToColor(brush_));
        p.setPen(ToColor(text_));
        p.drawText(QPoint(x, y + m.ascent()), shown);
    }
    void MoveTo(int x, int y) override { at_ = QPoint(x, y); }
    void LineTo(int x, int y) override {
        QPainter p(image_);
        QPen pen(ToColor(pen_));
        pen.setWidth(penWidth_);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        // Across the line only.
        if (penWidth_ % 2 == 1 && image_->devicePixelRatio() != 1.0)
            p.translate(at_.y() == y && at_.x() != x ? 0.0 : 0.5, at_.x() == x ? 0.0 : 0.5);
        p.drawLine(at_, QPoint(x, y));
        at_ = QPoint(x, y);
    }
    void Rectangle(int l, int t, int r, int b) override {
        if (r <= l || b <= t) return;
        QPainter p(image_);
        p.fillRect(QRect(l, t, r - l, b - t), ToColor(brush_));
        QPen pen(ToColor(pen_));
        pen.setWidth(penWidth_);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        Shift(p);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(l, t, r - l - 1, b - t - 1));
    }

private:
    // An odd-width pen goes on the pixels right of and below its line, as Qt
    // does by itself at ratio 1.
    void Shift(QPainter& p) const {
        if (penWidth_ % 2 == 1 && image_->devicePixelRatio() != 1.0) p.translate(0.5, 0.5);
    }

    QImage* image_;
    Rgb pen_ = kBlack, brush_ = kWhite, text_ = kBlack;
    int penWidth_ = 1;
    QString face_ = kPGothicFace;
    int points_ = 8, cellHeight_ = 0;
    QFont font_ = FontForPoints(kPGothicFace, 8);
    QPoint at_;
};

// A picture with something on it everywhere, so that a pixel set or left
// wrongly shows; or, not busy, a white one.
QImage BusyPicture(qreal ratio, QSize size = {160, 90}, bool busy = true) {
    QImage image(qCeil(size.width() * ratio), qCeil(size.height() * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    if (!busy) return image;
    QPainter p(&image);
    for (int x = 0; x < image.width(); x += 7)
        p.fillRect(x, 0, 2, image.height(), QColor(90, 160, 40));
    for (int y = 0; y < image.height(); y += 5)
        p.fillRect(0, y, image.width(), 1, QColor(200, 30, 140));
    return image;
}

using Script = std::function<void(DrawingSurface&)>;

// The first device pixel where the two ways differ, or "" when none does.
std::string Compare(const Script& script, qreal ratio, QSize size = {160, 90}, bool busy = true) {
    // The faces the program draws with.
    InstallFontSubstitutions();
    QImage fast = BusyPicture(ratio, size, busy), plain = BusyPicture(ratio, size, busy);
    QtSurface surface(&fast);
    PlainSurface reference(&plain);
    script(surface);
    script(reference);
    if (fast == plain) return {};
    for (int y = 0; y < fast.height(); ++y)
        for (int x = 0; x < fast.width(); ++x)
            if (fast.pixel(x, y) != plain.pixel(x, y))
                return "(" + std::to_string(x) + ", " + std::to_string(y) + ") at ratio " +
                       std::to_string(ratio);
    return {};
}

// The ratios of the scalings a desktop offers: 100, 125, 150, 175 and 200 %.
constexpr std::initializer_list<qreal> kRatios = {1.0, 1.25, 1.5, 1.75, 2.0};

// The first pixel where script fails at any of the ratios, or "".
std::string CompareAtEveryRatio(const Script& script,
                                std::initializer_list<qreal> ratios = kRatios) {
    for (qreal ratio : ratios)
        if (std::string differs = Compare(script, ratio); !differs.empty()) return differs;
    return {};
}

TEST(QtSurfaceTest, ThinStraightLinesSetThePixelsOfTheLineDrawing) {
    struct Case {
        int width;
        QLine line;
    };
    const Case cases[] = {
        {1, {0, 30, 150, 30}},   {1, {150, 30, 0, 30}}, {1, {35, 0, 35, 89}},
        {1, {35, 89, 35, 0}},    {1, {5, 5, 5, 5}},     {1, {10, 10, 10, 11}},
        {1, {10, 11, 10, 10}},   {1, {10, 10, 11, 10}}, {1, {-20, 40, 400, 40}},
        {1, {159, -5, 159, 95}}, {0, {3, 7, 120, 7}},   {0, {44, 80, 44, 2}},
        {1, {3, 2, 40, 9}},      {2, {3, 50, 90, 50}},  {3, {60, 3, 60, 70}},
    };
    for (const Case& c : cases) {
        // A line of no length is one pixel; QPainter has no such rule away
        // from ratio 1 (where it is pinned below).
        const bool point = c.line.p1() == c.line.p2();
        const std::string differs = CompareAtEveryRatio(
            [&](DrawingSurface& s) {
                s.SetPenColor(kRed);
                s.SetPenWidth(c.width);
                s.MoveTo(c.line.x1(), c.line.y1());
                s.LineTo(c.line.x2(), c.line.y2());
            },
            point ? std::initializer_list<qreal>{1.0} : kRatios);
        EXPECT_EQ(differs, "") << "width " << c.width << " from " << c.line.x1() << ","
                               << c.line.y1() << " to " << c.line.x2() << "," << c.line.y2();
    }
}

// At 125, 150 and 175 % the ends and sides of a rule fall on pixel centres,
// where the line drawing goes either way by the last bit of its arithmetic
// (at 125 % a rule of 237 pixels from x = 2 ends a device pixel short).
// Every length up to 260 pixels at every phase of its start, both ways,
// along a row and down a column, with a pen of width 1 and the thinnest.
TEST(QtSurfaceTest, RulesOfEveryLengthAndPhaseSetThePixelsOfTheLineDrawing) {
    constexpr int kLongest = 260;
    for (const qreal ratio : kRatios)
        for (const int width : {1, 0})
            for (const bool column : {false, true})
                for (const bool backwards : {false, true})
                    for (int phase = 0; phase < 4; ++phase) {
                        const std::string differs = Compare(
                            [&](DrawingSurface& s) {
                                s.SetPenColor(kRed);
                                s.SetPenWidth(width);
                                for (int length = 1; length <= kLongest; ++length) {
                                    // Each on a line of its own, across at a phase of its own.
                                    const int across = 2 * length + phase;
                                    QLine line(phase, across, phase + length, across);
                                    if (column) line = QLine(across, phase, across, phase + length);
                                    if (backwards) line = QLine(line.p2(), line.p1());
                                    s.MoveTo(line.x1(), line.y1());
                                    s.LineTo(line.x2(), line.y2());
                                }
                            },
                            ratio,
                            column ? QSize(2 * kLongest + 8, kLongest + 8)
                                   : QSize(kLongest + 8, 2 * kLongest + 8));
                        EXPECT_EQ(differs, "")
                            << "width " << width << (column ? " column" : " row")
                            << (backwards ? " backwards" : "") << " from phase " << phase;
                    }
}

TEST(QtSurfaceTest, RectanglesSetThePixelsOfFillAndOutline) {
    struct Case {
        int width;
        int left, top, right, bottom;
    };
    const Case cases[] = {
        {1, 0, 0, 160, 90},     {1, 10, 10, 95, 31}, {1, 10, 10, 12, 12}, {1, 10, 10, 11, 40},
        {1, 10, 10, 40, 11},    {0, 20, 5, 80, 60},  {2, 20, 5, 80, 60},  {1, -10, -10, 30, 30},
        {1, 140, 70, 200, 120}, {1, 0, 0, 161, 90},
    };
    // An outline in a colour of its own, and one in the fill's colour (as a
    // page is blanked), which with the thinnest pen leaves no trace.
    for (const Rgb pen : {kInactiveCaption, kYellow})
        for (const Case& c : cases) {
            const std::string differs = CompareAtEveryRatio([&](DrawingSurface& s) {
                s.SetPenColor(pen);
                s.SetBrushColor(kYellow);
                s.SetPenWidth(c.width);
                s.Rectangle(c.left, c.top, c.right, c.bottom);
            });
            EXPECT_EQ(differs, "") << "width " << c.width << " box " << c.left << "," << c.top
                                   << "," << c.right << "," << c.bottom << " pen " << int(pen.b);
        }
    // The thinnest outline in the fill's colour, at every phase and size.
    for (int left = 0; left < 4; ++left)
        for (int top = 0; top < 4; ++top)
            for (int size = 1; size < 30; size += 3) {
                const std::string differs = CompareAtEveryRatio([&](DrawingSurface& s) {
                    s.SetPenColor(kWhite);
                    s.SetBrushColor(kWhite);
                    s.SetPenWidth(0);
                    s.Rectangle(left, top, left + size + 2 * top, top + size);
                });
                EXPECT_EQ(differs, "") << left << "," << top << " size " << size;
            }
}

TEST(QtSurfaceTest, TextsSetThePixelsOfDrawingEachOne) {
    struct Case {
        const char* text;  // UTF-8
        Rgb colour, brush;
        int points;  // 0: a 14-pixel cell
        int x, y;
    };
    const Case cases[] = {
        {"山田　太郎", kBlack, kWhite, 12, 3, 4}, {"東町クラブ", kBlack, kWhite, 12, 3, 4},
        {"ブ", kBlack, kWhite, 12, 30, 20},        // ink reaches past the box
        {"jf", kRed, kYellow, 14, 50, 40},         // and past its left edge
        {"jf", kWhite, kWhite, 14, 51, 12},        // an eraser that leaves a trace
        {"国国国国国", kWhite, kWhite, 12, 1, 2},  // erasing a row
        {"国国国", kYellow, kYellow, 14, 20, 30}, {"出場", kBlack, kWhite, 12, 100, 60},
        {"リーダ", kRed, kWhite, 11, 120, 70},  // runs off the right edge
        {"⇒", kRed, kWhite, 12, 60, 80},        // runs off the bottom edge
        {"*", kWhite, kWhite, 12, -3, -4},        {"12", kBlack, kInactiveCaption, 14, 11, 6},
        {"氏　　名", kBlack, kWhite, 0, 40, 5},   {"", kBlack, kWhite, 12, 40, 40},
    };
    for (const Case& c : cases) {
        const std::string differs = CompareAtEveryRatio([&](DrawingSurface& s) {
            if (c.points > 0)
                s.SetFontSize(c.points);
            else
                s.SetFontHeight(14);
            s.SetBrushColor(c.brush);
            s.SetFontColor(c.colour);
            s.TextOut(c.x, c.y, Utf8ToCp932(c.text));
        });
        EXPECT_EQ(differs, "") << c.text;
    }
}

// Ink that reaches past a text's box (a glyph wider than its advance, or a
// row above or below the box where the box's edges round at 125 and 175 %)
// falls on what is there.  On a page of the brush colour the short cut
// copies it with the box; next to anything else each glyph is drawn.
TEST(QtSurfaceTest, InkPastTheBoxOnItsOwnColourSetsThePixelsOfDrawingEachOne) {
    struct Case {
        const char* text;  // UTF-8
        Rgb colour, brush;
        int points;  // 0: a 14-pixel cell
    };
    const Case cases[] = {
        {"jf", kRed, kWhite, 14},          {"ブ", kBlack, kWhite, 12},
        {"【大会名】", kBlack, kWhite, 0}, {"市民公園グラウンド", kBlack, kWhite, 0},
        {"jf", kWhite, kWhite, 14},        {"【コース】", kBlack, kYellow, 0},
    };
    for (const Case& c : cases)
        for (const bool busy : {false, true}) {
            const Script script = [&](DrawingSurface& s) {
                if (c.points > 0)
                    s.SetFontSize(c.points);
                else
                    s.SetFontHeight(14);
                // A page of the brush colour, then the text at every phase.
                s.SetPenWidth(1);
                s.SetPenColor(c.brush);
                s.SetBrushColor(c.brush);
                if (!busy) s.Rectangle(0, 0, 160, 90);
                s.SetFontColor(c.colour);
                for (int i = 0; i < 4; ++i)
                    s.TextOut(3 + 41 * (i % 2) + i, 2 + 21 * i, Utf8ToCp932(c.text));
            };
            for (const qreal ratio : kRatios)
                EXPECT_EQ(Compare(script, ratio, {160, 90}, busy), "")
                    << c.text << (busy ? " on a busy picture" : " on its own colour");
            // On its own colour none is drawn glyph by glyph.
            QImage image = BusyPicture(1.25, {160, 90}, false);
            QtSurface surface(&image);
            script(surface);
            if (!busy) {
                EXPECT_EQ(surface.PaintedCalls(), 0u) << c.text;
            }
        }
}

TEST(QtSurfaceTest, ATextSetAgainInOtherColoursAndFontsKeepsItsOwnPixels) {
    const std::string differs = CompareAtEveryRatio([](DrawingSurface& s) {
        const std::string name = Utf8ToCp932("佐藤　花子");
        s.SetFontSize(12);
        s.SetBrushColor(kWhite);
        for (int i = 0; i < 3; ++i) {
            s.SetFontColor(i == 1 ? kRed : kBlack);
            s.TextOut(5 + 3 * i, 5 + 20 * i, name);
        }
        s.SetFontSize(14);
        s.TextOut(5, 65, name);
        s.SetFontFace(Utf8ToCp932("ＭＳ Ｐ明朝"));
        s.SetFontSize(12);
        s.SetBrushColor(kYellow);
        s.TextOut(80, 65, name);
        s.SetFontColor(kWhite);
        s.SetBrushColor(kWhite);
        s.SetFontFace(Utf8ToCp932("ＭＳ Ｐゴシック"));
        s.TextOut(8, 25, name);  // erased in the first font again
    });
    EXPECT_EQ(differs, "");
}

// What the pictures draw most (names and marks in black on white or in
// colour, rows erased, rules, outlines) takes a short cut at every scaling.
TEST(QtSurfaceTest, EveryScalingTakesTheShortCutsForWhatThePicturesDrawMost) {
    for (const qreal ratio : kRatios) {
        QImage image = BusyPicture(ratio);
        QtSurface surface(&image);
        // A page blanked with pen and brush alike.
        surface.SetPenWidth(0);
        surface.SetPenColor(kWhite);
        surface.Rectangle(0, 0, 160, 90);
        surface.SetPenWidth(1);
        surface.SetPenColor(kBlack);
        surface.SetFontSize(12);
        for (int row = 0; row < 4; ++row) {
            const int y = 3 + 21 * row;
            surface.SetBrushColor(kWhite);
            surface.SetFontColor(row == 2 ? kWhite : kBlack);
            surface.TextOut(4 + row, y, Utf8ToCp932("山田　太郎"));
            surface.SetFontColor(kRed);
            surface.SetBrushColor(kYellow);
            surface.TextOut(90, y + 1, Utf8ToCp932("出場"));
            surface.MoveTo(0, y + 18);
            surface.LineTo(159, y + 18);
            surface.MoveTo(80 + row, y);
            surface.LineTo(80 + row, y + 17);
            surface.Rectangle(120, y, 150 + row, y + 16);
        }
        EXPECT_EQ(surface.PaintedCalls(), 0u) << "ratio " << ratio;
    }
}

// A white picture of 160 x 90 logical pixels at the ratio, with script drawn.
QImage Drawn(const Script& script, int ratio) {
    QImage image(160 * ratio, 90 * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QtSurface surface(&image);
    script(surface);
    return image;
}

// Whether the ratio-2 picture is the ratio-1 picture with every pixel doubled.
bool IsDoubled(const QImage& single, const QImage& twice) {
    for (int y = 0; y < twice.height(); ++y)
        for (int x = 0; x < twice.width(); ++x)
            if (twice.pixel(x, y) != single.pixel(x / 2, y / 2)) return false;
    return true;
}

TEST(QtSurfaceTest, AtRatioTwoRulesAndOutlinesCoverTheSameLogicalPixels) {
    struct Case {
        int width;
        QLine line;  // empty: the rectangle 12, 9 .. 70, 50 instead
    };
    const Case cases[] = {
        {1, {0, 30, 150, 30}},
        {1, {35, 0, 35, 89}},
        {1, {159, 5, 159, 95}},
        {1, {5, 5, 5, 5}},
        {2, {3, 50, 90, 50}},
        {3, {60, 3, 60, 70}},
        {3, {5, 20, 120, 20}},
        {1, {}},
        {2, {}},
        {3, {}},
    };
    for (const Case& c : cases) {
        const Script script = [&](DrawingSurface& s) {
            s.SetPenColor(kBlack);
            s.SetBrushColor(kYellow);
            s.SetPenWidth(c.width);
            if (c.line.isNull()) {
                s.Rectangle(12, 9, 70, 50);
                return;
            }
            s.MoveTo(c.line.x1(), c.line.y1());
            s.LineTo(c.line.x2(), c.line.y2());
        };
        EXPECT_TRUE(IsDoubled(Drawn(script, 1), Drawn(script, 2)))
            << "width " << c.width << " line " << c.line.x1() << "," << c.line.y1();
    }
}

TEST(QtSurfaceTest, AtRatioTwoARuleIsTwoDevicePixelsWideAndTheThinnestLineOne) {
    for (int width : {1, 0}) {
        const QImage image = Drawn(
            [&](DrawingSurface& s) {
                s.SetPenWidth(width);
                s.MoveTo(35, 0);
                s.LineTo(35, 89);
            },
            2);
        std::vector<int> dark;
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, 100) == QColor(Qt::black)) dark.push_back(x);
        const std::vector<int> wanted =
            width == 1 ? std::vector<int>{70, 71} : std::vector<int>{70};
        EXPECT_EQ(dark, wanted) << width;
    }
}

TEST(QtSurfaceTest, AtRatioTwoTextsAreSetAtThatRatioInsideTheirBox) {
    for (const char* text : {"山田　太郎", "12", "リーダ", "出場"}) {
        const Script script = [&](DrawingSurface& s) {
            s.SetFontSize(12);
            s.TextOut(10, 10, Utf8ToCp932(text));
        };
        const QImage single = Drawn(script, 1), twice = Drawn(script, 2);
        EXPECT_FALSE(IsDoubled(single, twice)) << text;
        // The ink is where the text stands at ratio 1, no more than a pixel off.
        auto inkBounds = [](const QImage& image) {
            const int r = qRound(image.devicePixelRatio());
            QRect bounds;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixel(x, y) != QColor(Qt::white).rgb())
                        bounds |= QRect(x / r, y / r, 1, 1);
            return bounds;
        };
        const QRect a = inkBounds(single), b = inkBounds(twice);
        EXPECT_LE(std::abs(a.left() - b.left()), 1) << text;
        EXPECT_LE(std::abs(a.right() - b.right()), 1) << text;
        EXPECT_LE(std::abs(a.top() - b.top()), 1) << text;
        EXPECT_LE(std::abs(a.bottom() - b.bottom()), 1) << text;
    }
}

std::string Repeat(const std::string& unit, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += unit;
    return text;
}

// A text far wider than the picture is cut before it is set; what shows must
// be exactly what the whole text would show, wherever it starts.
TEST(QtSurfaceTest, TextsWiderThanThePictureShowWhatTheWholeTextWould) {
    struct Case {
        const char* what;
        std::string text;  // CP932
        Rgb colour, brush;
        int x;
    };
    const std::string letters = Repeat("Wiljf", 600);
    const std::string kanji = Repeat(Utf8ToCp932("山田　花子"), 300);
    const Case cases[] = {
        {"letters", letters, kBlack, kWhite, 0},
        {"letters from the middle", letters, kRed, kYellow, 90},
        {"letters from the left of the picture", letters, kBlack, kWhite, -400},
        {"letters from past the right edge", letters, kBlack, kWhite, 170},
        {"kanji", kanji, kBlack, kWhite, 7},
        {"kanji erased", kanji, kWhite, kWhite, 7},
        {"kanji from the left of the picture", kanji, kBlack, kInactiveCaption, -1000},
        {"bytes that do not decode", Repeat("\x81\xFFx\x82", 900), kBlack, kWhite, 3},
        {"a lone lead byte at the end", Repeat("a", 2000) + "\x88", kBlack, kWhite, 3},
    };
    for (const Case& c : cases) {
        const std::string differs = CompareAtEveryRatio([&](DrawingSurface& s) {
            s.SetFontSize(12);
            s.SetBrushColor(c.brush);
            s.SetFontColor(c.colour);
            s.TextOut(c.x, 20, c.text);
            // The same text again, now reaching further to the left.
            s.TextOut(c.x - 300, 50, c.text);
        });
        EXPECT_EQ(differs, "") << c.what;
    }
}

// A page is drawn with a painter that may scale: the cut follows the page's
// width in the painter's coordinates.
TEST(QtSurfaceTest, TextsWiderThanAPageShowWhatTheWholeTextWould) {
    const std::string text = Repeat(Utf8ToCp932("東町クラブ"), 400);
    const QString shown = QString::fromStdString(Cp932ToUtf8(text));
    for (const double scale : {1.0, 0.25, 3.0}) {
        QImage fast = BusyPicture(1), plain = BusyPicture(1);
        const QFont font = FontForPoints(kPGothicFace, 12);
        {
            QPainter painter(&fast);
            painter.scale(scale, scale);
            QtSurface surface(&painter);
            surface.SetFontSize(12);
            surface.TextOut(4, 6, text);
        }
        {
            QPainter p(&plain);
            p.scale(scale, scale);
            p.setFont(font);
            const QFontMetrics m(font, &plain);
            p.fillRect(QRect(4, 6, m.horizontalAdvance(shown), m.height()), Qt::white);
            p.setPen(Qt::black);
            p.drawText(QPoint(4, 6 + m.ascent()), shown);
        }
        EXPECT_TRUE(fast == plain) << "scale " << scale;
    }
}

TEST(QtSurfaceTest, TheTextCacheStaysWithinItsBytes) {
    QImage image(1245, 841, QImage::Format_RGB32);
    QtSurface surface(&image);
    surface.SetFontSize(12);
    // Long texts that differ only far past what shows, and many short ones.
    const std::string tail = Repeat(Utf8ToCp932("山"), 100'000);
    for (int i = 0; i < 300; ++i) {
        surface.SetFontColor(i % 2 ? kBlack : kRed);
        surface.TextOut(0, 0, Repeat(Utf8ToCp932("田"), static_cast<std::size_t>(i)) + tail);
        surface.TextOut(0, 30, std::to_string(i) + "," + tail + std::to_string(i));
        EXPECT_LE(surface.CachedTextBytes(), 9u * 1024 * 1024) << i;
    }
    for (int i = 0; i < 5000; ++i) surface.TextOut(0, 60, std::to_string(i));
    EXPECT_LE(surface.CachedTextBytes(), 9u * 1024 * 1024);
}

}  // namespace
}  // namespace tovi
