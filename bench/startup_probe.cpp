// Starts the program as main() does and ends it once the window has been
// painted for the first time (and flushed to the screen).  Prints the time
// from entering main and the peak resident memory (VmHWM) at that moment.
// With --whole it first builds what the window leaves for right after its
// first paint (the score-sheet controls), to measure the time to a window
// that is complete.
#include <QApplication>
#include <QTimer>

#include <cstring>

#include "probe_report.h"

#include "app/program.h"

namespace {

// Reports and ends the process right after the first paint of the window.
class EndAfterFirstPaint final : public QObject {
public:
    EndAfterFirstPaint(tovi::MainWindow& form, bool whole, const tovi::bench::StartUpSteps& steps)
        : form_(form), whole_(whole), steps_(steps) {
        form.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued before the window queues the rest of its building, so
            // that it runs after the paint is flushed and before that.
            QTimer::singleShot(0, qApp, [this] {
                if (whole_) form_.FinishBuilding();
                tovi::bench::ReportAndEnd(steps_);
            });
        }
        return false;
    }

private:
    tovi::MainWindow& form_;
    bool whole_;
    const tovi::bench::StartUpSteps& steps_;
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    tovi::bench::StartUpSteps steps;
    const bool whole = argc > 1 && std::strcmp(argv[1], "--whole") == 0;

    QApplication app(argc, argv);
    steps.application = tovi::bench::StartUpSteps::Clock::now();
    tovi::Program program;
    steps.window = tovi::bench::StartUpSteps::Clock::now();
    EndAfterFirstPaint probe(program.Window(), whole, steps);
    program.Start();
    steps.shown = tovi::bench::StartUpSteps::Clock::now();
    return QApplication::exec();
}
