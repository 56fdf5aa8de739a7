// The file a print to PDF is offered, straight through the seam of each
// system: the window's own tests skip it on Windows, where only the job may
// be named.
#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>

#include <gtest/gtest.h>

#include "platform/dialogs.h"
#include "platform/print_file.h"

namespace tovi {
namespace {

TEST(OfferPrintFileTest, NamesTheJobAndOffersTheFileWhereTheDialogShowsOne) {
    for (const QString& baseName : {QStringLiteral("スコア表_2組"), QStringLiteral("順位表")}) {
        SCOPED_TRACE(baseName.toStdString());
        QPrinter printer;
        OfferPrintFile(printer, baseName);
        EXPECT_EQ(printer.docName(), baseName);
#ifdef _WIN32
        // A file set on the printer would take the printer's own data.
        EXPECT_TRUE(printer.outputFileName().isEmpty());
#else
        EXPECT_EQ(printer.outputFileName(),
                  QDir(DocumentsFolder()).filePath(baseName + QStringLiteral(".pdf")));
#endif
        // Only offered: a printer there is stays the one printed to.
        if (!QPrinterInfo::availablePrinters().isEmpty()) {
            EXPECT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
        }
    }
}

}  // namespace
}  // namespace tovi
