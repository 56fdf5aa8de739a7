// The results window: the scores of the meeting entered by keyboard, their
// sums, the ranking, its print and CSV, and the results file.  A window of its
// own beside the main window, which owns the scores (ScoreBook) and hands the
// window the meeting to show.
//
// Pages: one per group with players (1組..6組), rows the players in group
// order, each player one row per round with a cell per hole, the round's sum
// (計) and the player's 実打数, 一打, 二打 and 合計; 組なし for players with
// strokes who were never in a group (shown, not entered); 順位 with the lists
// 全体, 男子 and 女子, 同成績は年長者を上位 and the deciding of ties; 団体; 表彰 with the
// prize-giving's settings; and with カード計で検算 the list 検算 of the
// rounds whose カード計 does not agree with their holes.  Every member with strokes is ranked.  A
// player with strokes stays in the group the window last showed them in (results/seating.h),
// whatever the main window's groups become.
//
// Entry: a digit 1..9 enters that many strokes in the current cell and moves
// on along the path of NextEntryPosition (results/entry_cursor.h), across the
// group pages.  Enter or F2 opens the cell for a number 1..99, which Enter
// enters and moves on from (Esc leaves the cell as it was).  Backspace and
// Delete empty the cell.  The arrow keys and the mouse move among the hole
// cells; Ctrl+Tab goes to the next page.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/drawing_surface.h"
#include "core/recorded_drawing.h"
#include "platform/dialogs.h"
#include "results/entry_cursor.h"
#include "results/ranking.h"
#include "results/results_file.h"
#include "results/score_book.h"
#include "results/seating.h"
#include "sheets/ranking_sheet.h"

class QCheckBox;
class QSpinBox;
class QTabWidget;
class QTableView;

namespace tovi {

class AwardPage;
class CardCheckPage;
class PrintedList;
class RankingPage;
class TeamPage;

// What the window shows of the meeting, taken from the main window.
struct ResultsMeeting {
    std::vector<Player> players;  // in the main window's groups, in group order
    std::vector<std::string> rosterLines;
    int holes = 10;             // per round, as the score sheet counts them
    RankingSheetHeader header;  // of the print; the list name is set there
    StartHoles startHoles;      // as the groups' score sheets print them
    friend bool operator==(const ResultsMeeting&, const ResultsMeeting&) = default;
};

// Its widgets are found by object name: Tabs (the pages), RoundsBox
// (ラウンド数), DeductionBox (ホールインワン減打), CardCheckBox (カード計で検算),
// PrintButton, CsvButton,
// SaveButton, LoadButton, ClearButton and CloseButton; those of the pages as
// their classes name them.
class ResultsWindow final : public QWidget {
    Q_OBJECT

public:
    // changed runs after every change of the scores or the settings.
    ResultsWindow(Dialogs& dialogs, ScoreBook& book, std::function<void()> changed);
    ~ResultsWindow() override;

    // Shows the meeting.  When it differs from the one shown, the pages are
    // built anew and entry starts again on the first cell.
    void ShowMeeting(ResultsMeeting meeting);
    // Asked for the meeting each time the window becomes active, so that
    // groups changed meanwhile in the main window show; nothing keeps the
    // meeting shown.
    void SetMeetingSource(std::function<std::optional<ResultsMeeting>()> source) {
        source_ = std::move(source);
    }
    const ResultsMeeting& Meeting() const { return meeting_; }
    // Takes the heading of a results file read (成績読込) back to the score
    // sheet, whose hole count and heading the meeting is then shown with.
    void SetHeadingSink(std::function<void(const MeetingHeading&)> sink) {
        headingSink_ = std::move(sink);
    }
    // The heading of the meeting shown, as the results file keeps it.
    MeetingHeading Heading() const;

    // Sees every page a print sends to the printer, in order (for tests).
    void SetPrintObserver(std::function<void(const RecordedDrawing&)> observer) {
        printObserver_ = std::move(observer);
    }

