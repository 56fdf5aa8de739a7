// The file a print to a PDF file is offered, and whether there is anything
// to print to, where the systems' print dialogs differ: print_file_posix.cpp
// and print_file_windows.cpp.
#pragma once

#include <QString>

class QPrinter;

namespace tovi {

// Names the print job baseName and offers <documents folder>/<baseName>.pdf
// as the file of a print to a PDF file, as the system's print dialog allows:
// Qt's dialog on Linux shows the file (print_file_posix.cpp); on Windows the
// PDF printer asks for the file itself and proposes the job's name
// (print_file_windows.cpp).  The dialog still starts on the default printer.
void OfferPrintFile(QPrinter& printer, const QString& baseName);

// Whether the system's print dialog has anywhere to print to.  Qt's dialog
// on Linux always offers a PDF file; Windows' dialog needs an installed
// printer and, without one, does not open at all.
bool PrintDialogHasPrinter();

}  // namespace tovi
