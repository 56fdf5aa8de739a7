// The floor the program's start-up is measured against: a bare Qt window of
// the program's size that shows a line in each of the three Japanese faces the
// program uses, and ends once it has been painted for the first time.
// Prints the same figures as tovi_startup_probe.
#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "probe_report.h"

namespace {

const QString kFaces[] = {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ Ｐゴシック"),
                          QStringLiteral("ＭＳ Ｐ明朝")};

class FloorWindow final : public QWidget {
public:
    explicit FloorWindow(const tovi::bench::StartUpSteps& steps) : steps_(steps) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        int y = 40;
        for (const QString& face : kFaces) {
            QFont font(face);
            font.setPixelSize(16);
            painter.setFont(font);
            painter.drawText(20, y, QStringLiteral("グラウンドゴルフの組み合わせ　%1").arg(face));
            y += 30;
        }
        if (!painted_) {
            painted_ = true;
            QTimer::singleShot(0, qApp, [this] { tovi::bench::ReportAndEnd(steps_); });
        }
    }

private:
    const tovi::bench::StartUpSteps& steps_;
    bool painted_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    tovi::bench::StartUpSteps steps;

    QApplication app(argc, argv);
    steps.application = tovi::bench::StartUpSteps::Clock::now();
    // The faces the program asks for, found the way the program finds them.
    QFont::insertSubstitutions(kFaces[0], {"IPAGothic", "Noto Sans Mono CJK JP"});
    QFont::insertSubstitutions(kFaces[1], {"IPAPGothic", "Noto Sans CJK JP"});
    QFont::insertSubstitutions(kFaces[2], {"IPAPMincho", "Noto Serif CJK JP"});
    FloorWindow window(steps);
    window.setFixedSize(1020, 705);
    steps.window = tovi::bench::StartUpSteps::Clock::now();
    window.show();
    steps.shown = tovi::bench::StartUpSteps::Clock::now();
    return QApplication::exec();
}
