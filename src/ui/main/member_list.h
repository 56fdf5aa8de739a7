// The member list: the ruled list of the roster on the left of the window
// with its header strip and scroll area, the marks beside the rows, and the
// commands that wait for a press on a row: 順移動 and 削除 with their prompts
// and 出場設定 and リーダ設定 below the list, 修正 with its prompt under the
// registration panel, and 貼り付け and 戻す, whose pictures the grouping
// panel attaches.
//
// Whatever changes the roster or a mark ends in the refresh chain: Redraw
// (the whole list), RefreshRows (the rows and the marks) and
// ShowRowsAndTallies (the texts of the rows and the counts).
#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <vector>

#include "model/roster_table.h"
#include "model/tournament_state.h"
#include "platform/dialogs.h"
#include "ui/main/command_picture.h"
#include "ui/main/list_interaction.h"

class QFrame;
class QScrollArea;
class QWidget;

namespace tovi {

class HandlerRunner;
class PictureWidget;
class ResultsSession;

// Places on the member list, in picture pixels.
inline constexpr int kSourceMarkX = 38;   // the "*" between the number and the name
inline constexpr int kEntryMarkX = 388;   // 出場 and リーダ in the marks column
inline constexpr int kPlacedMarkX = 450;  // ⇒ of a placed member
inline constexpr int kRowTextTop = 6;     // the texts of a row below its rule
inline constexpr int kRowMarkTop = 7;     // the marks of a row below its rule

class MemberList : public QObject {
    Q_OBJECT
public:
    // The commands, in the order SwitchOffCommands switches them off.
    enum class Command { Move, Delete, Entry, Leader, Correct, Paste, Return };

    MemberList(QWidget& form, TournamentState& state, Dialogs& dialogs, ResultsSession& results,
               const HandlerRunner& runner);

    // The first screen: the faces the command pictures first show, and the
    // prompts drawn and hidden.
    void PrepareFirstScreen();
    // Attaches a command whose picture lies elsewhere (貼り付け, 戻す), after
    // the four of the list, in the order of Command.
    void AttachCommand(CommandPicture command);

    // The full redraw: the empty ruled list and its header, the parsed
    // roster blanked, every pending command cancelled, then RefreshRows.
    void Redraw();
    // Erases the row texts, redraws the marks, parses the roster and shows it.
    void RefreshRows();
    // Writes the row texts, counts the players and shows the list.
    void ShowRowsAndTallies();
    // Writes a mark (MarkCode) in a colour (MarkColour) at x of a row.
    void DrawMark(int x, int row, int mark, int colour);
    // Wipes the marks column and writes every member's marks again.
    void RedrawMarks();
    // Switches every command off and repaints their faces.
    void SwitchOffCommands();

    // A press on the list at picture height y: what it does depends on the
    // pending command.
    void PressRow(int y);
    // 順移動 and 削除: switch the command on, or everything off.
    void ToggleMoveCommand();
    void ToggleDeleteCommand();
    // 出場設定 and リーダ設定.
    void ToggleEntryCommand();
    void ToggleLeaderCommand();
    // Toggles a mark or grouping command; true when it was switched on.
    bool ToggleCommand(Command command);
    // 修正: switches the command on, or everything off.
    void ToggleCorrectCommand();
    // The member on row is the one 修正 corrects: marked with a red "*"
    // (the mark of a member picked before goes).
    void PickForCorrection(int row);
    // Puts line in place of the picked member's line and redraws; 修正 then
    // waits for the next member.  The member's scores follow the new line.
    void CorrectPickedMember(std::string line);

    // The mode, the pending command and its latches, the rows pressed and
    // the member picked.
    ListInteraction& Interaction() { return interaction_; }
    const ListInteraction& Interaction() const { return interaction_; }

    void ScrollToTop();
    // Hides the list picture until the next redraw of the rows shows it.
    void HideRows();

signals:
    // A full redraw begins: the proposed group count goes and the group
    // boxes take no presses.
    void redrawStarted();
    // The tallies were counted anew.
    void tallied(const tovi::TallyResult& tally);
    // A member was picked for pasting: the group boxes take presses.
    void memberPicked();
    // With 修正 on, a press on the row of a member.
    void correctionRequested(int row);
    // 修正 went off while a member was picked.
    void correctionCancelled();

private:
    // Toggles the move or delete command with its prompt.
    void ToggleRowCommand(const CommandPicture& command);
    const CommandPicture& Find(Command command) const {
        return commands_.at(static_cast<std::size_t>(command));
    }
    bool EditRoster(const std::function<bool(TournamentState&)>& edit);

    TournamentState& state_;
    ListInteraction interaction_;
    Dialogs& dialogs_;
    ResultsSession& results_;
    QFrame* panel_ = nullptr;               // Panel3
    PictureWidget* header_ = nullptr;       // Image2
    QScrollArea* scrollArea_ = nullptr;     // ScrollBox1
    PictureWidget* rows_ = nullptr;         // Image1
    PictureWidget* moveCommand_ = nullptr;  // Image3
    PictureWidget* deleteCommand_ = nullptr;
    PictureWidget* entryCommand_ = nullptr;
    PictureWidget* leaderCommand_ = nullptr;
    PictureWidget* deletePrompt_ = nullptr;  // Image5
    PictureWidget* movePrompt_ = nullptr;    // Image8
    PictureWidget* correctCommand_ = nullptr;
    PictureWidget* correctPrompt_ = nullptr;
    std::vector<CommandPicture> commands_;
};

}  // namespace tovi
