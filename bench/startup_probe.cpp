// Starts the program as main() does and quits once the
// window has been painted for the first time.  Prints the time from entering main and
// the peak resident memory (VmHWM) at that moment.
#include <QApplication>
#include <QFile>
#include <QTimer>

#include <chrono>
#include <cstdio>

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

QByteArray StatusField(const char* name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return {};
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith(name)) return line.mid(qstrlen(name)).trimmed();
    return {};
}

}  // namespace

int main(int argc, char* argv[]) {
    const auto entered = std::chrono::steady_clock::now();

    QApplication app(argc, argv);
    tovi::Program program;
    QuitAfterFirstPaint probe(&program.Form());
    program.Form().show();
    const int rc = app.exec();

    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - entered)
            .count();
    std::printf("main_to_first_paint_ms %.1f\nVmHWM %s\nVmRSS %s\n", ms,
                StatusField("VmHWM:").constData(), StatusField("VmRSS:").constData());
    return rc;
}
