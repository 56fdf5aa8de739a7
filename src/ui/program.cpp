#include "ui/program.h"

#include <QApplication>
#include <QLibraryInfo>

namespace tovi {

Program::Program() {
    QApplication::setApplicationName(kAppTitle);
    // The program speaks Japanese, so do Qt's own dialogs.
    if (qtTranslator_.load(QStringLiteral("qtbase_ja"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator_);
    // The window appears with what its first screen shows; the rest is
    // built as soon as it has been painted.
    form_ = std::make_unique<TForm1>(dialogs_, random_, clock_, TForm1::Building::FirstScreenFirst);
    // The dialogs are placed over the window once it exists.
    dialogs_.SetParent(form_.get());
}

}  // namespace tovi
