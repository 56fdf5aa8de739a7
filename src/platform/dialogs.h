// Every modal dialog and the shell go through one object, so that tests can
// queue the answers and read back what was shown (tests/support/scripted_dialogs.h).
#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QFileDialog;
class QPrinter;
class QWidget;

namespace tovi {

// The application title, also the title of message boxes.
inline const QString kAppTitle = QStringLiteral("トヴィ");

// The user's documents folder, or the home folder where there is none: where
// roster files are looked for first and printed PDF files are offered.
QString DocumentsFolder();

// Which answer of a yes/no question Enter gives.  No for a question whose
// yes gives something up.
enum class DefaultAnswer { Yes, No };

// What became of the print dialog.
enum class PrintChoice {
    Confirmed,  // the user chose where to print and confirmed
    Cancelled,
    NoPrinter,  // the system has nowhere to print to, and no dialog opened
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message with an OK button, titled with the application title.
    virtual void Message(const QString& text) = 0;
    // The general error report: application title, error icon, OK.
    virtual void Error(const QString& text) = 0;
    // Yes and No buttons, no icon; true for Yes.
    virtual bool YesNo(const QString& caption, const QString& text,
                       DefaultAnswer answer = DefaultAnswer::Yes) = 0;
    // The open and save dialogs for roster files; nothing when cancelled.
    virtual std::optional<QString> OpenFileName() = 0;
    virtual std::optional<QString> SaveFileName() = 0;
    // The open and save dialogs for CSV files (the results file, the
    // ranking); the save dialog offers <documents folder>/<baseName>.csv.
    virtual std::optional<QString> OpenCsvFileName() = 0;
    virtual std::optional<QString> SaveCsvFileName(const QString& baseName) = 0;
    // The open dialog for CSV files with several chosen at once (the season's
    // meetings); none when cancelled.
    virtual std::vector<QString> OpenCsvFileNames() = 0;
    // The save dialog for a text file other than the roster (the season
    // file): offers <documents folder>/<baseName>.txt.
    virtual std::optional<QString> SaveTextFileName(const QString& baseName) = 0;
    // The print dialog for printer.  Windows' dialog does not open on a PC
    // without a printer: NoPrinter then, so that the user is told.
    virtual PrintChoice PrintSetup(QPrinter& printer) = 0;
    // Asks the desktop to open a file or address; the outcome is not reported.
    virtual void ShellOpen(const QString& target) = 0;
};

// The real dialogs of the desktop.
// The dialog QtDialogs opens a roster file with, or saves one with: text
// files, the documents folder, large enough to show every column.
std::unique_ptr<QFileDialog> MakeRosterDialog(QWidget* parent, bool forSaving,
                                              const QString& baseName = {});
// The same for CSV files; a dialog for saving offers baseName.csv.
std::unique_ptr<QFileDialog> MakeCsvDialog(QWidget* parent, bool forSaving,
                                           const QString& baseName = {});

class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Message(const QString& text) override;
    void Error(const QString& text) override;
    bool YesNo(const QString& caption, const QString& text, DefaultAnswer answer) override;
    std::optional<QString> OpenFileName() override;
    std::optional<QString> SaveFileName() override;
    std::optional<QString> OpenCsvFileName() override;
    std::optional<QString> SaveCsvFileName(const QString& baseName) override;
    std::vector<QString> OpenCsvFileNames() override;
    std::optional<QString> SaveTextFileName(const QString& baseName) override;
    PrintChoice PrintSetup(QPrinter& printer) override;
    void ShellOpen(const QString& target) override;

private:
    // The window a dialog is shown over: the active window of the program
    // (the main window or the results window), else the main window.
    QWidget* Parent() const;

    QWidget* parent_;
};

}  // namespace tovi
