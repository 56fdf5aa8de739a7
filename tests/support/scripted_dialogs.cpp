#include "support/scripted_dialogs.h"

#include <utility>

namespace tovi {
namespace {

// The next queued answer, else the fallback's, else "no" (false or nothing).
// GCC 12 at -O2 wrongly takes the engaged optional<QString> for uninitialised.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
template <typename Value, typename Queue, typename Fallback>
Value Take(Queue& queue, const Fallback& fallback) {
    if (queue.empty()) return fallback ? fallback() : Value{};
    Value answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

const char* KindName(ScriptedDialogs::Kind kind) {
    using Kind = ScriptedDialogs::Kind;
    switch (kind) {
        case Kind::Message:
            return "message";
        case Kind::Error:
            return "error";
        case Kind::YesNo:
            return "yesno";
        case Kind::Open:
            return "open";
        case Kind::Save:
            return "save";
        case Kind::OpenCsv:
            return "open csv";
        case Kind::SaveCsv:
            return "save csv";
        case Kind::OpenCsvMany:
            return "open csv files";
        case Kind::SaveText:
            return "save text";
        case Kind::Print:
            return "print";
        case Kind::Shell:
            return "shell";
    }
    return "?";
}

}  // namespace

void ScriptedDialogs::Message(const QString& text) {
    shown.push_back({Kind::Message, kAppTitle, text});
}

void ScriptedDialogs::Error(const QString& text) {
    shown.push_back({Kind::Error, kAppTitle, text});
}

bool ScriptedDialogs::YesNo(const QString& caption, const QString& text, DefaultAnswer answer) {
    shown.push_back({Kind::YesNo, caption, text, answer});
    return Take<bool>(yesNoAnswers, yesNoFallback);
}

std::optional<QString> ScriptedDialogs::OpenFileName() {
    shown.push_back({Kind::Open, {}, {}});
    return Take<std::optional<QString>>(openAnswers, openFallback);
}

std::optional<QString> ScriptedDialogs::SaveFileName() {
    shown.push_back({Kind::Save, {}, {}});
    return Take<std::optional<QString>>(saveAnswers, saveFallback);
}

std::optional<QString> ScriptedDialogs::OpenCsvFileName() {
    shown.push_back({Kind::OpenCsv, {}, {}});
    return Take<std::optional<QString>>(csvOpenAnswers, std::function<std::optional<QString>()>());
}

std::optional<QString> ScriptedDialogs::SaveCsvFileName(const QString& baseName) {
    shown.push_back({Kind::SaveCsv, baseName, {}});
    return Take<std::optional<QString>>(csvSaveAnswers, std::function<std::optional<QString>()>());
}

std::vector<QString> ScriptedDialogs::OpenCsvFileNames() {
    shown.push_back({Kind::OpenCsvMany, {}, {}});
    return Take<std::vector<QString>>(csvOpenManyAnswers, std::function<std::vector<QString>()>());
}

std::optional<QString> ScriptedDialogs::SaveTextFileName(const QString& baseName) {
    shown.push_back({Kind::SaveText, baseName, {}});
    return Take<std::optional<QString>>(textSaveAnswers, std::function<std::optional<QString>()>());
}

PrintChoice ScriptedDialogs::PrintSetup(QPrinter& printer) {
    shown.push_back({Kind::Print, {}, {}});
    if (!printerInstalled) return PrintChoice::NoPrinter;
    if (printAnswers.empty()) return PrintChoice::Cancelled;
    auto answer = std::move(printAnswers.front());
    printAnswers.pop_front();
    return answer && answer(printer) ? PrintChoice::Confirmed : PrintChoice::Cancelled;
}

void ScriptedDialogs::ShellOpen(const QString& target) {
    shown.push_back({Kind::Shell, {}, target});
}

std::vector<QString> ScriptedDialogs::Messages() const {
    std::vector<QString> texts;
    for (const auto& s : shown)
        if (s.kind == Kind::Message || s.kind == Kind::Error) texts.push_back(s.text);
    return texts;
}

std::ostream& operator<<(std::ostream& out, ScriptedDialogs::Kind kind) {
    return out << KindName(kind);
}

}  // namespace tovi
