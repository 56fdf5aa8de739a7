#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "grouping/random_source.h"
#include "platform/dialogs.h"
#include "platform/system_clock.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(tovi::kAppTitle);

    // The program speaks Japanese, so do Qt's own dialogs.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    tovi::LcgRandom random;
    tovi::SystemClock clock;
    // The dialogs belong to the window once it exists; they only need a parent
    // for placement, which they take when shown.
    tovi::QtDialogs dialogs(nullptr);
    tovi::TForm1 form(dialogs, random, clock);
    dialogs.SetParent(&form);
    form.show();
    return app.exec();
}
