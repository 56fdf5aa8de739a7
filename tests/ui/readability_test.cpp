// The panels' texts are readable: every caption, label and check box text
// reaches the contrast that readers with weaker eyes need (4.5 : 1), and the
// check box over the preview is white like the page beneath it.
#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <cmath>

#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

// The relative luminance and contrast ratio of the web accessibility guidelines.
double Luminance(QColor c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
double Contrast(QColor a, QColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour a widget's text is drawn on: that of the nearest widget, itself
// included, that fills its own background.
QColor BackgroundOf(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget())
        if (w->autoFillBackground()) return w->palette().color(QPalette::Window);
    return widget->palette().color(QPalette::Window);
}

TEST(Contrast, FollowsTheGuidelinesFormula) {
    struct Case {
        QColor a, b;
        double ratio;
    };
    const Case cases[] = {
        {Qt::white, Qt::black, 21.0},
        {Qt::white, Qt::white, 1.0},
        {QColor(122, 150, 223), Qt::white, 2.89},  // the former panel colour
        {QColor(255, 0, 0), Qt::white, 4.0},
    };
    for (const Case& c : cases) EXPECT_NEAR(Contrast(c.a, c.b), c.ratio, 0.01);
}

TEST_F(WindowTest, EveryTextOnThePanelsReachesTheContrastOfGoodReading) {
    const QWidget* panels[] = {Panel(1), Panel(2), Panel(3), Panel(4), Panel(5), Panel(6)};
    int checked = 0;
    for (const QWidget* panel : panels) {
        for (const QWidget* w : panel->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<const QLabel*>(w);
            const auto* button = qobject_cast<const QAbstractButton*>(w);
            // Check boxes and radio buttons draw their text on the panel;
            // push buttons on their own face, which the desktop's style owns.
            const bool onPanel = label || qobject_cast<const QCheckBox*>(w) ||
                                 (button && button->inherits("QRadioButton"));
            if (!onPanel || (label && label->text().isEmpty())) continue;
            const QColor text = w->palette().color(QPalette::WindowText);
            const QString name = label ? label->text() : button->text();
            EXPECT_GE(Contrast(text, BackgroundOf(w)), 4.5) << name.toStdString();
            ++checked;
        }
    }
    EXPECT_GE(checked, 25);  // every caption of the panels was looked at
}

TEST_F(WindowTest, TheHoleNumberCheckBoxIsWhiteOverThePreview) {
    form->EnterScoreSheetMode();
    const QImage shot = CheckBox(2)->grab().toImage();
    // Right of its text the box shows nothing but its background.
    for (int y = 2; y < shot.height() - 2; y += 4)
        EXPECT_EQ(shot.pixelColor(shot.width() - 3, y), QColor(Qt::white)) << y;
}

}  // namespace
}  // namespace tovi::test
