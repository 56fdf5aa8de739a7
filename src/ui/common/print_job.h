// The one way the program prints: the print dialog over an A4 printer that
// offers a PDF file named after the print, every page drawn before the job
// begins (so that a page that stops on a bad number prints nothing), then the
// pages replayed on the printer, each on a surface of its own.
#pragma once

#include <QPageLayout>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

#include "core/recorded_drawing.h"
#include "platform/dialogs.h"
#include "ui/common/messages.h"

class QPrinter;

namespace tovi {

enum class PrintOutcome {
    Cancelled,    // the print dialog was not confirmed
    Printed,      // every page went to the printer
    CannotStart,  // the printer refused the job or a page
    NoPrinter,    // the system has no printer, and no dialog was shown
};

// What the user is told of a print's outcome: nothing when it printed or
// was cancelled.
std::optional<Notice> PrintNotice(PrintOutcome outcome);

// Shows the print dialog for A4 in orientation, offering
// <documents folder>/<fileName>.pdf, and prints the pages drawPages draws for
// the chosen printer.  What drawPages throws leaves the printer untouched.
// observer, when set, sees every page printed, in order.
PrintOutcome PrintPages(Dialogs& dialogs, const QString& fileName,
                        QPageLayout::Orientation orientation,
                        const std::function<std::vector<RecordedDrawing>(QPrinter&)>& drawPages,
                        const std::function<void(const RecordedDrawing&)>& observer);

}  // namespace tovi
