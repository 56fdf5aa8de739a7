// Offering the file of a print to PDF in Qt's own print dialog.
#include "platform/print_file.h"

#include <QDir>
#include <QPrinter>

#include "platform/dialogs.h"

namespace tovi {

void OfferPrintFile(QPrinter& printer, const QString& baseName) {
    printer.setDocName(baseName);
    // The print dialog offers the printer's output file for a print to a file.
    printer.setOutputFileName(QDir(DocumentsFolder()).filePath(baseName + QStringLiteral(".pdf")));
    // Naming a .pdf file switched the printer to PDF output; back to the
    // default printer where there is one (the file name stays).
    printer.setOutputFormat(QPrinter::NativeFormat);
}

bool PrintDialogHasPrinter() { return true; }

}  // namespace tovi
