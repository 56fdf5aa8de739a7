// Offering the file of a print to PDF on Windows.  An output file set on the
// printer would send the printer's own data to that file instead of the
// printer (the dialog's 「ファイルへ出力」), so only the job is named: the
// PDF printer (Microsoft Print to PDF) proposes that name when it asks where
// to save.
#include "platform/print_file.h"

#include <QPrinter>

namespace tovi {

void OfferPrintFile(QPrinter& printer, const QString& baseName) { printer.setDocName(baseName); }

}  // namespace tovi
