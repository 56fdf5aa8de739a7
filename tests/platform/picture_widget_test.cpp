// The picture widget on its own: its image and the screen's ratio (a window
// that goes to a screen of another ratio keeps what was drawn and draws at
// the new ratio from then on), and the presses and clicks it reports.
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "core/cp932.h"
#include "platform/picture_widget.h"
#include "platform/qt_surface.h"

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

TEST(PictureWidgetTest, AnUnusedPictureIsWhite) {
    PictureWidget picture(nullptr, 30, 20);
    picture.resize(40, 25);  // wider than its image: white beyond it too
    const QImage shot = picture.grab().toImage();
    for (int y = 0; y < shot.height(); y += 3)
        for (int x = 0; x < shot.width(); x += 3)
            ASSERT_EQ(shot.pixelColor(x, y), QColor(Qt::white)) << x << " " << y;
    EXPECT_TRUE(picture.Image().pixelColor(0, 0) == QColor(Qt::white));
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
