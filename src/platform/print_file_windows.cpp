// Offering the file of a print to PDF on Windows.  An output file set on the
// printer would send the printer's own data to that file instead of the
// printer (the dialog's 「ファイルへ出力」), so only the job is named: the
// PDF printer (Microsoft Print to PDF) proposes that name when it asks where
// to save.  Without a printer (Microsoft Print to PDF too can be removed)
// the system's print dialog refuses to open.
#include "platform/print_file.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace tovi {

void OfferPrintFile(QPrinter& printer, const QString& baseName) { printer.setDocName(baseName); }

bool PrintDialogHasPrinter() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

}  // namespace tovi
