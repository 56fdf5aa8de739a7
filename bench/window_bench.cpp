// What the organiser waits for after a press: each handler from the press to
// the end of its refresh.  Argument 0 times the handler alone; argument 1
// shows the window and also delivers the repaints the handler asked for.
#include <QCheckBox>

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

// The full redraw of the member list (load, mode switches).
void BM_Hyou(benchmark::State& state) {
    BenchWindow w;
    Prepare(w, state);
    for (auto _ : state) {
        w.form->Hyou();
        AfterHandler(state);
    }
}
BENCHMARK(BM_Hyou)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Switching to grouping mode, which ends in the full redraw.
void BM_GroupingModeButton(benchmark::State& state) {
    BenchWindow w;
    Prepare(w, state);
    for (auto _ : state) {
        w.form->Button3Click();
        AfterHandler(state);
    }
}
BENCHMARK(BM_GroupingModeButton)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One press in participation marking: a player who does not lead is taken
// out and put back on alternate presses, so the roster stays valid.
void BM_ParticipationToggle(benchmark::State& state) {
    BenchWindow w;
    Prepare(w, state);
    w.form->Image6Click();
    if (w.S().CommandState != kCommandEntry) return (void)Fail(state, "marking not on");
    constexpr int row = 1;
    for (auto _ : state) {
        w.form->Image1MouseDown(RowY(row));
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
    w.form->Image7Click();
    if (w.S().CommandState != kCommandLeader) return (void)Fail(state, "marking not on");
    constexpr int row = 2;
    for (auto _ : state) {
        w.form->Image1MouseDown(RowY(row));
        AfterHandler(state);
    }
}
BENCHMARK(BM_LeaderToggle)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One automatic grouping run into 6 groups, men and women spread evenly,
// with its redraw of the boxes, the marks and the counts.
void BM_AutomaticGrouping(benchmark::State& state) {
    BenchWindow w;
    Prepare(w, state);
    w.form->CheckBox4->setChecked(true);
    for (auto _ : state) {
        w.form->Edit6->SetBytes("6");
        w.form->Button1Click();
        AfterHandler(state);
    }
    for (int g = 1; g <= MaxGroups; ++g)
        if (w.S().GroupList[g].size() != 6) return (void)Fail(state, "groups not filled");
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
    w.form->Edit6->SetBytes("6");
    w.form->Button1Click();
    HandGrouping h;
    if (w.S().GroupList[1].size() != 6) return h;
    h.member = std::stoi(w.S().GroupList[1][5]);
    w.form->Image10Click();
    w.form->GroupBoxMouseDown(1, GroupRowY(5));
    if (w.S().GroupList[1].size() != 5) h.member = -1;
    return h;
}

// Paste: the press that picks the member on the list and the press on the
// group box that receives it, timed together.  Returning the member again
// is not timed.
void BM_PickAndPaste(benchmark::State& state) {
    BenchWindow w;
    const HandGrouping h = PrepareHandGrouping(w, state);
    if (h.member < 0) return (void)Fail(state, "set-up failed");
    w.form->Image9Click();
    for (auto _ : state) {
        w.form->Image1MouseDown(RowY(h.member));
        w.form->GroupBoxMouseDown(1, GroupRowY(0));
        AfterHandler(state);
        state.PauseTiming();
        w.form->Image10Click();
        w.form->GroupBoxMouseDown(1, GroupRowY(5));
        w.form->Image9Click();
        state.ResumeTiming();
    }
    if (w.S().GroupList[1].size() != 5 || !w.dialogs.Messages().empty())
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
        w.form->Image9Click();
        w.form->Image1MouseDown(RowY(h.member));
        w.form->GroupBoxMouseDown(1, GroupRowY(0));
        w.form->Image10Click();
        if (state.range(0) != 0) FlushRepaints();
        state.ResumeTiming();
        w.form->GroupBoxMouseDown(1, GroupRowY(5));
        AfterHandler(state);
    }
    if (w.S().GroupList[1].size() != 5 || !w.dialogs.Messages().empty())
        Fail(state, "paste and return did not balance");
}
BENCHMARK(BM_Return)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The score-sheet preview of group 1 ("確　定").
void BM_Preview(benchmark::State& state) {
    BenchWindow w;
    Prepare(w, state);
    w.form->Edit6->SetBytes("6");
    w.form->Button1Click();
    w.form->Button4Click();
    for (auto _ : state) {
        w.form->Button9Click();
        AfterHandler(state);
    }
    if (!w.dialogs.Messages().empty()) Fail(state, "a message was shown");
}
BENCHMARK(BM_Preview)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// In-process start-up: the window built and shown until its first paint.
// The process start and the first font lookups are in tovi_startup_probe.
void BM_WindowStartUp(benchmark::State& state) {
    ScriptedDialogs dialogs;
    LcgRandom random;
    FixedClock clock;
    for (auto _ : state) {
        auto form = std::make_unique<TForm1>(dialogs, random, clock);
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
