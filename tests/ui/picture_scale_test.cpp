// The pictures of the window at the screen's device pixel ratio (these tests
// run at ratio 1 and again at ratio 2), and the row numbers of the list.
#include <QPixmap>
#include <QPushButton>

#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

std::vector<PictureWidget*> Pictures(const MainWindow& f) {
    const WindowControls controls = ControlsOf(f);
    std::vector<PictureWidget*> all;
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 23}) all.push_back(controls.Image(n));
    for (int g = 1; g <= MaxGroups; ++g) all.push_back(controls.GroupBox(g));
    return all;
}

TEST_F(WindowTest, EveryPictureIsAtTheScreensRatioAndPaintedPixelForPixel) {
    LoadMembers({"山田　太郎", "佐藤　花子"});
    form->EnterGroupingMode();
    const qreal ratio = form->devicePixelRatioF();
    for (PictureWidget* picture : Pictures(*form)) {
        EXPECT_EQ(picture->Image().devicePixelRatio(), ratio);
        // What reaches the screen is the image itself, not a stretched copy.
        const QRect area(0, 0, std::min(picture->width(), 130), std::min(picture->height(), 70));
        const QImage shot = picture->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage own = picture->Image().copy(QRect(area.topLeft(), area.size() * ratio));
        ASSERT_EQ(shot.size(), own.size());
        EXPECT_EQ(shot, own.convertToFormat(QImage::Format_RGB32));
    }
    // The rules of the list cover their logical pixel: 1 x 1 at ratio 1,
    // 2 x 2 at ratio 2.
    const QImage& list = Image(1)->Image();
    const int r = Ratio(list);
    for (int x : {35, 175}) {
        for (int dx = 0; dx < r; ++dx)
            EXPECT_EQ(list.pixelColor(x * r + dx, 100 * r), QColor(Qt::black)) << x;
        EXPECT_EQ(list.pixelColor(x * r - 1, 100 * r), QColor(Qt::white)) << x;
        EXPECT_EQ(list.pixelColor((x + 1) * r, 100 * r), QColor(Qt::white)) << x;
    }
}

TEST_F(WindowTest, RowNumbersEndTogetherClearOfTheColumnRule) {
    const QImage& list = Image(1)->Image();
    const int r = Ratio(list);
    // Where the ink of number k ends on the right, in logical pixels.
    auto inkEnd = [&](int k) {
        int right = -1;
        for (int y = (30 * (k - 1) + 2) * r; y < (30 * k - 1) * r; ++y)
            for (int x = 2 * r; x < 35 * r; ++x)
                if (list.pixel(x, y) != QColor(Qt::white).rgb()) right = std::max(right, x);
        return double(right + 1) / r;
    };
    // Numbers that end in the same digit end where it does.
    for (int digit = 1; digit <= 9; ++digit)
        for (int tens = 10; tens <= 30; tens += 10)
            EXPECT_LE(std::abs(inkEnd(tens + digit) - inkEnd(digit)), 1.0) << tens + digit;
    for (int k = 1; k <= MemberCapacity; ++k) {
        EXPECT_GT(inkEnd(k), 11.0) << k;
        EXPECT_LE(inkEnd(k), 33.0) << k;  // a pixel of white at least before the rule at 35
    }
}

}  // namespace
}  // namespace tovi::test
