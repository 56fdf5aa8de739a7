#include "ui/main/member_list.h"

#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

#include "core/cp932.h"
#include "grouping/manual_grouping.h"
#include "model/roster_edit.h"
#include "platform/picture_widget.h"
#include "ui/common/messages.h"
#include "ui/main/handler_runner.h"
#include "ui/main/widget_factory.h"
#include "ui/results/results_session.h"

namespace tovi {
namespace {

// Row texts are erased by writing this glyph in white over them.
std::string EraseText(int glyphs) {
    std::string text;
    for (int i = 0; i < glyphs; ++i) text += "\x8d\x91";  // 国
    return text;
}

int RowTextY(int row) { return kRowTextTop + RowHeight * row; }

}  // namespace

MemberList::MemberList(QWidget& form, TournamentState& state, Dialogs& dialogs,
                       ResultsSession& results, const HandlerRunner& runner)
    : state_(state), dialogs_(dialogs), results_(results) {
    panel_ = MakePanel("Panel3", &form, 3, 3, 513, 648);
    MakeLabel("Label10", panel_, QStringLiteral("メンバー一覧表"), 200, 3, {15, kWhite, true}, 124,
              19);
    header_ = MakePicture("Image2", panel_, 6, 25, 481, 25);

    scrollArea_ = new QScrollArea(panel_);
    scrollArea_->setObjectName(QStringLiteral("ScrollBox1"));
    scrollArea_->setGeometry(4, 48, 505, 570);
    scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setContentsMargins(0, 0, 0, 0);
    Fill(scrollArea_->viewport(), kInactiveCaption);
    rows_ = new PictureWidget(nullptr, 481, 1201);
    rows_->setObjectName(QStringLiteral("Image1"));
    rows_->resize(481, 1201);
    scrollArea_->setWidget(rows_);
    scrollArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    moveCommand_ = MakePicture("Image3", panel_, 20, 622, 85, 21);
    deleteCommand_ = MakePicture("Image4", panel_, 115, 622, 85, 21);
    entryCommand_ = MakePicture("Image6", panel_, 300, 622, 85, 21);
    leaderCommand_ = MakePicture("Image7", panel_, 397, 622, 85, 21);
    deletePrompt_ = MakePicture("Image5", panel_, 220, 622, 200, 24);
    movePrompt_ = MakePicture("Image8", panel_, 210, 622, 245, 22);
    // 修正 lies in the band under the registration panel, which holds
    // nothing in the registration mode, with its prompt beside it.
    correctCommand_ = MakePicture("CorrectCommand", &form, 545, 270, 85, 21);
    correctPrompt_ = MakePicture("CorrectPrompt", &form, 640, 269, 300, 22);

    using Face = CommandPicture::Face;
    commands_ = {
        {moveCommand_, Face{"順移動", 20, 3, kInactiveCaption}, &ListInteraction::moveButtonOn,
         ListCommand::MoveSource, movePrompt_},
        {deleteCommand_, Face{"削  除", 20, 3, kInactiveCaption}, &ListInteraction::deleteButtonOn,
         ListCommand::Delete, deletePrompt_},
        {entryCommand_, Face{"出場設定", 12, 3, kInactiveCaption}, &ListInteraction::entryButtonOn,
         ListCommand::Entry},
        {leaderCommand_, Face{"リーダ設定", 8, 3, kInactiveCaption},
         &ListInteraction::leaderButtonOn, ListCommand::Leader},
        {correctCommand_, Face{"修  正", 20, 3, kInactiveCaption},
         &ListInteraction::correctButtonOn, ListCommand::CorrectPick, correctPrompt_},
    };

    QObject::connect(rows_, &PictureWidget::pressed, rows_,
                     [this, &runner](int, int y) { runner.Run([&] { PressRow(y); }); });
    runner.Connect(moveCommand_, &PictureWidget::clicked, [this] { ToggleMoveCommand(); });
    runner.Connect(deleteCommand_, &PictureWidget::clicked, [this] { ToggleDeleteCommand(); });
    runner.Connect(entryCommand_, &PictureWidget::clicked, [this] { ToggleEntryCommand(); });
    runner.Connect(leaderCommand_, &PictureWidget::clicked, [this] { ToggleLeaderCommand(); });
    runner.Connect(correctCommand_, &PictureWidget::clicked, [this] { ToggleCorrectCommand(); });
}

void MemberList::AttachCommand(CommandPicture command) { commands_.push_back(command); }

void MemberList::PrepareFirstScreen() {
    // The command pictures and the prompts are drawn once.
    for (PictureWidget* picture :
         {moveCommand_, deleteCommand_, entryCommand_, leaderCommand_, correctCommand_}) {
        DrawingSurface& c = picture->Canvas();
        c.SetPenColor(kInactiveCaption);
        c.SetBrushColor(kInactiveCaption);
        c.Rectangle(0, 0, picture->width(), picture->height());
    }
    for (Command command :
         {Command::Move, Command::Delete, Command::Entry, Command::Leader, Command::Correct})
        Find(command).DrawFace(false);
    struct Prompt {
        PictureWidget* picture;
        const char* text;
        int x, y;
    };
    for (const Prompt& p :
         {Prompt{deletePrompt_, "削除する行を指定して下さい", 13, 5},
          Prompt{movePrompt_, "移動行を指定して移動先を指定して下さい", 7, 6},
          Prompt{correctPrompt_, "修正する行を指定し、直して登録を押して下さい", 8, 6}}) {
        DrawingSurface& c = p.picture->Canvas();
        c.SetPenColor(kInactiveCaption);
        c.SetBrushColor(kWhite);
        c.Rectangle(0, 0, p.picture->width(), p.picture->height());
        c.SetFontSize(10);
        c.SetFontColor(kRed);
        c.TextOut(p.x, p.y, Utf8ToCp932(p.text));
        c.SetFontColor(kBlack);
    }
    deletePrompt_->hide();
    movePrompt_->hide();
    correctPrompt_->hide();
}

void MemberList::ScrollToTop() { scrollArea_->verticalScrollBar()->setValue(0); }

void MemberList::HideRows() { rows_->hide(); }

void MemberList::Redraw() {
    DrawingSurface& list = rows_->Canvas();
    list.SetPenColor(kBlack);
    list.SetPenWidth(1);
    list.SetBrushColor(kWhite);
    list.Rectangle(0, 0, ListWidth + 1, MemberCapacity * RowHeight + 1);
    for (int i = 0; i < GridLineCount; ++i) {
        list.MoveTo(0, RowHeight * i);
        list.LineTo(ListWidth, RowHeight * i);
    }
    for (int i = 0; i <= 7; ++i) {
        list.MoveTo(ColumnX[i], 0);
        list.LineTo(ColumnX[i], MemberCapacity * RowHeight);
    }
    // 1..9 at x 19 and 10..40 at x 11 end together when a digit is 8 pixels
    // wide: the fixed-pitch gothic at 12 points has such digits (at 14 points
    // they would be 9.5 and the tens would end a pixel or two further right).
    // Names, teams and marks keep the proportional face.
    list.SetFontFace(Utf8ToCp932("ＭＳ ゴシック"));
    list.SetFontSize(12);
    list.SetFontColor(kBlack);
    for (int k = 1; k <= MemberCapacity; ++k)
        list.TextOut(k <= 9 ? 19 : 11, RowTextY(k - 1), std::to_string(k));
    list.SetFontFace(Utf8ToCp932("ＭＳ Ｐゴシック"));

    DrawingSurface& header = header_->Canvas();
    header.SetPenColor(kBlack);
    header.SetPenWidth(1);
    header.SetBrushColor(kWhite);
    for (int x : ColumnX) {
        header.MoveTo(x, 1);
        header.LineTo(x, 25);
    }
    header.SetFontHeight(14);
    header.TextOut(79, 5, Utf8ToCp932("氏　　名"));
    header.TextOut(220, 5, Utf8ToCp932("所 属 チーム"));
    header.TextOut(343, 5, Utf8ToCp932("性別"));
    header.TextOut(410, 5, Utf8ToCp932("設　 定"));

    BlankRosterTable(state_);
    interaction_.commandState = ListCommand::None;
    emit redrawStarted();
    SwitchOffCommands();
    RefreshRows();
}

void MemberList::RefreshRows() {
    const int n = static_cast<int>(state_.rosterList.size());
    DrawingSurface& list = rows_->Canvas();
    list.SetFontSize(12);
    list.SetFontColor(kWhite);
    static const std::string name = EraseText(7), team = EraseText(9), gender = EraseText(2),
                             marks = EraseText(5);
    for (int r = 0; r <= n; ++r) {
        const int y = RowTextY(r);
        list.TextOut(45, y, name);
        list.TextOut(183, y, team);
        list.TextOut(343, y, gender);
        list.TextOut(kEntryMarkX, y, marks);
    }
    list.SetFontColor(kBlack);
    RedrawMarks();
    ParseRoster(state_);
    ShowRowsAndTallies();
}

void MemberList::ShowRowsAndTallies() {
    const int n = static_cast<int>(state_.rosterList.size());
    DrawingSurface& list = rows_->Canvas();
    for (int r = 0; r < n && r < kTableRows; ++r) {
        const int y = RowTextY(r);
        list.TextOut(TextColumnX[0] + 10, y, state_.rosterTable[r][0]);
        list.TextOut(TextColumnX[1] + 10, y, state_.rosterTable[r][1]);
        list.TextOut(TextColumnX[2] + 10, y, state_.rosterTable[r][2]);
    }
    emit tallied(ComputeTallies(state_));
    rows_->show();
    panel_->show();
}

void MemberList::DrawMark(int x, int row, int mark, int colour) {
    DrawingSurface& list = rows_->Canvas();
    const int y = RowHeight * row + kRowMarkTop;
    // By code: kMarkWhite, kMarkBlack, kMarkRed; kMarkStar, kMarkEntry, kMarkPlaced, kMarkLeader.
    static const Rgb colours[] = {kWhite, kBlack, kRed};
    if (colour >= kMarkWhite && colour <= kMarkRed) list.SetFontColor(colours[colour]);
    static const char* const marks[] = {"*", "出場", "⇒", "リーダ"};
    if (mark >= kMarkStar && mark <= kMarkLeader) list.TextOut(x, y, Utf8ToCp932(marks[mark]));
    list.SetFontColor(kBlack);
}

void MemberList::RedrawMarks() {
    const int n = static_cast<int>(state_.rosterList.size());
    DrawingSurface& list = rows_->Canvas();
    list.SetFontColor(kWhite);
    static const std::string wipe = EraseText(5);
    for (int k = 0; k < MemberCapacity; ++k) list.TextOut(kEntryMarkX, RowTextY(k), wipe);
    list.SetFontColor(kBlack);
    for (int i = 0; i < n && i < kFlagSlots; ++i) {
        if (state_.entryFlag[i] == 1) DrawMark(kEntryMarkX, i, kMarkEntry, kMarkBlack);
        if (state_.leaderFlag[i] == 1) DrawMark(kEntryMarkX, i, kMarkLeader, kMarkBlack);
        if (state_.placedFlag[i] == 1) DrawMark(kPlacedMarkX, i, kMarkPlaced, kMarkRed);
    }
}

void MemberList::SwitchOffCommands() {
    const bool correcting = interaction_.commandState == ListCommand::CorrectEdit;
    for (const CommandPicture& command : commands_) {
        command.DrawFace(false);
        if (command.Code() == ListCommand::MoveSource) {
            // A marked move source, or the member 修正 picked, is erased
            // while the command still says so.
            if (interaction_.commandState == ListCommand::MoveTarget || correcting)
                DrawMark(kSourceMarkX, interaction_.selectedRow, kMarkStar, kMarkWhite);
            interaction_.commandState = ListCommand::None;
        }
        command.Release(interaction_);
    }
    if (correcting) emit correctionCancelled();
}

void MemberList::PressRow(int y) {
    interaction_.pickedMember.clear();
    const int row = y / RowHeight;
    switch (interaction_.commandState) {
        case ListCommand::MoveSource:
            if (!HoldsMember(state_, row)) return;
            interaction_.selectedRow = row;
            DrawMark(kSourceMarkX, row, kMarkStar, kMarkRed);
            interaction_.commandState = ListCommand::MoveTarget;
            return;
        case ListCommand::MoveTarget:
            interaction_.targetRow = row;
            if (!EditRoster([source = interaction_.selectedRow, row](TournamentState& s) {
                    return MoveMember(s, source, row);
                }))
                return;
            DrawMark(kSourceMarkX, interaction_.selectedRow, kMarkStar, kMarkWhite);
            interaction_.commandState = ListCommand::MoveSource;
            RefreshRows();
            return;
        case ListCommand::Delete: {
            interaction_.selectedRow = row;
            DrawMark(kSourceMarkX, row, kMarkStar, kMarkRed);
            if (dialogs_.YesNo(QuestionCaption(Question::DeleteRow),
                               QuestionText(Question::DeleteRow)))
                EditRoster([row](TournamentState& s) { return DeleteMember(s, row); });
            DrawMark(kSourceMarkX, row, kMarkStar, kMarkWhite);
            RefreshRows();
            return;
        }
        case ListCommand::Entry:
            if (!ToggleEntry(state_, row)) return;
            interaction_.selectedRow = row;
            RefreshRows();
            return;
        case ListCommand::Leader:
            if (!ToggleLeader(state_, row)) return;
            interaction_.selectedRow = row;
            RefreshRows();
            return;
        case ListCommand::CorrectPick:
        case ListCommand::CorrectEdit:
            if (HoldsMember(state_, row)) emit correctionRequested(row);
            return;
        case ListCommand::PastePick:
            if (!CanPick(state_, row)) return;
            RedrawMarks();
            interaction_.pickedMember = std::to_string(row);
            DrawMark(kPlacedMarkX, row, kMarkPlaced, kMarkBlack);
            emit memberPicked();
            return;
        default:
            return;
    }
}

bool MemberList::EditRoster(const std::function<bool(TournamentState&)>& edit) {
    return results_.EditRoster(state_, edit);
}

void MemberList::ToggleRowCommand(const CommandPicture& command) {
    // Switching a row command on or off first switches everything off.
    const bool wasOn = command.IsOn(interaction_);
    SwitchOffCommands();
    if (!wasOn) command.SwitchOn(interaction_);
}

void MemberList::ToggleMoveCommand() { ToggleRowCommand(Find(Command::Move)); }

void MemberList::ToggleDeleteCommand() { ToggleRowCommand(Find(Command::Delete)); }

void MemberList::ToggleCorrectCommand() { ToggleRowCommand(Find(Command::Correct)); }

void MemberList::PickForCorrection(int row) {
    if (interaction_.commandState == ListCommand::CorrectEdit)
        DrawMark(kSourceMarkX, interaction_.selectedRow, kMarkStar, kMarkWhite);
    interaction_.selectedRow = row;
    DrawMark(kSourceMarkX, row, kMarkStar, kMarkRed);
    interaction_.commandState = ListCommand::CorrectEdit;
}

void MemberList::CorrectPickedMember(std::string line) {
    if (interaction_.commandState != ListCommand::CorrectEdit) return;
    const int row = interaction_.selectedRow;
    results_.CorrectMember(state_, row, std::move(line));
    DrawMark(kSourceMarkX, row, kMarkStar, kMarkWhite);
    interaction_.commandState = ListCommand::CorrectPick;
    RefreshRows();
}

bool MemberList::ToggleCommand(Command which) {
    const CommandPicture& command = Find(which);
    if (command.IsOn(interaction_)) {
        // Switching off repaints this face alone; nothing else changes.
        command.DrawFace(false);
        interaction_.commandState = ListCommand::None;
        command.Release(interaction_);
        return false;
    }
    SwitchOffCommands();
    command.SwitchOn(interaction_);
    return true;
}

void MemberList::ToggleEntryCommand() { ToggleCommand(Command::Entry); }

void MemberList::ToggleLeaderCommand() { ToggleCommand(Command::Leader); }

}  // namespace tovi
