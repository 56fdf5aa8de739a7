// Starts the program as main() does and ends it once the window has been
// painted for the first time (and flushed to the screen).  Prints the time
// from entering main and the peak resident memory (VmHWM) at that moment.
// With --whole it first builds what the window leaves for right after its
// first paint (the score-sheet controls), to measure the time to a window
// that is complete.
#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstring>

#include "probe_report.h"

#include "ui/program.h"

namespace {

// Reports and ends the process right after the first paint of the window.
class EndAfterFirstPaint final : public QObject {
public:
    EndAfterFirstPaint(tovi::TForm1& form, bool whole,
                       std::chrono::steady_clock::time_point entered)
        : form_(form), whole_(whole), entered_(entered) {
        form.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued before the window queues the rest of its building, so
            // that it runs after the paint is flushed and before that.
            QTimer::singleShot(0, qApp, [this] {
                if (whole_) form_.FinishBuilding();
                tovi::bench::ReportAndEnd(entered_);
            });
        }
        return false;
    }

private:
    tovi::TForm1& form_;
    bool whole_;
    std::chrono::steady_clock::time_point entered_;
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    const auto entered = std::chrono::steady_clock::now();
    const bool whole = argc > 1 && std::strcmp(argv[1], "--whole") == 0;

    QApplication app(argc, argv);
    tovi::Program program;
    EndAfterFirstPaint probe(program.Form(), whole, entered);
    program.Form().show();
    return QApplication::exec();
}
