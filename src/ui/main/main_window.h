// The main window: it owns the meeting's record and the areas of the window
// (the member list, the registration panel, the grouping panels with the
// group boxes, the score-sheet panel and the results), the three mode
// buttons with the table of which control each mode shows, help and the
// version dialog, and the question before closing.
//
// Every control keeps its numbered name from the layout as its objectName
// (Panel1..Panel6, Button1..Button14, Edit1..Edit15, Image1..Image23,
// Label1..Label35 ...); docs/names.md says which class holds each.
#pragma once

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "core/clock.h"
#include "core/recorded_drawing.h"
#include "grouping/random_source.h"
#include "model/tournament_state.h"
#include "platform/dialogs.h"
#include "results/recovery_file.h"
#include "ui/main/handler_runner.h"
#include "ui/main/list_interaction.h"

class QCloseEvent;
class QKeyEvent;
class QPushButton;

namespace tovi {

class AboutBox;
class GroupingPanel;
class HelpWindow;
class MemberList;
class RegistrationPanel;
class ResultsSession;
class ScoreSheetPanel;
class SeasonWindow;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // How much of the window the constructor builds.  Whole: every control.
    // FirstScreenFirst: all but the controls of the score-sheet mode and the
    // version dialog, so that the window appears sooner; those follow as
    // soon as the window has been painted for the first time, and in any
    // case before a handler runs.
    enum class Building { Whole, FirstScreenFirst };

    MainWindow(Dialogs& dialogs, RandomSource& random, Clock& clock,
               Building building = Building::Whole, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Builds the controls a FirstScreenFirst window leaves for later, if
    // they are not built yet.
    void FinishBuilding();
    bool IsBuilt() const { return scoreSheet_ != nullptr; }

    // The meeting: roster, marks, tallies, groups, the roster file's name.
    TournamentState& State() { return state_; }
    const TournamentState& State() const { return state_; }
    // What the window is in the middle of: mode, pending command, picks.
    ListInteraction& Interaction();
    const ListInteraction& Interaction() const;

    // The areas of the window; the score-sheet panel and the version dialog
    // are built first when they are not yet.
    MemberList& List() { return *list_; }
    RegistrationPanel& Registration() { return *registration_; }
    GroupingPanel& Grouping() { return *grouping_; }
    ScoreSheetPanel& ScoreSheet();
    AboutBox& About();
    ResultsSession& Results() { return *results_; }

    // The mode buttons: メンバー登録, 組み合わせ and スコア表作成.
    void EnterRegistrationMode();
    void EnterGroupingMode();
    void EnterScoreSheetMode();
    // ヘルプ and バージョン.  ヘルプ opens the help window (raised when it is
    // open already) where the system has it (platform/help.h), else the
    // help file through the desktop.
    void OpenHelp();
    void ShowVersion();
    // The help window on page, a file of the guide (e.g. "about.html"), or
    // where it is when page is empty; null until opened.
    void ShowGuide(const QString& page = {});
    HelpWindow* Help() const { return help_.get(); }
    // Where the help window finds the guide's pages; by default GuideFolder
    // of the program's folder.
    void SetGuideFolder(const QString& folder) { guideFolder_ = folder; }
    // 年間成績: the season window, made at its first opening.
    void OpenSeason();
    SeasonWindow* Season() const { return season_.get(); }

    // True when closing the window would lose something: a roster changed
    // since it was last opened or saved, or scores not saved.
    bool HasUnsavedChanges() const;

    // Runs work right after the window's first paint (and after the
    // building left for then), or at once when it has been painted already.
    void RunAfterFirstPaint(std::function<void()> work);

    // Keeps the recovery file in folder from now on.  One found there, left
    // by a run that did not end normally, is offered for restoring first.
    void UseRecoveryFolder(const std::filesystem::path& folder);

    // Sees every page a print of score sheets sends to the printer, in order
    // (for tests); an empty function stops it.
    void SetPrintObserver(std::function<void(const RecordedDrawing&)> observer) {
        printObserver_ = std::move(observer);
    }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Asks first when something would be lost; a normal end removes the
    // recovery file.
    void closeEvent(QCloseEvent* event) override;
    // Esc, also from a box that leaves it alone, gives up 修正.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildModeButtons();
    void BuildScoreSheetMode();
    // The first screen: the faces of the pictures, then the registration mode.
    void PrepareFirstScreen();
    // Shows and hides the controls as the given mode has them.
    void ApplyModeVisibility(ScreenMode mode);
    // Finds the controls the table of modes names, once they are all built.
    void FindModeControls();
    // Brings a recorded meeting back: roster, marks, groups, hole count and
    // scores, shown in the grouping mode with the results window open.
    void RestoreMeeting(const RecoveryRecord& record);
    static QRect ScoreSheetFrameArea();

    TournamentState state_;
    Dialogs& dialogs_;
    RandomSource& random_;
    Clock& clock_;
    HandlerRunner runner_;
    std::function<void(const RecordedDrawing&)> printObserver_;
    std::unique_ptr<ResultsSession> results_;
    std::unique_ptr<MemberList> list_;
    std::unique_ptr<RegistrationPanel> registration_;
    std::unique_ptr<GroupingPanel> grouping_;
    QPushButton* registrationModeButton_ = nullptr;  // Button2
    QPushButton* groupingModeButton_ = nullptr;      // Button3
    QPushButton* scoreSheetModeButton_ = nullptr;    // Button4
    QPushButton* helpButton_ = nullptr;              // Button5
    QPushButton* versionButton_ = nullptr;           // Button14
    std::unique_ptr<ScoreSheetPanel> scoreSheet_;    // null until built
    std::unique_ptr<SeasonWindow> season_;           // null until opened
    std::unique_ptr<HelpWindow> help_;               // null until opened
    QString guideFolder_;
    AboutBox* aboutBox_ = nullptr;
    // The rows of the table of modes with the controls they name.
    struct ModeRow;
    std::vector<ModeRow> modeRows_;
    bool painted_ = false;
    std::vector<std::function<void()>> afterFirstPaint_;
    // The frame of the score-sheet mode waits for the window's next paint;
    // that paint draws it once, and the one after removes it.
    bool scoreSheetFrame_ = false;
};

}  // namespace tovi
