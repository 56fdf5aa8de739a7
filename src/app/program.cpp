#include "app/program.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QStandardPaths>

#include "platform/file_name.h"

namespace tovi {

std::optional<std::filesystem::path> RecoveryFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) return std::nullopt;
    return TryQtToPath(QDir(data).filePath(QStringLiteral("tovi")));
}

Program::Program() {
    QApplication::setApplicationName(kAppTitle);
    // The program speaks Japanese, so do Qt's own dialogs.
    if (qtTranslator_.load(QStringLiteral("qtbase_ja"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator_);
    // The window appears with what its first screen shows; the rest is
    // built as soon as it has been painted.
    window_ = std::make_unique<MainWindow>(dialogs_, random_, clock_,
                                           MainWindow::Building::FirstScreenFirst);
    // The dialogs are placed over the window once it exists.
    dialogs_.SetParent(window_.get());
}

void Program::Start() {
    window_->show();
    // The recovery file is read once the window is on the screen, so that
    // nothing of the results is read before the first paint.
    if (const auto folder = RecoveryFolder())
        window_->RunAfterFirstPaint([this, at = *folder] { window_->UseRecoveryFolder(at); });
}

}  // namespace tovi
