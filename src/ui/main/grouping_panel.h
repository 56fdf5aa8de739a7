// Grouping: the automatic-grouping panel (まかせて組み合わせ: 組数, 開　始 and
// 男女を平均的に振り分ける), the manual-grouping panel (自分で組み合わせ: 戻す
// and 貼り付け), the counts below the list (出場設定数, 貼り付け数), the six
// group boxes, and the pairing list of the groups (組み合わせ表 prints it,
// 組み合わせCSV saves it).
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "core/clock.h"
#include "core/recorded_drawing.h"
#include "grouping/random_source.h"
#include "model/roster_table.h"
#include "model/tournament_state.h"
#include "platform/dialogs.h"
#include "sheets/pairing_sheet.h"
#include "ui/main/group_boxes.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace tovi {

class ByteEdit;
class HandlerRunner;
class MemberList;
class PictureWidget;

// What the pairing list takes from the score-sheet settings.
struct PairingSource {
    PairingHeading heading;
    StartHoles starts;
};

class GroupingPanel {
public:
    // pairingSource gives the heading and start holes at each print or save
    // of the pairing list; printObserver, when set, sees every page it prints.
    GroupingPanel(QWidget& form, TournamentState& state, Dialogs& dialogs, RandomSource& random,
                  Clock& clock, MemberList& list, const HandlerRunner& runner,
                  std::function<PairingSource()> pairingSource,
                  const std::function<void(const RecordedDrawing&)>& printObserver);
    ~GroupingPanel();

    // The first screen: the faces the pictures of the panel and the group
    // boxes first show, and no group count.
    void PrepareFirstScreen();
    GroupBoxes& Boxes() { return *boxes_; }

    // 開　始: divides the players into groups at random.
    void StartAutomaticGrouping();
    // A click into 組数 empties it and switches every command off.
    void GroupCountClicked();
    // Empties 組数.
    void EmptyGroupCount();
    // 貼り付け and 戻す.
    void TogglePasteCommand();
    void ToggleReturnCommand();
    // A press on a group box (1..6) at picture height y: pastes the picked
    // member there, or takes a member out, as the command says.
    void PressGroupBox(int group, int y);
    // 組み合わせ表 and 組み合わせCSV: the groups with members as they stand,
    // printed or saved; without any, a message and nothing more.
    void PrintPairingList();
    void SavePairingCsv();

    // The counts below the list, and the proposed group count or the
    // warning of too many players.
    void ShowTallies(const TallyResult& tally);
    // The group boxes take no presses and no member is picked any more.
    void LockGroupBoxes();
    // The group boxes with their captions and 開　始 are shown, or the boxes hidden.
    void ShowGroupBoxes();
    void HideGroupBoxes();
    // The last control of the panels that Tab visits.
    QWidget* LastTabStop() const;

private:
    // The pairing list, or nothing after telling why there is none.
    std::optional<PairingPrintedList> PairingList();

    TournamentState& state_;
    Dialogs& dialogs_;
    RandomSource& random_;
    Clock& clock_;
    MemberList& list_;
    std::function<PairingSource()> pairingSource_;
    const std::function<void(const RecordedDrawing&)>& printObserver_;
    QFrame* automaticPanel_ = nullptr;        // Panel4
    ByteEdit* groupCountEdit_ = nullptr;      // Edit6
    QPushButton* startButton_ = nullptr;      // Button1
    QCheckBox* balanceGenders_ = nullptr;     // CheckBox4
    QFrame* manualPanel_ = nullptr;           // Panel1
    PictureWidget* returnCommand_ = nullptr;  // Image10
    PictureWidget* pasteCommand_ = nullptr;   // Image9
    QFrame* countsPanel_ = nullptr;           // Panel6
    QLabel* playerCount_ = nullptr;           // Label8
    QLabel* placedCount_ = nullptr;           // Label27
    std::unique_ptr<GroupBoxes> boxes_;
    QPushButton* pairingPrintButton_ = nullptr;  // PairingPrintButton
    QPushButton* pairingCsvButton_ = nullptr;    // PairingCsvButton
};

}  // namespace tovi
