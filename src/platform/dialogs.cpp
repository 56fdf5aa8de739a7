#include "platform/dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QTreeView>
#include <QUrl>

#include <algorithm>
#include <memory>

#include "platform/print_file.h"

namespace tovi {
namespace {

const QString kRosterFilter = QStringLiteral("テキストファイル(*.txt)");
const QString kCsvFilter = QStringLiteral("CSVファイル(*.csv)");

// Qt's own file dialog opens small, and its columns keep fixed widths, so a
// file's size, type and date are cut to "314...tes".  Let the size, type and
// date columns take what their texts need and the name column the rest, in a
// dialog wide enough for a long name, within the screen.  (A desktop's own
// dialog has no such view and sizes itself.)
void FitFileColumns(QFileDialog& dialog) {
    const QFontMetrics metrics(dialog.font());
    QSize wanted(metrics.horizontalAdvance(QLatin1Char('M')) * 90, metrics.height() * 30);
    if (const QScreen* screen = dialog.screen())
        wanted = wanted.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog.resize(wanted.expandedTo(dialog.sizeHint()));
    if (auto* view = dialog.findChild<QTreeView*>()) {
        QHeaderView* header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    // The side bar of places wide enough for 「コンピューター」, where the
    // screen leaves room for it beside the columns.
    if (auto* splitter = dialog.findChild<QSplitter*>(); splitter && splitter->count() == 2) {
        const int side = std::min(
            metrics.horizontalAdvance(QStringLiteral("コンピューター")) + 4 * metrics.height(),
            wanted.width() / 6);
        splitter->setSizes({side, std::max(wanted.width() - side, side)});
    }
}

}  // namespace

namespace {

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, bool forSaving, const QString& filter,
                                            const QString& suffix, const QString& baseName) {
    const auto mode = forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen;
    const QString caption = mode == QFileDialog::AcceptOpen ? QStringLiteral("ファイルを開く")
                                                            : QStringLiteral("名前を付けて保存");
    auto dialog = std::make_unique<QFileDialog>(parent, caption, DocumentsFolder(), filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->setAcceptMode(mode);
    dialog->setDefaultSuffix(suffix);
    if (forSaving && !baseName.isEmpty()) dialog->selectFile(baseName + QLatin1Char('.') + suffix);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::ReadOnly, false);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog->setSizeGripEnabled(true);
    FitFileColumns(*dialog);
    return dialog;
}

}  // namespace

std::unique_ptr<QFileDialog> MakeRosterDialog(QWidget* parent, bool forSaving,
                                              const QString& baseName) {
    return MakeFileDialog(parent, forSaving, kRosterFilter, QStringLiteral("txt"), baseName);
}

std::unique_ptr<QFileDialog> MakeCsvDialog(QWidget* parent, bool forSaving,
                                           const QString& baseName) {
    return MakeFileDialog(parent, forSaving, kCsvFilter, QStringLiteral("csv"), baseName);
}

namespace {

std::optional<QString> RunFileDialog(const std::unique_ptr<QFileDialog>& dialog) {
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().first();
}

}  // namespace

QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

QWidget* QtDialogs::Parent() const {
    QWidget* active = QApplication::activeWindow();
    return active ? active : parent_;
}

void QtDialogs::Message(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kAppTitle, text, QMessageBox::Ok, Parent());
    box.exec();
}

void QtDialogs::Error(const QString& text) {
    QMessageBox box(QMessageBox::Critical, kAppTitle, text, QMessageBox::Ok, Parent());
    box.exec();
}

bool QtDialogs::YesNo(const QString& caption, const QString& text, DefaultAnswer answer) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No,
                    Parent());
    box.setDefaultButton(answer == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::OpenFileName() {
    return RunFileDialog(MakeRosterDialog(Parent(), false));
}

std::optional<QString> QtDialogs::SaveFileName() {
    return RunFileDialog(MakeRosterDialog(Parent(), true));
}

std::optional<QString> QtDialogs::OpenCsvFileName() {
    return RunFileDialog(MakeCsvDialog(Parent(), false));
}

std::optional<QString> QtDialogs::SaveCsvFileName(const QString& baseName) {
    return RunFileDialog(MakeCsvDialog(Parent(), true, baseName));
}

std::vector<QString> QtDialogs::OpenCsvFileNames() {
    const std::unique_ptr<QFileDialog> dialog = MakeCsvDialog(Parent(), false);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    if (dialog->exec() != QDialog::Accepted) return {};
    const QStringList files = dialog->selectedFiles();
    return {files.begin(), files.end()};
}

std::optional<QString> QtDialogs::SaveTextFileName(const QString& baseName) {
    return RunFileDialog(MakeRosterDialog(Parent(), true, baseName));
}

PrintChoice QtDialogs::PrintSetup(QPrinter& printer) {
    if (!PrintDialogHasPrinter()) return PrintChoice::NoPrinter;
    QPrintDialog dialog(&printer, Parent());
    return dialog.exec() == QDialog::Accepted ? PrintChoice::Confirmed : PrintChoice::Cancelled;
}

void QtDialogs::ShellOpen(const QString& target) {
    // A bare file name means the file in the working folder; desktop openers
    // take only absolute file addresses.
    const QUrl url = target.contains(QStringLiteral("://"))
                         ? QUrl(target)
                         : QUrl::fromLocalFile(QDir::current().absoluteFilePath(target));
    QDesktopServices::openUrl(url);
}

}  // namespace tovi
