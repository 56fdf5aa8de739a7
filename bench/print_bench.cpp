// One printed page: the sheet of a full group drawn at 600 dots per inch on
// a landscape A4 PDF page, from the start of the job to its end.
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench_window.h"
#include "print_page.h"

namespace tovi::bench {
namespace {

void BM_PrintPage600Dpi(benchmark::State& state) {
    BenchWindow w;
    w.LoadMarkedRoster();
    w.controls.Edit(6)->SetBytes("6");
    w.form->Grouping().StartAutomaticGrouping();
    TournamentState& s = w.S();
    if (s.groupList[1].size() != 6) return state.SkipWithError("grouping failed");

    QTemporaryDir folder;
    PrintSheetEachIteration(state, s, folder.filePath(QStringLiteral("sheet.pdf")));
}
BENCHMARK(BM_PrintPage600Dpi)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovi::bench
