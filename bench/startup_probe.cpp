// Starts the program as main() does and quits once the
// window has been painted for the first time.  Prints the time from entering main and
// the peak resident memory (VmHWM) at that moment.
#include <QApplication>
#include <QTimer>

#include <chrono>

#include "probe_report.h"

#include "ui/program.h"

namespace {

// Quits the application after the first paint of the watched widget.
class QuitAfterFirstPaint final : public QObject {
public:
    explicit QuitAfterFirstPaint(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return false;
    }

private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    const auto entered = std::chrono::steady_clock::now();

    QApplication app(argc, argv);
    tovi::Program program;
    QuitAfterFirstPaint probe(&program.Form());
    program.Form().show();
    const int rc = app.exec();

    tovi::bench::PrintStartUpFigures(entered);
    return rc;
}
