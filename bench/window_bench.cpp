// What the organiser waits for after a press: each handler from the press to
// the end of its refresh.  Argument 0 times the handler alone; argument 1
// shows the window and also delivers the repaints the handler asked for.
#include <QCheckBox>
#include <QImage>
#include <QtMath>

#include <cstring>
#include <string>

#include <benchmark/benchmark.h>

#include "bench_window.h"

namespace tovi::bench {
namespace {

// Sets the window up, shown when the run asks for repaints.
void Prepare(BenchWindow& w, const benchmark::State& state) {
    w.LoadMarkedRoster();
    if (state.range(0) != 0) ShowAndWaitForFirstPaint(*w.form);
}

void AfterHandler(const benchmark::State& state) {
    if (state.range(0) != 0) FlushRepaints();
}

bool Fail(benchmark::State& state, const char* why) {
    state.SkipWithError(why);
    return false;
}

// The least a redraw of a whole picture and its repaint can cost: a fill of
// the picture's device pixels, then a copy of as many to where the picture
// stands in the window, row by row as any repaint of a picture inside a
// window copies (into a buffer the window's width, or the picture's height
// when that is more).  The full redraws of the member list and of the
// preview (its page) are measured against it.
void PixelFloor(benchmark::State& state, const QWidget& picture) {
    const qreal ratio = picture.devicePixelRatioF();
    const auto device = [ratio](QSize size) {
        return QSize(qCeil(size.width() * ratio), qCeil(size.height() * ratio));
    };
    const QSize pixels = device(picture.size());
    const QSize window = device(picture.window()->size()).expandedTo(pixels);
    const QPoint inWindow = picture.mapTo(picture.window(), QPoint());
    const QSize offset = device(QSize(inWindow.x(), inWindow.y())).boundedTo(window - pixels);
    const QPoint at(offset.width(), offset.height());
    QImage drawn(pixels, QImage::Format_RGB32), shown(window, QImage::Format_RGB32);
    const auto rowBytes = static_cast<std::size_t>(pixels.width()) * sizeof(QRgb);
    for (auto _ : state) {
        drawn.fill(Qt::white);
        for (int y = 0; y < pixels.height(); ++y)
            std::memcpy(shown.scanLine(at.y() + y) + at.x() * qsizetype(sizeof(QRgb)),
                        drawn.constScanLine(y), rowBytes);
        benchmark::DoNotOptimize(shown.constBits());
    }
    state.SetLabel(std::to_string(pixels.width()) + " x " + std::to_string(pixels.height()) +
                   " device pixels");
}

// The full redraw of the member list (load, mode switches).
void BM_Hyou(benchmark::State& state) {
    BenchWindow w;
    Prepare(w, state);
    for (auto _ : state) {
        w.form->List().Redraw();
        AfterHandler(state);
    }
}
BENCHMARK(BM_Hyou)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ListPixelFloor(benchmark::State& state) {
    BenchWindow w;
    PixelFloor(state, *w.controls.Image(1));
}
BENCHMARK(BM_ListPixelFloor)->Unit(benchmark::kMicrosecond);

// Switching to grouping mode, which ends in the full redraw.
void BM_GroupingModeButton(benchmark::State& state) {
    BenchWindow w;
    Prepare(w, state);
    for (auto _ : state) {
        w.form->EnterGroupingMode();
        AfterHandler(state);
    }
}
BENCHMARK(BM_GroupingModeButton)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One press in participation marking: a player who does not lead is taken
// out and put back on alternate presses, so the roster stays valid.
void BM_ParticipationToggle(benchmark::State& state) {
    BenchWindow w;
    Prepare(w, state);
    w.form->List().ToggleEntryCommand();
    if (w.I().commandState != ListCommand::Entry) return (void)Fail(state, "marking not on");
    constexpr int row = 1;
    for (auto _ : state) {
        w.form->List().PressRow(RowY(row));
        AfterHandler(state);
    }
    if (!w.dialogs.Messages().empty()) Fail(state, "a message was shown");
}
BENCHMARK(BM_ParticipationToggle)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One press in leader marking, on alternate presses making a player leader
// and taking it back.
void BM_LeaderToggle(benchmark::State& state) {
    BenchWindow w;
    Prepare(w, state);
    w.form->List().ToggleLeaderCommand();
    if (w.I().commandState != ListCommand::Leader) return (void)Fail(state, "marking not on");
    constexpr int row = 2;
    for (auto _ : state) {
        w.form->List().PressRow(RowY(row));
        AfterHandler(state);
    }
}
BENCHMARK(BM_LeaderToggle)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One automatic grouping run into 6 groups, men and women spread evenly,
// with its redraw of the boxes, the marks and the counts.
void BM_AutomaticGrouping(benchmark::State& state) {
    BenchWindow w;
    Prepare(w, state);
    w.controls.CheckBox(4)->setChecked(true);
    ByteEdit* groupCount = w.controls.Edit(6);
    for (auto _ : state) {
        groupCount->SetBytes("6");
        w.form->Grouping().StartAutomaticGrouping();
        AfterHandler(state);
    }
    for (int g = 1; g <= MaxGroups; ++g)
        if (w.S().groupList[g].size() != 6) return (void)Fail(state, "groups not filled");
    if (!w.dialogs.Messages().empty()) Fail(state, "a message was shown");
}
BENCHMARK(BM_AutomaticGrouping)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Grouping by hand on top of a full automatic run whose group 1 has given
// one member back: `member` is that member's row.
struct HandGrouping {
    int member = -1;
};

HandGrouping PrepareHandGrouping(BenchWindow& w, benchmark::State& state) {
    Prepare(w, state);
    w.controls.Edit(6)->SetBytes("6");
    w.form->Grouping().StartAutomaticGrouping();
    HandGrouping h;
    if (w.S().groupList[1].size() != 6) return h;
    h.member = std::stoi(w.S().groupList[1][5]);
    w.form->Grouping().ToggleReturnCommand();
    w.form->Grouping().PressGroupBox(1, GroupRowY(5));
    if (w.S().groupList[1].size() != 5) h.member = -1;
    return h;
}

// Paste: the press that picks the member on the list and the press on the
// group box that receives it, timed together.  Returning the member again
// is not timed.
void BM_PickAndPaste(benchmark::State& state) {
    BenchWindow w;
    const HandGrouping h = PrepareHandGrouping(w, state);
    if (h.member < 0) return (void)Fail(state, "set-up failed");
    w.form->Grouping().TogglePasteCommand();
    for (auto _ : state) {
        w.form->List().PressRow(RowY(h.member));
        w.form->Grouping().PressGroupBox(1, GroupRowY(0));
        AfterHandler(state);
        state.PauseTiming();
        w.form->Grouping().ToggleReturnCommand();
        w.form->Grouping().PressGroupBox(1, GroupRowY(5));
        w.form->Grouping().TogglePasteCommand();
        state.ResumeTiming();
    }
    if (w.S().groupList[1].size() != 5 || !w.dialogs.Messages().empty())
        Fail(state, "paste and return did not balance");
}
BENCHMARK(BM_PickAndPaste)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Return: the press on a name in a group box.  Pasting the member back is
// not timed.
void BM_Return(benchmark::State& state) {
    BenchWindow w;
    const HandGrouping h = PrepareHandGrouping(w, state);
    if (h.member < 0) return (void)Fail(state, "set-up failed");
    for (auto _ : state) {
        state.PauseTiming();
        w.form->Grouping().TogglePasteCommand();
        w.form->List().PressRow(RowY(h.member));
        w.form->Grouping().PressGroupBox(1, GroupRowY(0));
        w.form->Grouping().ToggleReturnCommand();
        if (state.range(0) != 0) FlushRepaints();
        state.ResumeTiming();
        w.form->Grouping().PressGroupBox(1, GroupRowY(5));
        AfterHandler(state);
    }
    if (w.S().groupList[1].size() != 5 || !w.dialogs.Messages().empty())
        Fail(state, "paste and return did not balance");
}
BENCHMARK(BM_Return)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The score-sheet preview of group 1 ("確　定").
void BM_Preview(benchmark::State& state) {
    BenchWindow w;
    Prepare(w, state);
    w.controls.Edit(6)->SetBytes("6");
    w.form->Grouping().StartAutomaticGrouping();
    w.form->EnterScoreSheetMode();
    for (auto _ : state) {
        w.form->ScoreSheet().Preview();
        AfterHandler(state);
    }
    if (!w.dialogs.Messages().empty()) Fail(state, "a message was shown");
}
BENCHMARK(BM_Preview)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_PreviewPixelFloor(benchmark::State& state) {
    BenchWindow w;
    w.form->EnterScoreSheetMode();
    w.form->ScoreSheet().Preview();
    PixelFloor(state, *w.controls.Image(23));
}
BENCHMARK(BM_PreviewPixelFloor)->Unit(benchmark::kMicrosecond);

// In-process start-up: the window built and shown until its first paint.
// The process start and the first font lookups are in tovi_startup_probe.
void BM_WindowStartUp(benchmark::State& state) {
    ScriptedDialogs dialogs;
    LcgRandom random;
    FixedClock clock;
    for (auto _ : state) {
        auto form = std::make_unique<MainWindow>(dialogs, random, clock);
        ShowAndWaitForFirstPaint(*form);
        state.PauseTiming();
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowStartUp)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovi::bench
