#include "ui/results/results_session.h"

#include <system_error>

#include "core/file_io.h"
#include "model/int_conversion.h"
#include "model/roster_edit.h"
#include "platform/file_name.h"
#include "ui/common/messages.h"
#include "ui/results/results_window.h"

namespace tovi {

ResultsSession::ResultsSession(Dialogs& dialogs, const TournamentState& state, QIcon icon,
                               std::function<ScoreSheetSettings()> sheet,
                               std::function<void(const MeetingHeading&)> setSheet)
    : dialogs_(dialogs),
      state_(state),
      icon_(std::move(icon)),
      sheet_(std::move(sheet)),
      setSheet_(std::move(setSheet)) {}

ResultsSession::~ResultsSession() = default;

ResultsMeeting ResultsSession::Meeting(int holes) const {
    const ScoreSheetSettings sheet = sheet_();
    ResultsMeeting meeting;
    meeting.players = PlayersInGroupOrder(state_);
    meeting.rosterLines = state_.rosterList;
    meeting.holes = holes;
    meeting.header = {
        sheet.title, sheet.meetingName, sheet.course, sheet.year, sheet.month, sheet.day, {}};
    meeting.startHoles = SheetStartHoles(sheet);
    return meeting;
}

MeetingHeading ResultsSession::Heading() const {
    if (window_) return window_->Heading();
    const ScoreSheetSettings sheet = sheet_();
    int holes = kMinHoles;
    try {
        holes = SheetHoles(sheet.holeCount);
    } catch (const ConversionError&) {}
    return {sheet.title, sheet.meetingName, sheet.course, sheet.year,
            sheet.month, sheet.day,         holes,        SheetStartHoles(sheet)};
}

void ResultsSession::Open() {
    // A hole count that is no whole number from 1 up is reported by the
    // handler's guard, and the window does not open.
    ResultsMeeting meeting = Meeting(SheetHoles(sheet_().holeCount));
    if (meeting.players.empty() && !HasStrokes(scores_.Get())) {
        dialogs_.Message(NoticeText(Notice::NoGroupToEnter));
        return;
    }
    if (!window_) {
        window_ = std::make_unique<ResultsWindow>(dialogs_, scores_, [this] { WriteRecovery(); });
        window_->setWindowIcon(icon_);
        // Groups changed in the main window meanwhile show when the results
        // window is next activated; a hole count that is no number keeps
        // the one shown.
        window_->SetHeadingSink([this](const MeetingHeading& heading) { setSheet_(heading); });
        window_->SetMeetingSource([this]() -> std::optional<ResultsMeeting> {
            int holes = window_->Meeting().holes;
            try {
                holes = SheetHoles(sheet_().holeCount);
            } catch (const ConversionError&) {}
            return Meeting(holes);
        });
    }
    window_->ShowMeeting(std::move(meeting));
    window_->show();
    window_->raise();
    window_->activateWindow();
    // The groups as they stand now go into the recovery file too.
    WriteRecovery();
}

bool ResultsSession::EditRoster(TournamentState& state,
                                const std::function<bool(TournamentState&)>& edit) {
    if (scores_.Get().cards.empty()) return edit(state);
    // The scores go along with their members: of two members with the same
    // line, each keeps its own.
    const std::vector<int> positions = PositionsAfter(state, edit);
    const std::vector<std::string> before = state.rosterList;
    if (!edit(state)) return false;
    scores_.FollowRoster(before, positions, state.rosterList);
    WriteRecovery();
    return true;
}

bool ResultsSession::CorrectMember(TournamentState& state, int row, std::string line) {
    if (!HoldsMember(state, row)) return false;
    const std::vector<std::string> before = state.rosterList;
    state.rosterList[static_cast<std::size_t>(row)] = std::move(line);
    if (scores_.Get().cards.empty()) return true;
    scores_.FollowCorrection(before, row, state.rosterList);
    WriteRecovery();
    return true;
}

std::optional<RecoveryRecord> ResultsSession::UseRecoveryFolder(
    const std::filesystem::path& folder) {
    recoveryFile_ = folder / kRecoveryFileName;
    std::error_code error;
    if (!std::filesystem::exists(*recoveryFile_, error)) return std::nullopt;
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
        dialogs_.Message(NoticeText(Notice::RecoveryUnreadable) + QLatin1Char('\n') +
                         PathToQt(error ? *recoveryFile_ : aside));
        return std::nullopt;
    }
    // いいえ keeps the file until the first score entered replaces it or
    // the program ends normally.
    if (!dialogs_.YesNo(QuestionCaption(Question::RestoreScores),
                        QuestionText(Question::RestoreScores)))
        return std::nullopt;
    return record;
}

void ResultsSession::WriteRecovery() {
    if (!recoveryFile_) return;
    if (!HasStrokes(scores_.Get())) {
        RemoveRecovery();
        return;
    }
    const std::string holes =
        window_ ? std::to_string(window_->Meeting().holes) : sheet_().holeCount;
    const std::optional<std::string> bytes =
        FormatRecoveryFile(MakeRecoveryRecord(state_, holes, scores_.Get(), Heading()));
    std::error_code error;
    std::filesystem::create_directories(recoveryFile_->parent_path(), error);
    const bool written = bytes && ReplaceFileContents(*recoveryFile_, *bytes);
    // Told once, not at every key, until a write succeeds again.
    if (!written && !recoveryFailed_)
        dialogs_.Message(NoticeText(Notice::RecoveryNotWritten) + QLatin1Char('\n') +
                         PathToQt(*recoveryFile_));
    recoveryFailed_ = !written;
}

void ResultsSession::End() {
    if (window_) window_->close();
    RemoveRecovery();
}

void ResultsSession::RemoveRecovery() {
    if (!recoveryFile_) return;
    std::error_code error;
    std::filesystem::remove(*recoveryFile_, error);
}

}  // namespace tovi
