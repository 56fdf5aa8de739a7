// The picture widget on its own: its image and the screen's ratio (a window
// that goes to a screen of another ratio keeps what was drawn and draws at
// the new ratio from then on), what is drawn before it is first seen, and
// the presses and clicks it reports.
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <QSignalSpy>
#include <QTest>
#include <QtMath>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "core/cp932.h"
#include "platform/picture_widget.h"
#include "platform/qt_surface.h"
#include "support/picture_observer.h"
#include "support/recording_surface.h"

namespace tovi {
namespace {

bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 90; }

TEST(PictureWidgetTest, ItsImageHasTheScreensRatio) {
    PictureWidget picture(nullptr, 85, 21);
    EXPECT_EQ(picture.Image().devicePixelRatio(), picture.devicePixelRatioF());
    EXPECT_EQ(picture.Image().size(), QSize(85, 21) * picture.devicePixelRatioF());
}

TEST(PictureWidgetTest, ANewRatioKeepsTheDrawingAndDrawsSharpAfterwards) {
    for (int to : {1, 2, 3}) {
        PictureWidget picture(nullptr, 60, 40);
        const int from = to == 1 ? 2 : 1;
        picture.SetDevicePixelRatio(from);
        DrawingSurface& c = picture.Canvas();
        c.SetFontSize(12);
        c.MoveTo(10, 0);
        c.LineTo(10, 40);
        c.TextOut(20, 5, Utf8ToCp932("山田"));

        picture.SetDevicePixelRatio(to);
        const QImage& image = picture.Image();
        ASSERT_EQ(image.size(), QSize(60, 40) * to);
        ASSERT_EQ(image.devicePixelRatio(), to);
        // The rule drawn before is still there, where it was.
        EXPECT_TRUE(Dark(image, 10 * to + to / 2, 20 * to)) << to;
        EXPECT_FALSE(Dark(image, 8 * to, 20 * to)) << to;

        // A rule drawn now covers its logical pixel exactly, and a text is set
        // at the new ratio, as on a picture that always had it.
        c.MoveTo(5, 0);
        c.LineTo(5, 40);
        c.SetBrushColor(kYellow);
        c.TextOut(20, 22, Utf8ToCp932("佐藤"));
        for (int x = 3 * to; x < 8 * to; ++x)
            EXPECT_EQ(Dark(image, x, 30 * to), x >= 5 * to && x < 6 * to) << to << " " << x;
        QImage fresh(60 * to, 40 * to, QImage::Format_RGB32);
        fresh.setDevicePixelRatio(to);
        fresh.fill(Qt::white);
        QtSurface reference(&fresh);
        reference.SetFontSize(12);
        reference.SetBrushColor(kYellow);
        reference.TextOut(20, 22, Utf8ToCp932("佐藤"));
        const QRect text(20 * to, 22 * to, 30 * to, 17 * to);
        EXPECT_EQ(image.copy(text), fresh.copy(text)) << to;
    }
}

// A picture goes to the screen as QPainter's drawImage puts it there, at any
// scaling and wherever the picture stands, also for part of it: at 125, 150
// and 175 % its pixels are copied instead of scaled by one.  Where other
// widgets cover part of it, its paint may reach only the rest (a clip of
// several rectangles): there it puts the same pixels as when nothing covers
// it, and under the others the screen keeps what it had.  (Qt's own
// drawImage under such a clip takes another route, which at 125 and 175 %
// can put a row or column more or less at the picture's edge.)
TEST(PictureWidgetTest, ItsPixelsGoWhereDrawImagePutsThemAtEveryScaling) {
    for (const qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0}) {
        // Every logical column and row in a colour of its own.
        QImage picture(qCeil(40 * ratio), qCeil(30 * ratio), QImage::Format_RGB32);
        picture.setDevicePixelRatio(ratio);
        {
            QPainter p(&picture);
            for (int x = 0; x < 40; ++x)
                for (int y = 0; y < 30; ++y) p.fillRect(x, y, 1, 1, QColor(6 * x, 8 * y, 100));
        }
        // In device pixels: the screen but for a box in the middle and a
        // strip at the top.
        QRegion open = QRegion(0, 0, 200, 200).subtracted(QRegion(17, 20, 23, 11));
        open -= QRegion(0, 0, 200, 9);
        for (const QPoint at : {QPoint(0, 0), QPoint(3, 5), QPoint(1, 2), QPoint(6, 7)})
            for (const QRect covered : {QRect(0, 0, 40, 30), QRect(3, 1, 21, 17)}) {
                const auto screen = [&](bool oneForOne, const QRegion& clip) {
                    QImage image(qCeil(50 * ratio), qCeil(40 * ratio), QImage::Format_RGB32);
                    image.setDevicePixelRatio(ratio);
                    image.fill(Qt::black);
                    image.paintEngine()->setSystemClip(clip);
                    QPainter p(&image);
                    p.translate(at);
                    if (oneForOne)
                        DrawOneForOne(p, picture, covered);
                    else
                        p.drawImage(QRectF(covered), picture,
                                    QRectF(covered.x() * ratio, covered.y() * ratio,
                                           covered.width() * ratio, covered.height() * ratio));
                    p.end();
                    image.paintEngine()->setSystemClip(QRegion());
                    return image;
                };
                const QImage expected = screen(false, QRegion());
                EXPECT_TRUE(screen(true, QRegion()) == expected)
                    << "ratio " << ratio << " at " << at.x() << "," << at.y() << " part "
                    << covered.x();
                const QImage partly = screen(true, open);
                int wrong = 0;
                for (int y = 0; y < expected.height(); ++y)
                    for (int x = 0; x < expected.width(); ++x)
                        wrong +=
                            partly.pixel(x, y) !=
                            (open.contains(QPoint(x, y)) ? expected.pixel(x, y) : qRgb(0, 0, 0));
                EXPECT_EQ(wrong, 0) << "partly covered: ratio " << ratio << " at " << at.x() << ","
                                    << at.y() << " part " << covered.x();
            }
    }
}

