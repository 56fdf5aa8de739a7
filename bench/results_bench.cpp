// One keystroke of score entry in a full meeting: 36 players in 6 groups, 4
// rounds of 12 holes.  A digit enters the strokes, moves on, and brings the
// player's sums and the ranking up to date.  Argument 0 times the key alone;
// argument 1 shows the results window and also delivers the repaints.  The
// recovery file's write at every key is timed on its own, and so is a key
// with カード計で検算 on and every round's カード計 at odds with its holes.
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench_window.h"
#include "ui/results/results_window.h"
#include "ui/results/score_model.h"

namespace tovi::bench {
namespace {

// The full meeting with the results window open on 4 rounds of 12 holes.
ResultsWindow* OpenFullMeeting(BenchWindow& w, benchmark::State& state) {
    w.LoadMarkedRoster();
    w.controls.Edit(6)->SetBytes("6");
    w.form->Grouping().StartAutomaticGrouping();
    for (int g = 1; g <= MaxGroups; ++g) {
        if (w.S().groupList[g].size() != 6) {
            state.SkipWithError("groups not filled");
            return nullptr;
        }
    }
    w.form->EnterScoreSheetMode();
    w.controls.Edit(9)->SetBytes("12");
    w.form->Results().Open();
    ResultsWindow* results = w.form->Results().Window();
    if (!results) {
        state.SkipWithError("no results window");
        return nullptr;
    }
    auto* rounds = results->findChild<QSpinBox*>(QStringLiteral("RoundsBox"));
    if (!rounds) {
        state.SkipWithError("no rounds box");
        return nullptr;
    }
    rounds->setValue(4);
    return results;
}

// A digit key on the table of the page shown, where entry stands.
void Key(const QTabWidget& pages, int digit) {
    QWidget* table = pages.currentWidget();
    const QString text = QString::number(digit);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + digit, Qt::NoModifier, text);
    QApplication::sendEvent(table, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_0 + digit, Qt::NoModifier, text);
    QApplication::sendEvent(table, &release);
}

void RunKeys(benchmark::State& state, BenchWindow& w, ResultsWindow& results) {
    const auto* pages = results.findChild<QTabWidget*>(QStringLiteral("Tabs"));
    if (!pages) {
        state.SkipWithError("no pages");
        return;
    }
    if (state.range(0) != 0) {
        results.show();
        ShowAndWaitForFirstPaint(results);
    }
    int digit = 0;
    for (auto _ : state) {
        // Past the last cell the key enters the last cell again: the same work.
        Key(*pages, 1 + digit++ % 9);
        if (state.range(0) != 0) FlushRepaints();
    }
    if (w.form->Results().Scores().Get().cards.empty()) state.SkipWithError("nothing entered");
    if (!w.dialogs.Messages().empty()) state.SkipWithError("a message was shown");
}

void BM_ResultsKeystroke(benchmark::State& state) {
    BenchWindow w;
    ResultsWindow* results = OpenFullMeeting(w, state);
    if (results) RunKeys(state, w, *results);
}
BENCHMARK(BM_ResultsKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// With カード計で検算: every round of every card has a カード計 that does not
// agree, so that each key brings the 検算 list and its count up to date
// too.  Each key goes to the first hole, where the next key comes back.
void BM_ResultsKeystrokeCheckingCards(benchmark::State& state) {
    BenchWindow w;
    ResultsWindow* results = OpenFullMeeting(w, state);
    if (!results) return;
    auto* check = results->findChild<QCheckBox*>(QStringLiteral("CardCheckBox"));
    if (!check) {
        state.SkipWithError("no check box");
        return;
    }
    check->setChecked(true);
    ScoreBook& book = w.form->Results().Scores();
    for (const Player& player : results->Players())
        for (int round = 0; round < kMaxRounds; ++round)
            book.EnterCardTotal(player.key, round, 999);
    const auto* pages = results->findChild<QTabWidget*>(QStringLiteral("Tabs"));
    QTableView* first = results->EntryTable(0);
    if (!pages || !first) {
        state.SkipWithError("no pages");
        return;
    }
    if (state.range(0) != 0) {
        results->show();
        ShowAndWaitForFirstPaint(*results);
    }
    const QModelIndex cell = first->model()->index(0, ScoreModel::kFirstHoleColumn);
    int digit = 0;
    for (auto _ : state) {
        first->setCurrentIndex(cell);
        Key(*pages, 1 + digit++ % 9);
        if (state.range(0) != 0) FlushRepaints();
    }
    if (!w.dialogs.Messages().empty()) state.SkipWithError("a message was shown");
}
BENCHMARK(BM_ResultsKeystrokeCheckingCards)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The same with the recovery file written at every key, as the program does.
void BM_ResultsKeystrokeWithRecoveryFile(benchmark::State& state) {
    BenchWindow w;
    QTemporaryDir folder;
    w.form->UseRecoveryFolder(folder.path().toStdString());
    ResultsWindow* results = OpenFullMeeting(w, state);
    if (results) RunKeys(state, w, *results);
}
BENCHMARK(BM_ResultsKeystrokeWithRecoveryFile)->Arg(0)->Unit(benchmark::kMicrosecond);

// A setting of the prize-giving changed with the 表彰 page shown: the
// ranking, the teams and the awards anew, and the page's lists measured and
// repainted.  Every player has a full card, so that every list is full.
void BM_PrizeSettingChange(benchmark::State& state) {
    BenchWindow w;
    ResultsWindow* results = OpenFullMeeting(w, state);
    if (!results) return;
    auto* pages = results->findChild<QTabWidget*>(QStringLiteral("Tabs"));
    auto* places = results->findChild<QSpinBox*>(QStringLiteral("PlacesBox"));
    if (!pages || !places) {
        state.SkipWithError("no 表彰 page");
        return;
    }
    for (int key = 0; key < 36 * 4 * 12; ++key) Key(*pages, 1 + key % 4);
    results->show();
    ShowAndWaitForFirstPaint(*results);
    pages->setCurrentWidget(places->parentWidget());
    FlushRepaints();
    int shown = 3;
    for (auto _ : state) {
        shown = shown == 3 ? 4 : 3;
        places->setValue(shown);
        FlushRepaints();
    }
    if (!w.dialogs.Messages().empty()) state.SkipWithError("a message was shown");
}
BENCHMARK(BM_PrizeSettingChange)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tovi::bench
