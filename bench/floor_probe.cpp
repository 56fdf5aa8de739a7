// The floor the program's start-up is measured against: a bare Qt window of
// the program's size that shows a line in each of the three Japanese faces the
// program uses, and ends once it has been painted for the first time.
// Prints the same figures as tovi_startup_probe.
#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <chrono>

#include "probe_report.h"

namespace {

const QString kFaces[] = {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ Ｐゴシック"),
                          QStringLiteral("ＭＳ Ｐ明朝")};

class FloorWindow final : public QWidget {
public:
    explicit FloorWindow(std::chrono::steady_clock::time_point entered) : entered_(entered) {}

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
            QTimer::singleShot(0, qApp, [this] { tovi::bench::ReportAndEnd(entered_); });
        }
    }

private:
    std::chrono::steady_clock::time_point entered_;
    bool painted_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    const auto entered = std::chrono::steady_clock::now();

    QApplication app(argc, argv);
    // The faces the program asks for, found the way the program finds them.
    QFont::insertSubstitutions(kFaces[0], {"IPAGothic", "Noto Sans Mono CJK JP"});
    QFont::insertSubstitutions(kFaces[1], {"IPAPGothic", "Noto Sans CJK JP"});
    QFont::insertSubstitutions(kFaces[2], {"IPAPMincho", "Noto Serif CJK JP"});
    FloorWindow window(entered);
    window.setFixedSize(1020, 705);
    window.show();
    return QApplication::exec();
}