    // The pages with entry, in group order, and the others (組なし may be null).
    int EntryPages() const { return static_cast<int>(pages_.size()); }
    QTableView* EntryTable(int page) const;
    QTableView* ApartTable() const;
    QTableView* RankingTable() const;
    RankingPage& Ranks() const { return *rankingPage_; }
    TeamPage& Teams() const { return *teamPage_; }
    AwardPage& Awards() const { return *awardPage_; }
    CardCheckPage& CardChecks() const { return *checkPage_; }
    // Every player ranked: those in groups, then those of 組なし.
    const std::vector<Player>& Players() const { return players_; }
    // The cell entry stands on: page, player, round and hole; nothing while
    // the page shown is not an entry page.
    std::optional<EntryPosition> Cursor() const;
    RankingList ChosenList() const;
    // The ranking of the chosen list, as shown.
    Ranking CurrentRanking() const;

protected:
    bool event(QEvent* event) override;

private slots:
    // The commands.  Print and CSV take the page shown: 団体, 表彰, or else
    // the ranking of the list chosen.
    void PrintClick();
    void CsvClick();
    void SaveClick();
    void LoadClick();
    void ClearClick();

private:
    struct Page;

    void BuildPages();
    void SettingsChanged();
    void PrizesChanged(const PrizeSettings& prizes);
    // カード計で検算 ticked or cleared: the pages with or without カード計.
    void CheckCardsChanged();
    // 同成績は年長者を上位 ticked or cleared: the lists ranked anew.
    void OlderFirstChanged(bool older);
    // Decides a tie on the 順位 page: the row moves a place up or down.
    void MoveInTie(std::size_t row, int step);
    // The ranking, the teams and the awards anew.
    void RefreshRanking();
    // The scores or their settings changed: the lists and the recovery file.
    void ScoresChanged();
    // Calls use with the list the page shown holds: 団体, 表彰, or else the
    // ranking of the list chosen.
    void WithShownList(const std::function<void(const PrintedList&)>& use) const;
    // Enters strokes at a cell of an entry page; false when refused.
    bool Enter(const EntryPosition& at, std::optional<int> strokes);
    void TypeDigit(int page, int digit);
    void EmptyCell(int page);
    // Moves on from a cell that has just been entered.
    void Advance(const EntryPosition& from);
    void GoTo(const EntryPosition& at);
    // The path of entry over the entry pages as they are now.
    EntryPath Path() const;
    // The first cell along the entry path without strokes; the first cell
    // when all have them.  Needs an entry page.
    EntryPosition FirstEmptyCell() const;
    // The entry pages and 組なし.
    std::vector<Page*> AllPages() const;
    int Rounds() const;
    void ShowMessage(const QString& text) { dialogs_.Message(text); }

    Dialogs& dialogs_;
    ScoreBook& book_;
    std::function<void()> changed_;
    std::function<std::optional<ResultsMeeting>()> source_;
    std::function<void(const MeetingHeading&)> headingSink_;
    std::function<void(const RecordedDrawing&)> printObserver_;
    ResultsMeeting meeting_;
    bool meetingShown_ = false;
    Seating seating_;
    std::vector<Player> players_;  // seating_'s grouped, then its apart
    std::vector<std::unique_ptr<Page>> pages_;
    std::unique_ptr<Page> apart_;
    QTabWidget* tabs_ = nullptr;
    QSpinBox* roundsBox_ = nullptr;       // ラウンド数
    QSpinBox* deductionBox_ = nullptr;    // ホールインワン減打
    QCheckBox* checkCardsBox_ = nullptr;  // カード計で検算
    RankingPage* rankingPage_ = nullptr;
    TeamPage* teamPage_ = nullptr;
    AwardPage* awardPage_ = nullptr;
    CardCheckPage* checkPage_ = nullptr;
};

}  // namespace tovi
