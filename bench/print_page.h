// Printing a sheet for the benchmarks: the sheet of the state's group drawn
// at 600 dots per inch on a landscape A4 PDF page, from the start of the job
// to its end, once per iteration.
#pragma once

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include <benchmark/benchmark.h>

#include "model/tournament_state.h"
#include "platform/qt_surface.h"
#include "scoresheet/score_sheet.h"

namespace tovi::bench {

// Sets the state's scale for the printer; reports the printer's dots per
// inch and the size of the PDF file.
inline void PrintSheetEachIteration(benchmark::State& state, TournamentState& s,
                                    const QString& pdfPath) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    const SheetScale scale = PrintScale(printer.logicalDpiX(), printer.logicalDpiY());
    const ScoreSheetSettings settings = DefaultScoreSheetSettings();
    for (auto _ : state) {
        QPainter painter;
        if (!painter.begin(&printer)) return state.SkipWithError("cannot begin the page");
        QtSurface surface(&painter);
        DrawScoreSheet(surface, s, settings, scale);
        painter.end();
    }
    state.counters["dpi"] = printer.logicalDpiX();
    state.counters["pdf_bytes"] = static_cast<double>(QFileInfo(pdfPath).size());
}

}  // namespace tovi::bench
