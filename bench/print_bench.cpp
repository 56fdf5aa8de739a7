// One printed page: the sheet of a full group drawn at 600 dots per inch on
// a landscape A4 PDF page, from the start of the job to its end.
#include <QPainter>
#include <QPrinter>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench_window.h"
#include "platform/qt_surface.h"
#include "scoresheet/score_sheet.h"

namespace tovi::bench {
namespace {

void BM_PrintPage600Dpi(benchmark::State& state) {
    BenchWindow w;
    w.LoadMarkedRoster();
    w.form->Edit6->SetBytes("6");
    w.form->Button1Click();
    TournamentState& s = w.S();
    if (s.GroupList[1].size() != 6) return state.SkipWithError("grouping failed");

    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("sheet.pdf")));
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    const SheetScale scale = PrintScale(printer.logicalDpiX(), printer.logicalDpiY());
    s.ScaleX = scale.x;
    s.ScaleY = scale.y;
    ScoreSheetSettings settings = DefaultScoreSheetSettings();

    for (auto _ : state) {
        QPainter painter;
        if (!painter.begin(&printer)) return state.SkipWithError("cannot begin the page");
        QtSurface surface(&painter);
        Draw(surface, s, settings);
        painter.end();
    }
    state.counters["dpi"] = printer.logicalDpiX();
    state.counters["pdf_bytes"] = static_cast<double>(
        QFileInfo(printer.outputFileName()).size());
}
BENCHMARK(BM_PrintPage600Dpi)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovi::bench
