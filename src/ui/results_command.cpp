// The main window's side of the results: 成績入力, the question before
// closing, and the recovery file.
#include <QCloseEvent>
#include <QPushButton>

#include <system_error>

#include "core/file_io.h"
#include "model/int_conversion.h"
#include "platform/error_guard.h"
#include "platform/file_name.h"
#include "ui/main_window.h"
#include "ui/results_window.h"

namespace tovi {

ResultsMeeting TForm1::Meeting(int holes) const {
    ResultsMeeting meeting;
    meeting.players = PlayersInGroupOrder(state_);
    meeting.rosterLines = state_.RosterList;
    meeting.holes = holes;
    meeting.header = {Edit15->Bytes(),
                      Edit7->Bytes(),
                      Edit8->Bytes(),
                      Edit10->Bytes(),
                      Edit11->Bytes(),
                      Edit12->Bytes(),
                      {}};
    return meeting;
}

void TForm1::ResultsClick() {
    // A hole count that is no whole number from 1 up is reported by the
    // handler's guard, and the window does not open.
    ResultsMeeting meeting = Meeting(SheetHoles(Edit9->Bytes()));
    if (meeting.players.empty() && !HasStrokes(scores_.Get())) {
        ShowMessage("成績を入力する組がありません");
        return;
    }
    if (!resultsWindow_) {
        resultsWindow_ =
            std::make_unique<ResultsWindow>(dialogs_, scores_, [this] { WriteRecovery(); });
        resultsWindow_->setWindowIcon(windowIcon());
        // Groups changed in this window meanwhile show when the results
        // window is next activated; a hole count that is no number keeps
        // the one shown.
        resultsWindow_->SetMeetingSource([this]() -> std::optional<ResultsMeeting> {
            int holes = resultsWindow_->Meeting().holes;
            try {
                holes = SheetHoles(Edit9->Bytes());
            } catch (const ConversionError&) {}
            return Meeting(holes);
        });
    }
    resultsWindow_->ShowMeeting(std::move(meeting));
    resultsWindow_->show();
    resultsWindow_->raise();
    resultsWindow_->activateWindow();
    // The groups as they stand now go into the recovery file too.
    WriteRecovery();
}

bool TForm1::HasUnsavedChanges() const {
    return state_.RosterList != savedRoster_ || scores_.Unsaved();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (HasUnsavedChanges() &&
        !dialogs_.YesNo(kAppTitle,
                        QStringLiteral("保存されていない変更があります。保存せずに終了しますか？"),
                        DefaultAnswer::No)) {
        event->ignore();
        return;
    }
    if (resultsWindow_) resultsWindow_->close();
    RemoveRecovery();
    event->accept();
}

void TForm1::UseRecoveryFolder(const std::filesystem::path& folder) {
    recoveryFile_ = folder / kRecoveryFileName;
    std::error_code error;
    if (!std::filesystem::exists(*recoveryFile_, error)) return;
    std::string bytes;
    std::optional<RecoveryRecord> record;
    if (ReadRegularFile(*recoveryFile_, kMaxRecoveryFileBytes, bytes))
        record = ParseRecoveryFile(bytes);
    if (!record) {
        // Put aside, not removed, so that it can still be looked at, and so
        // that the next start does not stop on it again.
        std::filesystem::path aside = *recoveryFile_;
        aside += ".broken";
        std::filesystem::rename(*recoveryFile_, aside, error);
        dialogs_.Message(QStringLiteral("前回入力した成績の控えが読めないため復元できません。\n") +
                         PathToQt(error ? *recoveryFile_ : aside));
        return;
    }
    // いいえ keeps the file until the first score entered replaces it or
    // the program ends normally.
    if (!dialogs_.YesNo(kAppTitle,
                        QStringLiteral("前回入力した成績が残っています。復元しますか？")))
        return;
    RunGuarded(dialogs_, [&] {
        FinishBuilding();
        Restore(*record);
    });
}

void TForm1::Restore(const RecoveryRecord& record) {
    ApplyRecoveryRecord(record, state_);
    Edit9->SetBytes(record.holeCount);
    scores_.Restore(record.results);
    // The grouping mode keeps the marks and the groups: the list, the
    // marks, the counts and the boxes show them.
    Button3Click();
    DspKumi();
    ResultsClick();
}

void TForm1::WriteRecovery() {
    if (!recoveryFile_) return;
    if (!HasStrokes(scores_.Get())) {
        RemoveRecovery();
        return;
    }
    const std::string holes =
        resultsWindow_ ? std::to_string(resultsWindow_->Meeting().holes) : Edit9->Bytes();
    const std::optional<std::string> bytes =
        FormatRecoveryFile(MakeRecoveryRecord(state_, holes, scores_.Get()));
    std::error_code error;
    std::filesystem::create_directories(recoveryFile_->parent_path(), error);
    const bool written = bytes && ReplaceFileContents(*recoveryFile_, *bytes);
    // Told once, not at every key, until a write succeeds again.
    if (!written && !recoveryFailed_)
        dialogs_.Message(QStringLiteral("入力した成績の控えを書き込めません。\n") +
                         PathToQt(*recoveryFile_));
    recoveryFailed_ = !written;
}

void TForm1::RemoveRecovery() {
    if (!recoveryFile_) return;
    std::error_code error;
    std::filesystem::remove(*recoveryFile_, error);
}

}  // namespace tovi
