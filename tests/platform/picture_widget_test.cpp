// A picture whose window goes to a screen of another device pixel ratio
// keeps what was drawn on it and draws at the new ratio from then on.
#include <QImage>

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
        c.TextOut(20, 5, Sjis("山田"));

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
        c.TextOut(20, 22, Sjis("佐藤"));
        for (int x = 3 * to; x < 8 * to; ++x)
            EXPECT_EQ(Dark(image, x, 30 * to), x >= 5 * to && x < 6 * to) << to << " " << x;
        QImage fresh(60 * to, 40 * to, QImage::Format_RGB32);
        fresh.setDevicePixelRatio(to);
        fresh.fill(Qt::white);
        QtSurface reference(&fresh);
        reference.SetFontSize(12);
        reference.SetBrushColor(kYellow);
        reference.TextOut(20, 22, Sjis("佐藤"));
        const QRect text(20 * to, 22 * to, 30 * to, 17 * to);
        EXPECT_EQ(image.copy(text), fresh.copy(text)) << to;
    }
}

}  // namespace
}  // namespace tovi
