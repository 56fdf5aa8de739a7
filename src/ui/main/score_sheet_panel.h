// The score-sheet mode: the settings band (表題, 大会名, コース, 開催日,
// ホール数, 組, 番スタート), the preview of one group's sheet, 確　定 and 印　刷
// for that group, 全組印刷 for every group, ホール番号を表示しない and 成績入力;
// and 組ごとのスタート, a start hole for each group, shown in a row of its own
// over the blank band between the sheet's title and its header.
// Built as one object after the first paint of the window, so a control of
// this mode is added here alone (and given its row in the window's table of
// modes).
#pragma once

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/recorded_drawing.h"
#include "model/tournament_state.h"
#include "platform/dialogs.h"
#include "results/results_file.h"
#include "scoresheet/score_sheet.h"

class QCheckBox;
class QFrame;
class QPushButton;
class QWidget;

namespace tovi {

class ByteEdit;
class HandlerRunner;
class PictureWidget;
class ResultsSession;

class ScoreSheetPanel {
public:
    // printObserver, when set, sees every page a print sends to the printer.
    // openSeason: 年間成績, which opens the season window.
    ScoreSheetPanel(QWidget& form, const TournamentState& state, Dialogs& dialogs,
                    ResultsSession& results, const HandlerRunner& runner,
                    const std::function<void(const RecordedDrawing&)>& printObserver,
                    const std::function<void()>& openSeason);

    // Puts the controls where building the window in one go puts them: the
    // preview under everything, the rest under lieUnder, and in the Tab
    // order after tabAfter.  Returns the last control Tab visits.
    QWidget* Place(QWidget* lieUnder, QWidget* tabAfter);
    // Polishes the controls as showing the window polished the rest.
    void Polish();

    // 確　定: draws the sheet of the group in the group box on the preview.
    void Preview();
    // 印　刷: prints that sheet.
    void Print();
    // 全組印刷: every group that has members, one page each, in one print job.
    void PrintAllGroups();

    // What the boxes hold.
    ScoreSheetSettings Settings() const;
    void SetHoleCount(const std::string& holeCount);
    // The heading a results file was saved under: 表題, 大会名, コース, 開催日
    // and ホール数 as they were.
    void SetHeading(const MeetingHeading& heading);
    // The start holes the scores were entered under, on a course of holes
    // holes: 組ごと with each group's, or the one start hole.
    void SetStartHoles(const StartHoles& starts, int holes);

private:
    // 組ごとのスタート ticked or cleared: the start holes are spread anew.
    void PerGroupClicked();
    // Before a drawing with 組ごと: spreads the start holes anew when the
    // hole count changed, then takes what the group boxes and the start-hole
    // box hold (the latter for the group in the group box, when typed into
    // since it was last shown), and shows the group's start hole in the
    // start-hole box.  A start hole that is no whole number throws
    // ConversionError; one off the course is told, and false returned:
    // nothing is taken, nothing drawn.
    bool TakeStartHoles();
    // Spreads the start holes over holes holes (SpreadStartHoles).
    void SpreadStartHolesOver(int holes);
    // Shows the start holes taken in the group boxes and, for the group in
    // the group box, in the start-hole box.
    void ShowStartHoles();

    // The print of Print and PrintAllGroups: one print dialog, then one page
    // per sheet at the chosen printer's scale.
    void PrintSheets(const QString& fileName, std::vector<ScoreSheetSettings>& sheets);

    const TournamentState& state_;
    Dialogs& dialogs_;
    const std::function<void(const RecordedDrawing&)>& printObserver_;
    PictureWidget* preview_ = nullptr;      // Image23
    QFrame* panel_ = nullptr;               // Panel5
    ByteEdit* titleEdit_ = nullptr;         // Edit15
    ByteEdit* meetingEdit_ = nullptr;       // Edit7
    ByteEdit* courseEdit_ = nullptr;        // Edit8
    ByteEdit* yearEdit_ = nullptr;          // Edit10
    ByteEdit* monthEdit_ = nullptr;         // Edit11
    ByteEdit* dayEdit_ = nullptr;           // Edit12
    ByteEdit* holeCountEdit_ = nullptr;     // Edit9
    ByteEdit* groupEdit_ = nullptr;         // Edit13
    ByteEdit* startHoleEdit_ = nullptr;     // Edit14
    QPushButton* printButton_ = nullptr;    // Button7
    QPushButton* previewButton_ = nullptr;  // Button9
    QPushButton* printAllButton_ = nullptr;
    QPushButton* resultsButton_ = nullptr;
    QPushButton* seasonButton_ = nullptr;   // 年間成績
    QCheckBox* hideHoleNumbers_ = nullptr;  // CheckBox2
    QFrame* startBar_ = nullptr;            // StartHolesBar: 組ごとのスタート and the boxes
    QCheckBox* perGroupStart_ = nullptr;    // PerGroupStartBox
    QWidget* groupStartRow_ = nullptr;      // GroupStartHoles: shown with 組ごと
    std::array<ByteEdit*, MaxGroups> groupStartEdits_{};  // GroupStartEdit1..6
    // The start holes taken, by group, and the hole count they were spread
    // for (none yet: the next drawing spreads them).
    std::array<int, MaxGroups> groupStarts_{1, 1, 1, 1, 1, 1};
    std::optional<int> spreadFor_;
    // The start-hole box was typed into (or emptied) since it last showed a
    // group's start hole.
    bool startHoleTyped_ = false;
};

}  // namespace tovi