TEST(PictureWidgetTest, AnUnusedPictureIsWhite) {
    PictureWidget picture(nullptr, 30, 20);
    picture.resize(40, 25);  // wider than its image: white beyond it too
    const QImage shot = picture.grab().toImage();
    for (int y = 0; y < shot.height(); y += 3)
        for (int x = 0; x < shot.width(); x += 3)
            ASSERT_EQ(shot.pixelColor(x, y), QColor(Qt::white)) << x << " " << y;
    EXPECT_TRUE(picture.Image().pixelColor(0, 0) == QColor(Qt::white));
}

// The same drawing made straight on an image at the picture's ratio, for
// comparison.
QImage DrawnDirectly(const PictureWidget& picture, QSize size,
                     const std::function<void(DrawingSurface&)>& draw) {
    const qreal ratio = picture.devicePixelRatioF();
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QtSurface surface(&image);
    draw(surface);
    return image;
}

TEST(PictureWidgetTest, WhatIsDrawnBeforeItIsSeenAppearsWhenSeen) {
    const auto first = [](DrawingSurface& c) {
        c.SetFontSize(11);
        c.SetBrushColor(kYellow);
        c.Rectangle(0, 0, 90, 24);
        c.TextOut(12, 5, Utf8ToCp932("出場設定"));
    };
    const auto second = [](DrawingSurface& c) {
        c.SetFontColor(kRed);  // the font and brush set before still hold
        c.TextOut(50, 5, Utf8ToCp932("→"));
        c.MoveTo(0, 20);
        c.LineTo(90, 20);
    };
    // Seen by being shown, by being looked at, or by being grabbed while
    // hidden; part of the drawing made before, part after, through one
    // reference to the canvas.
    const struct {
        const char* what;
        std::function<QImage(PictureWidget&)> see;
    } ways[] = {
        {"shown",
         [](PictureWidget& p) {
             p.show();
             return QImage();
         }},
        {"looked at", [](PictureWidget& p) { return p.Image(); }},
        {"grabbed while hidden", [](PictureWidget& p) { return p.grab().toImage(); }},
    };
    // A test's observer, when there is one, sees every call and changes nothing.
    for (const auto& way : ways)
        for (const bool observed : {false, true}) {
            SCOPED_TRACE(std::string(way.what) + (observed ? ", observed" : ""));
            PictureWidget picture(nullptr, 90, 24);
            picture.resize(90, 24);
            test::RecordingSurface seenCalls;
            std::optional<test::PictureObserver> observer;
            if (observed) observer.emplace(picture, seenCalls);
            DrawingSurface& c = picture.Canvas();
            first(c);
            const QImage seen = way.see(picture);
            if (!seen.isNull()) {
                EXPECT_EQ(seen.convertToFormat(QImage::Format_RGB32),
                          DrawnDirectly(picture, {90, 24}, first));
            }
            second(c);
            const QImage expected = DrawnDirectly(picture, {90, 24}, [&](DrawingSurface& s) {
                first(s);
                second(s);
            });
            EXPECT_EQ(picture.Image(), expected);
            EXPECT_EQ(picture.grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
            EXPECT_EQ(seenCalls.texts.size(), observed ? 2u : 0u);
            EXPECT_EQ(seenCalls.lines.size(), observed ? 1u : 0u);
        }
}

TEST(PictureWidgetTest, APictureLeftHiddenKeepsDrawingRight) {
    // Far more calls than a hidden picture keeps before it draws them.
    PictureWidget picture(nullptr, 60, 20);
    const auto draw = [](DrawingSurface& c) {
        c.SetFontSize(10);
        for (int i = 0; i < 3000; ++i) {
            c.SetBrushColor(i % 2 ? kWhite : kYellow);
            c.TextOut(i % 40, 3, Utf8ToCp932(i % 3 ? "山" : "川"));
        }
    };
    for (int i = 0; i < 3; ++i) draw(picture.Canvas());
    const QImage expected = DrawnDirectly(picture, {60, 20}, [&](DrawingSurface& c) {
        for (int i = 0; i < 3; ++i) draw(c);
    });
    EXPECT_EQ(picture.Image(), expected);
}

TEST(PictureWidgetTest, PressesAndClicks) {
    const struct {
        const char* what;
        bool ignore;
        Qt::MouseButton button;
        QPoint press, release;
        int presses, clicks;
    } cases[] = {
        {"left, in place", false, Qt::LeftButton, {5, 6}, {5, 6}, 1, 1},
        {"left, released elsewhere on it", false, Qt::LeftButton, {5, 6}, {30, 15}, 1, 1},
        {"left, released off it", false, Qt::LeftButton, {5, 6}, {50, 6}, 1, 0},
        {"right presses but does not click", false, Qt::RightButton, {7, 8}, {7, 8}, 1, 0},
        {"middle presses but does not click", false, Qt::MiddleButton, {7, 8}, {7, 8}, 1, 0},
        {"ignoring presses: left", true, Qt::LeftButton, {5, 6}, {5, 6}, 0, 0},
        {"ignoring presses: right", true, Qt::RightButton, {5, 6}, {5, 6}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PictureWidget picture(nullptr, 40, 20);
        picture.resize(40, 20);
        picture.SetIgnorePresses(c.ignore);
        EXPECT_EQ(picture.IgnoresPresses(), c.ignore);
        QSignalSpy presses(&picture, &PictureWidget::pressed);
        QSignalSpy clicks(&picture, &PictureWidget::clicked);
        QTest::mousePress(&picture, c.button, {}, c.press);
        QTest::mouseRelease(&picture, c.button, {}, c.release);
        ASSERT_EQ(presses.count(), c.presses);
        if (c.presses > 0) {
            EXPECT_EQ(presses[0][0].toInt(), c.press.x());
            EXPECT_EQ(presses[0][1].toInt(), c.press.y());
        }
        EXPECT_EQ(clicks.count(), c.clicks);
    }
}

TEST(PictureWidgetTest, IgnoringPressesBetweenPressAndReleaseCancelsTheClick) {
    PictureWidget picture(nullptr, 40, 20);
    picture.resize(40, 20);
    QSignalSpy clicks(&picture, &PictureWidget::clicked);
    QTest::mousePress(&picture, Qt::LeftButton, {}, QPoint(5, 5));
    picture.SetIgnorePresses(true);
    QTest::mouseRelease(&picture, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 0);
    // Taking presses again does not bring back the press made before.
    picture.SetIgnorePresses(false);
    QTest::mouseRelease(&picture, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseClick(&picture, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 1);
}

}  // namespace
}  // namespace tovi
