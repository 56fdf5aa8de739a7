// The dialogs of the tests, the monkey and the benchmarks: answers queued
// beforehand, and a record of every dialog shown.
#pragma once

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

#include "platform/dialogs.h"

namespace tovi {

// Answers from queues and records what was shown.  An empty queue answers
// No, Cancel, or the fallback function when one is set.
class ScriptedDialogs final : public Dialogs {
public:
    // Which dialog was shown: Message, Error, YesNo, OpenFileName,
    // SaveFileName, OpenCsvFileName, SaveCsvFileName, OpenCsvFileNames,
    // SaveTextFileName, PrintSetup or ShellOpen.
    enum class Kind {
        Message,
        Error,
        YesNo,
        Open,
        Save,
        OpenCsv,
        SaveCsv,
        OpenCsvMany,
        SaveText,
        Print,
        Shell
    };

    struct Shown {
        Kind kind;
        QString caption;  // SaveCsv, SaveText: the name offered
        QString text;
        DefaultAnswer answer = DefaultAnswer::Yes;  // YesNo: what Enter gives
    };

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

    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<std::optional<QString>> csvOpenAnswers;
    std::deque<std::optional<QString>> csvSaveAnswers;
    std::deque<std::vector<QString>> csvOpenManyAnswers;
    std::deque<std::optional<QString>> textSaveAnswers;
    // Each print answer may set the printer up (e.g. to a PDF file); null cancels.
    std::deque<std::function<bool(QPrinter&)>> printAnswers;
    // false: the system has no printer, as a Windows PC may not; the print
    // dialog is asked for but takes no answer.
    bool printerInstalled = true;

    std::function<bool()> yesNoFallback;
    std::function<std::optional<QString>()> openFallback;
    std::function<std::optional<QString>()> saveFallback;

    std::vector<Shown> shown;
    // The texts of the message and error boxes, in order.
    std::vector<QString> Messages() const;
    void ClearShown() { shown.clear(); }
};

// The kind's name ("message", "error", "yesno", ...), for test failure messages.
std::ostream& operator<<(std::ostream& out, ScriptedDialogs::Kind kind);

}  // namespace tovi
