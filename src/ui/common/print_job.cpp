#include "ui/common/print_job.h"

#include <QPainter>
#include <QPrinter>

#include "platform/print_file.h"
#include "platform/qt_surface.h"

namespace tovi {

std::optional<Notice> PrintNotice(PrintOutcome outcome) {
    switch (outcome) {
        case PrintOutcome::Cancelled:
        case PrintOutcome::Printed:
            return std::nullopt;
        case PrintOutcome::CannotStart:
            return Notice::CannotPrint;
        case PrintOutcome::NoPrinter:
            return Notice::NoPrinter;
    }
    return std::nullopt;
}

PrintOutcome PrintPages(Dialogs& dialogs, const QString& fileName,
                        QPageLayout::Orientation orientation,
                        const std::function<std::vector<RecordedDrawing>(QPrinter&)>& drawPages,
                        const std::function<void(const RecordedDrawing&)>& observer) {
    QPrinter printer(QPrinter::HighResolution);
    OfferPrintFile(printer, fileName);
    printer.setPageOrientation(orientation);
    printer.setPageSize(QPageSize(QPageSize::A4));
    switch (dialogs.PrintSetup(printer)) {
        case PrintChoice::Confirmed:
            break;
        case PrintChoice::Cancelled:
            return PrintOutcome::Cancelled;
        case PrintChoice::NoPrinter:
            return PrintOutcome::NoPrinter;
    }
    // The sheet's own orientation, whichever printer was chosen: Windows'
    // dialog hands back the chosen printer's settings, as a rule portrait.
    printer.setPageOrientation(orientation);

    const std::vector<RecordedDrawing> pages = drawPages(printer);
    QPainter painter;
    if (!painter.begin(&printer)) return PrintOutcome::CannotStart;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            return PrintOutcome::CannotStart;
        }
        QtSurface surface(&painter);
        pages[i].ReplayOn(surface);
        if (observer) observer(pages[i]);
    }
    painter.end();
    return PrintOutcome::Printed;
}

}  // namespace tovi
