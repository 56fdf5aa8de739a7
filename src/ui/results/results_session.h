// The meeting's scores on the main window's side: the score book, the
// results window that shows and edits it, and the recovery file that keeps
// every change of the scores until the program ends normally.
#pragma once

#include <QIcon>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "model/tournament_state.h"
#include "platform/dialogs.h"
#include "results/recovery_file.h"
#include "results/results_file.h"
#include "results/score_book.h"
#include "scoresheet/score_sheet.h"

namespace tovi {

class ResultsWindow;
struct ResultsMeeting;

class ResultsSession {
public:
    static constexpr char kRecoveryFileName[] = "results-recovery.txt";

    // sheet reads the score sheet's settings: the hole count and the header
    // of the printed ranking come from there; setSheet puts back the heading
    // of a results file read.
    ResultsSession(Dialogs& dialogs, const TournamentState& state, QIcon icon,
                   std::function<ScoreSheetSettings()> sheet,
                   std::function<void(const MeetingHeading&)> setSheet);
    ~ResultsSession();

    ScoreBook& Scores() { return scores_; }
    const ScoreBook& Scores() const { return scores_; }
    // The results window; null until it is first opened.
    ResultsWindow* Window() const { return window_.get(); }

    // 成績入力: opens the results window on the groups and the score sheet's
    // hole count, or says that there is nothing to enter.
    void Open();

    // Makes a change of the roster by position (move, delete); the scores
    // follow their members.  What edit returns.
    bool EditRoster(TournamentState& state, const std::function<bool(TournamentState&)>& edit);

    // Puts line in place of the line of the member on row (修正): the
    // member keeps its place and its scores, which now go by the new line.
    // False, and nothing changes, when row holds no member.
    bool CorrectMember(TournamentState& state, int row, std::string line);

    // True when scores are not saved.
    bool Unsaved() const { return scores_.Unsaved(); }

    // Keeps the recovery file in folder from now on.  One found there, left
    // by a run that did not end normally, is offered for restoring: the
    // record when the user takes it.
    std::optional<RecoveryRecord> UseRecoveryFolder(const std::filesystem::path& folder);
    // The scores of a restored record.
    void RestoreScores(const Results& results) { scores_.Restore(results); }

    // Writes the recovery file of the scores, or removes it when there are none.
    void WriteRecovery();
    // A normal end: the results window closes and the recovery file goes.
    void End();

private:
    // What the results window shows, with the given hole count.
    ResultsMeeting Meeting(int holes) const;
    void RemoveRecovery();
    // The score sheet's heading with the hole count shown.
    MeetingHeading Heading() const;

    Dialogs& dialogs_;
    const TournamentState& state_;
    QIcon icon_;
    std::function<ScoreSheetSettings()> sheet_;
    std::function<void(const MeetingHeading&)> setSheet_;
    ScoreBook scores_;
    std::optional<std::filesystem::path> recoveryFile_;
    bool recoveryFailed_ = false;  // the last write of the recovery file failed
    // After the scores and the dialogs it works on: closed first.
    std::unique_ptr<ResultsWindow> window_;
};

}  // namespace tovi
